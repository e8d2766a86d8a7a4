#pragma once

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
// the distribution notice, a link to the author's page, a mail link and the version. A click elsewhere, or
// Escape, closes it; `closed` then brings the clock back. The links are reached by Tab and pressed by Enter or
// Space, and screen readers see them as links.
class HorluneAbout : public QWidget
{
    Q_OBJECT

public:
    explicit HorluneAbout(Desktop& desktop, QWidget* parent = nullptr);

    // Fills the texts and shows the window.
    void open();
    // A click on the window, the map or the paragraph closes it.
    void closeAndReturn();

signals:
    // As the window closes, however it is closed.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Escape, Enter or Space close it as a click does, so that the keyboard too gets the clock back (a key
    // held down since it opened the window does not).
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The pointer over the web link lights it; over the notice or the paragraph, neither link is lit.
    void lightLinks(bool webLink, bool mailLink);
    void openWebPage();
    void writeToTheAuthor();

    Desktop& m_desktop;
    Label* m_paragraph = nullptr; // `Label1`(0)
    Label* m_notice = nullptr;    // `Label1`(1)
    Label* m_webLink = nullptr;   // `Label1`(2)
    Label* m_version = nullptr;   // `Label2`
    Label* m_mailLink = nullptr;  // `Label3`
};
