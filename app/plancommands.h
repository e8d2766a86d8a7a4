#pragma once

#include <QObject>
#include <QString>

#include "plan/commonhour.h"
#include "plan/workhours.h"
#include "platform/platform.h"

#include <functional>

class Board;
class QWidget;
class SettingsStore;

// Keeps one of the user's choices in the settings (`write` puts it in the store); a write that fails is told
// in French, `what` naming the choice ("Les heures de bureau").
void keepChoice(Dialogs& dialogs, QWidget* window, const QString& settingsFile, const QString& what,
                const std::function<void(SettingsStore&)>& write);

// The commands that take the instant the clocks show out of the program, and the working hours that the
// common hour is searched with: each asks, writes and reports through the platform.
class PlanCommands : public QObject
{
    Q_OBJECT

public:
    PlanCommands(QWidget* window, Platform platform, const Board& board, const QString& settingsFile);

public slots:
    // Ctrl+C: the instant shown, as text, on the clipboard.
    void copyInstant();
    // The instant shown as an invitation (iCalendar), where the user says.
    void exportInvitation();
    // The working hours of the marked cities, asked and kept in the settings.
    void askOfficeHours();

signals:
    // The user chose these working hours; they are being kept in the settings.
    void workHoursChosen(const WorkHours& hours);
    // A command done, to be said on the shift line and to screen readers: "Copié : …", "Invitation
    // enregistrée dans …".
    void done(const LineTexts& texts);

private:
    // The instant shown as text to share; empty, the user told how to choose cities, when there are none.
    QString instantToShare(const QString& purpose);

    QWidget* m_window;
    Platform m_platform;
    const Board& m_board;
    QString m_settingsFile;
};
