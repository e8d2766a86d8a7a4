#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "chrome/pointerdrag.h"
#include "clock/citygrid.h"
#include "clock/clockstate.h"
#include "platform/platform.h"

class CityEditor;
class ConfigPanel;
class Label;
class LineItem;
class Picture;

// The main window: the borderless clock. It owns the shared state and runs the start-up sequence; the
// grid, the button bar and the configuration panel do the rest.
class Main : public QWidget
{
    Q_OBJECT

public:
    Main(Platform platform, const QString& programDirectory, const QString& settingsName, QWidget* parent = nullptr);
    ~Main() override;

    // The start-up sequence; run at program start and again after every save of the configuration.
    void Form_Load();
    // Hands the window to the window system's own move; where the system refuses, the window follows the
    // pointer until the button is released.
    void Bouge();
    // "A Propos": hides the clock and opens the About window, which brings the clock back as it closes.
    void showAbout();
    // "Quitter": closes the About window and the clock, and ends the program. Saves nothing.
    void Quitte();

    ClockState& state() { return m_state; }
    CityGrid& grid() { return m_grid; }
    ButtonBar& buttons() { return m_buttons; }
    ConfigPanel* panel() const { return m_panel; }
    CityEditor& editor() { return *m_editor; }
    HorluneAbout* about() const { return m_about; }
    const PointerDrag& pointerDrag() const { return m_drag; }
    QTimer& timer1() { return m_timer1; }
    Label* heureDigitale() const { return m_heureDigitale; }
    Label* label8() const { return m_label8; }
    Label* label10() const { return m_label10; }
    LineItem* line1() const { return m_line1; }
    QString programDirectory() const { return m_programDirectory; }
    QString helpFilePath() const { return m_helpFile; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Closed by the window system (a close shortcut, the end of the session) with the panel open: the
    // panel's edits are offered for saving first, as "OK" does.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void reloadForNewTimeRules();
    void openHelp();

    Platform m_platform;
    QString m_programDirectory;
    QString m_settingsName;
    QString m_helpFile;
    ClockState m_state;
    CityGrid m_grid;
    ButtonBar m_buttons;
    QTimer m_timer1;
    QPixmap m_background;
    ConfigPanel* m_panel = nullptr;
    std::unique_ptr<CityEditor> m_editor;
    QPointer<HorluneAbout> m_about;
    PointerDrag m_drag;
    bool m_quitting = false;
    Label* m_heureDigitale = nullptr;
    Label* m_label8 = nullptr;
    Label* m_label10 = nullptr;
    LineItem* m_line1 = nullptr;
};

// The caption that carries the computer's offset: "Horlune (TU + 1 )", "Horlune (TU  -5 )".
QString mainCaption(float computerOffset, const QLocale& locale);
