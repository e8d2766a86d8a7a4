#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>
#include <functional>

#include "platform/platform.h"

// A clock set by hand: a local wall-clock time and the computer's offset from Universal Time.
class FakeClock : public Clock
{
public:
    FakeClock();
    Instant now() const override;
    int msecsToNextSecond() const override { return 1000; }
    // The offset set is the computer's at every instant.
    QDateTime localAt(const QDateTime& universal) const override { return universal.addSecs(m_offsetSeconds); }

    // Sets the local wall clock and the offset (local minus Universal) in seconds.
    void set(const QDateTime& localWallClock, int offsetSeconds);
    void setLocal(const QDate& date, const QTime& time) { set(QDateTime(date, time, Qt::UTC), m_offsetSeconds); }
    void advanceSeconds(qint64 seconds) { m_local = m_local.addSecs(seconds); }
    void setOffsetSeconds(int offsetSeconds) { m_offsetSeconds = offsetSeconds; }
    int readings() const { return m_readings; }

private:
    QDateTime m_local;
    int m_offsetSeconds = 0;
    mutable int m_readings = 0;
};

class CountingBeeper : public Beeper
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

// Answers message boxes from a script and remembers what they said; never shows a window.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString title;
        QString text;
        DialogIcon icon;
        bool question;
    };

    void inform(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    std::optional<bool> askYesNoOrBack(QWidget* parent, const QString& title, const QString& text,
                                       DialogIcon icon) override;

    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& text) override;
    std::optional<QString> askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                                       const QString& filter) override;

    QList<bool> answers;             // next answers to questions, "Oui" = true; "Non" when the script has run out
    std::optional<QString> typed;    // what the next text asked is answered with; cancelled when empty
    std::optional<QString> savePath; // where the next file is saved; cancelled when empty
    QString suggestedPath;           // what the last save dialog suggested
    int escapes = 0;                 // the next questions left with Escape (before the answers are taken)
    QList<Shown> shown;
    // Runs while each question is on the screen, before it is answered: what the user does meanwhile.
    std::function<void()> whileAsking;

private:
    void ask(const QString& title, const QString& text, DialogIcon icon);
};

class RecordingDesktop : public Desktop
{
public:
    bool openUrl(const QUrl& url) override;
    bool openHelp(const QString& path) override;
    bool startSystemMove(QWidget* window) override;
    bool copyText(const QString& text) override;
    void askHighContrast(QObject*, std::function<void(bool)> answer) override
    {
        if (answersLater)
            lateAnswer = std::move(answer);
        else
            answer(highContrast);
    }

    QList<QUrl> openedUrls;
    QStringList openedHelp;
    int moves = 0;
    bool acceptMoves = true;
    bool openSucceeds = true;
    QStringList copied;         // what the clipboard took
    bool clipboardTakes = true; // false: it refuses every text
    bool highContrast = false;  // the desktop asks for high contrast
    bool answersLater = false;  // true: the answer waits in lateAnswer until the test gives it
    std::function<void(bool)> lateAnswer;
};

// Everything a window needs from the outside, faked.
struct FakePlatform
{
    FakeClock clock;
    CountingBeeper beeper;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    Platform services() { return {clock, beeper, dialogs, desktop}; }
};
