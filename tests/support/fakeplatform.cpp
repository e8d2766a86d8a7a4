#include "fakeplatform.h"

#include <utility>

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

void ScriptedDialogs::ask(const QString& title, const QString& text, DialogIcon icon)
{
    shown.append({title, text, icon, true});
    if (whileAsking)
        whileAsking();
}

std::optional<bool> ScriptedDialogs::askYesNoOrBack(QWidget*, const QString& title, const QString& text,
                                                    DialogIcon icon)
{
    ask(title, text, icon);
    if (escapes > 0) {
        --escapes;
        return std::nullopt;
    }
    return answers.isEmpty() ? false : answers.takeFirst();
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& title, const QString& text, DialogIcon icon)
{
    ask(title, text, icon);
    return answers.isEmpty() ? false : answers.takeFirst();
}

std::optional<QString> ScriptedDialogs::askText(QWidget*, const QString& title, const QString& label, const QString&)
{
    shown.append({title, label, DialogIcon::Question, true});
    return std::exchange(typed, std::nullopt);
}

std::optional<QString> ScriptedDialogs::askSavePath(QWidget*, const QString& title, const QString& suggested,
                                                    const QString&)
{
    shown.append({title, suggested, DialogIcon::Question, true});
    suggestedPath = suggested;
    return std::exchange(savePath, std::nullopt);
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

bool RecordingDesktop::copyText(const QString& text)
{
    if (clipboardTakes)
        copied.append(text);
    return clipboardTakes;
}
