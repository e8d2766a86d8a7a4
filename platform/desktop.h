#pragma once

#include <functional>

#include <QString>
#include <QUrl>

class QWidget;

// What the program asks of the desktop: open an address with the user's own program, let the window system
// move a window, and take a text on its clipboard.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // Opens a web, mail or file address; false when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Opens the help page (a local HTML file) in the user's browser; false when nothing could open it.
    virtual bool openHelp(const QString& path) = 0;
    // Starts the window system's own interactive move of the window; false when the window system refuses.
    virtual bool startSystemMove(QWidget* window) = 0;
    // Puts a text on the clipboard; false when the clipboard did not take it (a Wayland compositor refuses a
    // window without the focus, a clipboard manager may drop it).
    virtual bool copyText(const QString& text) = 0;
    // Whether the desktop asks programs for high contrast: a high-contrast GTK theme (GTK_THEME, GTK's
    // settings files, GNOME's setting) or GNOME's accessibility setting. Told to `answer` at once where the
    // environment or the files say so, else once GNOME's settings are read, in the background, never later
    // than two seconds (and never once `context` is gone): reading them starts a program, which a window's
    // start does not wait for.
    virtual void askHighContrast(QObject* context, std::function<void(bool)> answer) = 0;
};

class SystemDesktop : public Desktop
{
public:
    bool openUrl(const QUrl& url) override;
    bool openHelp(const QString& path) override;
    bool startSystemMove(QWidget* window) override;
    bool copyText(const QString& text) override;
    void askHighContrast(QObject* context, std::function<void(bool)> answer) override;
};

// A GTK theme's name that asks for high contrast ("HighContrast", "HighContrastInverse", "Adwaita-hc"...),
// with or without its variant ("HighContrast:dark").
bool isHighContrastTheme(const QString& name);

// Whether GTK_THEME or GTK's settings files of the user's folder name a high-contrast theme.
bool gtkThemeAsksForHighContrast();
