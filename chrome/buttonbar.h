#pragma once

#include <QObject>
#include <array>

#include "ui/controls.h"

// The five picture buttons: a pill picture (`btn`) with a caption in front of it (`LabBTN`). At most one
// is lit, the one under the pointer; a click on the picture or the caption runs the button's command.
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
    void btn_MouseMove(int index);
    void LabBTN_MouseMove(int index) { btn_MouseMove(index); }
    // Every button idle.
    void clearHover() { btn_MouseMove(-1); }
    // Runs the command of button `index`; any other index does nothing.
    void btn_Click(int index);
    void LabBTN_Click(int index) { btn_Click(index); }

signals:
    void quitClicked();
    void configurationClicked();
    void helpClicked();
    void aboutClicked();
    void okClicked();

private:
    std::array<PictureButton, kButtons> m_buttons{};
};
