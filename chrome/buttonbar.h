#pragma once

#include <QObject>
#include <array>

#include "ui/controls.h"

// The five picture buttons: a pill picture (`btn`) with a caption in front of it (`LabBTN`). At most one
// is lit, the one under the pointer or the keys; a click on the picture or the caption of one of the window's
// four runs its command. The configuration panel's "OK" is lit with them, and runs its panel's own command.
class ButtonBar : public QObject
{
    Q_OBJECT

public:
    static constexpr int kButtons = 5;
    enum Button
    {
        Quit,
        Configuration,
        Help,
        About,
        Ok
    };

    explicit ButtonBar(QObject* parent);

    // Button i: its picture and caption.
    void setButton(int i, const PictureButton& button);
    // Button i's picture, which takes the keys.
    Picture* picture(int i) const { return m_buttons[i].picture; }

    // Lights button `index` and puts the others in the idle look; an index that names no button lights
    // nothing.
    void light(int index);
    // Every button idle.
    void lightNone() { light(-1); }
    // Runs the command of button `index` of the window; any other index does nothing.
    void press(int index);

signals:
    void quitClicked();
    void configurationClicked();
    void helpClicked();
    void aboutClicked();

private:
    std::array<PictureButton, kButtons> m_buttons{};
    int m_lit = -1;
};
