#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "data/settings.h"
#include "plan/workhours.h"
#include "platform/platform.h"

class ButtonBar;
class QAction;
class QMenu;
class CityGrid;
class CitySearch;
class ConfigPanel;
class HorluneAbout;
class Label;
class PointerDrag;

// The main window: the borderless clock. It builds its controls, runs the start-up sequence and wires the
// grid of clocks, the button bar, the configuration panel and the About window together.
class Main : public QWidget
{
    Q_OBJECT

public:
    // The help page is in `programDirectory`; the city list and its zones in `cityFolder`.
    Main(Platform platform, const QString& programDirectory, const QString& cityFolder, const QString& settingsFile,
         QWidget* parent = nullptr);
    ~Main() override;

public slots:
    // The start-up sequence; run at program start and again after every save of the configuration.
    void Form_Load();
    // The timer's tick, once a second: the digital clock, and every row once a minute.
    void Timer1_Timer();
    // Another start asked for the clock: it comes to the front (the About window, while it is open).
    void bringToFront();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Closed by the window system (a close shortcut, the end of the session) with the panel open: the
    // panel's edits are offered for saving first, as "OK" does.
    void closeEvent(QCloseEvent* event) override;
    // The commands' keys where no shortcut took them; the Menu key and Shift+F10. While the panel is closed:
    // Up and Down from face to face, Enter to type a time for the face's row, and the keys that move the
    // clocks (Left, Right, Page Up, Page Down, Home, Escape); from then on the window shows that it has the
    // keys. They come here from a face or a button, which keep none of them.
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel over the bare window moves the clocks, as over a row.
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // Tab and Shift+Tab: "Configuration", "Aide", "A Propos", the clocks, "Quitter", round and round; while
    // the panel is open, its own controls only.
    bool focusNextPrevChild(bool next) override;
    // The right button anywhere on the window, the Menu key, Shift+F10: every command of the window.
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The pointer left the window: nothing stays described under it.
    void leaveEvent(QEvent* event) override;
    // Moved by the user: the place is kept a moment after the last move, not only at the end, since a clock
    // is often left open until the session ends.
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    // The window's commands as actions, in the order of its menu, with their shortcuts.
    void buildCommands();
    // The menu of the window's commands, at a place of the screen; opened by the keyboard, its first
    // command is selected. Not while the panel's question waits, nor twice.
    void showMenu(const QPoint& globalPlace, bool byKeyboard);
    // Where the keyboard opens the menu: under the control that has the keys, or near the top left corner.
    QPoint keyboardMenuPlace() const;
    // "Configuration": the panel shows the clocks of now, and takes the keys.
    void openConfiguration();
    // Where the user left the window, back on a screen; centred when unknown or off every screen.
    void placeWindow();
    // Keeps the window's place and whether it stays above the others, for the next start.
    void rememberWindow();
    void setAlwaysOnTop(bool onTop);
    // The instant shown as text to share; empty, the user told how to choose cities, when there are none.
    QString instantToShare(const QString& purpose);
    // Ctrl+C: the instant shown, as text, on the clipboard.
    void copyInstant();
    // The instant shown as an invitation (iCalendar), where the user says.
    void exportInvitation();
    // The working hours of the marked cities, asked and kept in the settings.
    void askOfficeHours();
    // Shows, or stops showing, the frame around the clocks that says the keys act on them.
    void showKeyFocus(bool shown);
    // Reads the city file into the rows with the computer's offset and the season of today; `report` shows
    // the message of a file that cannot be read.
    void loadCities(float computerOffset, bool report);
    void reloadForNewTimeRules();
    // A warning about a damaged file, shown once however often the file is read.
    void tellOnce(const QString& text);
    // Hands the window to the window system's own move; where the system refuses, the window follows the
    // pointer until the button is released.
    void startMove();
    void openHelp();
    // "A Propos": hides the clock and opens the About window, which brings the clock back as it closes.
    void showAbout();
    // "Quitter": closes the About window and the clock, and ends the program. Saves nothing but the window's
    // place.
    void quit();

    Platform m_platform;
    QString m_programDirectory;
    QString m_cityFolder;
    QString m_settingsFile;
    DayHours m_hours;
    WorkHours m_workHours;
    StoredMarks m_storedMarks;
    RowMarks m_marks{};
    QStringList m_told;
    QTimer m_timer;
    QTimer m_placeKeeper; // a moment after the last move, the place is kept
    QPixmap m_background;
    CityGrid* m_grid;
    ButtonBar* m_buttons;
    PointerDrag* m_drag;
    ConfigPanel* m_panel = nullptr;
    CitySearch* m_search = nullptr;
    QPointer<HorluneAbout> m_about;
    bool m_quitting = false;
    bool m_keyFocusShown = false;
    QAction* m_alwaysOnTop = nullptr;
    QMenu* m_menu = nullptr;
    QList<QPointer<QAction>> m_heldCommands; // disabled while the panel's question waits
    QPointer<QWidget> m_focusBeforePanel;
};
