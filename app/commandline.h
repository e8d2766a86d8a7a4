#pragma once

#include <QStringList>
#include <cstdio>
#include <optional>

// The status of a start that found no display to open its window on (no X server, no Wayland compositor).
inline constexpr int kNoDisplayStatus = 1;

// The whole command line, read before any window and with no display needed: Qt's own options (-platform,
// -display, -style...) are let through with their values; --help and --version print their text and end
// with 0; anything else (an unknown option, a word, an option of Qt's without its value) is refused with 2,
// even beside --help. Empty when the clock should start.
std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err);

// Once Qt has taken its own options out of the arguments: whatever is left (an option Qt did not take after
// all) is refused with 2, before any window. Empty when nothing is left.
std::optional<int> refuseLeftOverArguments(const QStringList& arguments, std::FILE* err);

// Held while the application object is made, which opens the display: Qt's messages meanwhile are held
// back, and where Qt finds no display it can open (it would abort with English messages), the program says
// in French that it needs a graphical session and ends with kNoDisplayStatus. Once the application is made,
// the messages held back go on to Qt's own handler.
class DisplayCheck
{
public:
    explicit DisplayCheck(std::FILE* err);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;
};
