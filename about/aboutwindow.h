#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>

#include "platform/desktop.h"

class Label;
class Picture;

// What the About window says and where its links lead.
namespace about {

// "Version... 3.0.0"
QString versionLine(int major, int minor, int revision);
// The author's web page, and how the window writes it (backslashes where the address has slashes).
QUrl webPage();
QString webPageCaption();
// A new message to the author, its subject naming the version: "Horlune V3.0.0".
QUrl mailToAuthor(int major, int minor, int revision);
QString paragraph();
QString notice();

} // namespace about

// The About window: a borderless black window with the world map, a paragraph on the summer-time rule,
// the distribution notice, a link to the author's page, a mail link and the version. A click elsewhere
// closes it; `closed` then brings the clock back.
class HorluneAbout : public QWidget
{
    Q_OBJECT

public:
    explicit HorluneAbout(Desktop& desktop, QWidget* parent = nullptr);

    // Fills the texts and shows the window.
    void Form_Load();
    void Form_Click();
    void Image1_Click() { Form_Click(); }
    void Label1_Click(int index);
    void Label1_MouseMove(int index);
    void Label3_Click();
    void Label3_MouseMove();

signals:
    // As the window closes, however it is closed.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Desktop& m_desktop;
    QList<Label*> m_label1;
    Label* m_label2 = nullptr;
    Label* m_label3 = nullptr;
};
