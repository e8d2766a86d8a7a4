#pragma once

#include <QPointer>
#include <QString>

#include "board/configuration.h"
#include "ui/controls.h"

class CityEditor;
class LineFinder;
struct SavePlan;
class Clock;
class Dialogs;
class QLineEdit;

// The configuration panel (`Frame1`), over the clock while it is open: the computer's date and season on
// the left, the day and night hours (`Frame4`) with a preview of a night face and a day face, and the city
// editor (`Frame2`). It saves the cities, the marks and the hours when the user confirms the changes.
class ConfigPanel : public Frame
{
    Q_OBJECT

public:
    ConfigPanel(QWidget* window, const Clock& clock, Dialogs& dialogs, const QString& cityFolder,
                const QString& settingsFile);
    ~ConfigPanel() override;

    // The "Configuration" command: fills the panel from the configuration (its list, marks and hours) and
    // shows it; when it is open already, confirms and closes it as "OK" does.
    void open(const Configuration& config);
    // The panel's "OK": offers to save what changed, then closes the panel. False when the save failed:
    // the panel then stays open with the user's edits.
    bool confirmAndClose();
    bool isModified() const { return m_modified; }
    // While the closing's question (or a message of its save) waits for the user: the panel neither opens
    // nor closes again meanwhile, and the window runs none of its commands.
    bool isAsking() const { return m_asking; }
    // The controls Tab goes through, in order: the lines (name, summer, winter, mark), the night and day
    // hours, "OK". The headers and the hidden templates take no focus.
    QList<QWidget*> tabStops() const;
    // Tab (next) or Shift+Tab: the next or previous control of the panel in that order (a control added
    // later has its place in the window's), round and round, never out of the panel.
    bool moveFocus(bool next);
    // The panel's "OK" button (`btn_4`, `LabBTN_4`), which the window's button bar lights with the others.
    PictureButton okButton() const { return m_okButton; }
    // Ctrl+F, or a letter typed on a mark: the "Aller à la ville…" box, with this text. Enter (or Tab) gives
    // the keys to the line found, in the column they were in; Escape gives them back where they were.
    void findCity(const QString& typed);

public slots:
    void setToday(const QDate& today);
    void setSeasonMessage(const QString& message);
    // The preview faces show this time of day.
    void showPreviewTime(const QTime& time);

signals:
    // A save was written: the configuration as it now stands.
    void saved(const Configuration& config);
    // The panel was closed.
    void closed();
    // The closing's question is shown (true), or answered and done with (false).
    void askingChanged(bool asking);

protected:
    // Ctrl+F is the panel's own while it has the keys, not the window's search.
    bool event(QEvent* event) override;
    // Enter acts as "OK", and so does Escape (the question comes first when something changed).
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // A click on the bare panel leaves the keys in it, where they were (else the window would take them).
    void focusInEvent(QFocusEvent* event) override;

private:
    void buildHours();
    bool save();
    // The questions a save may have to ask first; false to go back to the panel.
    bool askBeforeSaving(const SavePlan& plan);
    // Refuses the offsets and hours a save cannot take (saying so, marking their boxes); false when it did.
    bool checkEntries();
    void goToFound();
    void leaveFinder();

    const Clock& m_clock;
    Dialogs& m_dialogs;
    QString m_cityFolder;
    QString m_settingsFile;
    bool m_modified = false;
    bool m_asking = false;
    QPointer<QWidget> m_lastFocus; // the panel's control that had the keys last
    Configuration m_config;        // the one the panel was filled from, or last saved
    CityEditor* m_editor = nullptr;
    LineFinder* m_finder = nullptr;
    QPointer<QWidget> m_findFrom; // where the keys were when the finder opened
    PictureButton m_okButton;
    Label* m_today = nullptr;         // `Label5`
    Label* m_seasonMessage = nullptr; // `Label`
    Label* m_summerStart = nullptr;   // `Label2`
    Label* m_winterStart = nullptr;   // `Label4`
    Label* m_help = nullptr;          // `Label11`
    QLineEdit* m_nightHour = nullptr; // `Text1`
    QLineEdit* m_dayHour = nullptr;   // `Text2`
    Picture* m_nightFace = nullptr;   // `Nuit`
    Picture* m_dayFace = nullptr;     // `Jour`
};

// The three sentences above the editor, one a line.
QString editorHelpText();
