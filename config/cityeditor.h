#pragma once

#include <QString>
#include <functional>

#include "clock/clockstate.h"
#include "platform/platform.h"

class CityGrid;
class ConfigPanel;
class QWidget;

// What the configuration panel does: open with the cities of the file, and on closing save them sorted,
// with the marks and the day and night hours, when the user asks to.
class CityEditor
{
public:
    CityEditor(ClockState& state, Platform platform, const QString& programDirectory, const QString& settingsName,
               ConfigPanel& panel, CityGrid& grid, QWidget* window);

    // The "Configuration" button: opens the panel, or closes it as "OK" does when it is open.
    void openPanel();
    // Builds the editor's 59 lines from the city file.
    void ChargeConfig();
    // The panel's "OK": offers to save what changed, then closes the panel. When the file cannot be written
    // the panel stays open with the user's edits.
    void Command1_Click();

    // Runs the start-up sequence again once a save is written.
    std::function<void()> formLoad;

private:
    bool Enregistre();

    ClockState& m_state;
    Platform m_platform;
    QString m_programDirectory;
    QString m_settingsName;
    ConfigPanel& m_panel;
    CityGrid& m_grid;
    QWidget* m_window;
};

// The three sentences above the editor, one a line.
QString editorHelpText();
// The box shown when the city file could not be written.
QString unwritableCityFileText(const QString& path, const QString& reason);
// The box shown when the settings store could not be written after a save.
QString unsavedPreferencesText(const QString& path);
