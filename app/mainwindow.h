#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "board/board.h"
#include "board/configuration.h"
#include "platform/platform.h"
#include "ui/windowshape.h"

class ButtonBar;
class CitySearch;
class ClockGrid;
class ConfigPanel;
class HorluneAbout;
class PlanCommands;
class PointerDrag;
class WeekView;
class QAction;
class QMenu;

// The main window (`Main`): the borderless clock. It holds the configuration and the clocks' board, builds
// the window's controls and commands, runs the start and the tick, and wires the grid of clocks, the button
// bar, the search box, the configuration panel and the About window together.
class Main : public QWidget
{
    Q_OBJECT

public:
    // The help page is in `programDirectory`; the city list and its zones in `cityFolder`.
    Main(Platform platform, const QString& programDirectory, const QString& cityFolder, const QString& settingsFile,
         QWidget* parent = nullptr);
    ~Main() override;

    // The start (`Form_Load`): reads the configuration, measures the computer's offset (the bell rings once),
    // draws the clocks, tells once what was wrong with the files, shows the window and starts the tick.
    void start();
    // Once a second (`Timer1`): the digital clock, and every row once a minute.
    void tick();
    // Another start asked for the clock: it comes to the front (the About window, while it is open).
    void bringToFront();

    const Configuration& configuration() const { return m_config; }
    // The configuration panel (`Frame1`), built the first time it is asked for.
    ConfigPanel& panel();
    bool isPanelOpen() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Closed by the window system (a close shortcut, the end of the session) with the panel open: the
    // panel's edits are offered for saving first, as "OK" does.
    void closeEvent(QCloseEvent* event) override;
    // The Menu key and Shift+F10; a letter typed where no control takes it starts a search for a city.
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel over the open panel moves nothing.
    void wheelEvent(QWheelEvent* event) override;
    // Tab and Shift+Tab: "Configuration", "Aide", "A Propos", "Quitter", the clocks, round and round; while
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
    // The background as this desktop shows it: transparent outside its outline where the desktop composes
    // windows, the window shaped to the outline elsewhere.
    void shapeWindow();
    // The design's look or the high-contrast one, for the whole window at once: it redraws.
    void applyContrast(Contrast contrast);
    // The window's commands as actions, in the order of its menu, with their shortcuts.
    void buildCommands();
    // The menu of the window's commands and the clocks' keys, at a place of the screen; opened by the keyboard,
    // its first command is selected. Not while the panel's question waits, nor twice.
    void showMenu(const QPoint& globalPlace, bool byKeyboard);
    // Where the keyboard opens the menu: under the control that has the keys, or near the top left corner.
    QPoint keyboardMenuPlace() const;
    // "Configuration": the panel shows the clocks of now, and takes the keys.
    void openConfiguration();
    // "La semaine…": the week at a glance from the instant shown, over the clocks; the instant chosen there is
    // shown by every clock.
    void openWeek();
    // The clocks' keys, enabled or not (while the panel or the week covers the clocks).
    void setClockKeysEnabled(bool enabled);
    bool areClocksCovered() const;
    // Whatever lies over the clocks (the search box, the week) goes, for a command that opens something else.
    void dismissOverlays();
    // A save changed the configuration: the clocks follow it, from what was written.
    void takeSavedConfiguration(const Configuration& config);
    // The caption and the panel's date and season, from the board's time rules.
    void showTimeRules();
    // Runs a step of the board and draws what it changed.
    void draw(Board::Changes changes);
    // "Jour et nuit selon le soleil": the faces by the sun where a city's place is known, kept in the settings.
    void setSunFaces(bool bySun);
    void rememberWindow();
    void setAlwaysOnTop(bool onTop);
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
    Configuration m_config;
    Board m_board;
    QTimer m_timer;
    QTimer m_placeKeeper; // a moment after the last move, the place is kept
    ClockGrid* m_grid;
    ButtonBar* m_buttons;
    PointerDrag* m_drag;
    PlanCommands* m_planning;
    ConfigPanel* m_panel = nullptr;
    CitySearch* m_search = nullptr;
    WeekView* m_week = nullptr; // made at its first opening
    QPointer<HorluneAbout> m_about;
    bool m_quitting = false;
    QAction* m_alwaysOnTop = nullptr;
    QAction* m_sunFaces = nullptr;
    QAction* m_highContrast = nullptr;
    // The background as the look and the desktop want it, kept as its colour, its border and its corners.
    struct Background
    {
        bool high = false;
        bool composed = false;
        qreal ratio = 0;
        QRectF inside; // one colour
        QColor colour;
        QList<std::pair<QPointF, QPixmap>> border, corners; // the corners drawn over the border
    };
    shape::Outline m_outline; // the design's, read again only at another density
    Background m_background;
    QMenu* m_menu = nullptr;
    QList<QPointer<QAction>> m_heldCommands; // disabled while the panel's question waits
    QPointer<QWidget> m_focusBeforePanel;
};
