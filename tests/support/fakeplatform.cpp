#include "fakeplatform.h"

FakeClock::FakeClock() : m_local(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC) {}

Instant FakeClock::now() const
{
    ++m_readings;
    return {m_local.addSecs(-m_offsetSeconds), m_local};
}

void FakeClock::set(const QDateTime& localWallClock, int offsetSeconds)
{
    m_local = QDateTime(localWallClock.date(), localWallClock.time(), Qt::UTC);
    m_offsetSeconds = offsetSeconds;
}

void ScriptedDialogs::inform(QWidget*, const QString& title, const QString& text, DialogIcon icon)
{
    shown.append({title, text, icon, false});
}

std::optional<bool> ScriptedDialogs::askYesNoOrBack(QWidget* parent, const QString& title, const QString& text,
                                                    DialogIcon icon)
{
    if (escapes > 0) {
        --escapes;
        shown.append({title, text, icon, true});
        return std::nullopt;
    }
    return askYesNo(parent, title, text, icon);
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& title, const QString& text, DialogIcon icon)
{
    shown.append({title, text, icon, true});
    return answers.isEmpty() ? false : answers.takeFirst();
}

bool RecordingDesktop::openUrl(const QUrl& url)
{
    openedUrls.append(url);
    return openSucceeds;
}

bool RecordingDesktop::openHelp(const QString& path)
{
    openedHelp.append(path);
    return openSucceeds;
}

bool RecordingDesktop::startSystemMove(QWidget*)
{
    ++moves;
    return acceptMoves;
}
