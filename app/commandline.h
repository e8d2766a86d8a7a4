#pragma once

#include <QStringList>
#include <cstdio>
#include <optional>

// The options the program answers on the terminal before any window: --help and --version print their text
// and end with 0, another option of two dashes is refused with 2. Options of one dash may be Qt's own
// (-platform, -display...) and go on to it. Empty when the clock should start.
std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err);

// Once Qt has taken its own options out of the arguments: whatever is left (an option of one dash Qt does not
// know, a word) is refused with 2, before any window. Empty when nothing is left.
std::optional<int> refuseLeftOverArguments(const QStringList& arguments, std::FILE* err);
