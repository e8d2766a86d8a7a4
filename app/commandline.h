#pragma once

#include <cstdio>
#include <optional>

// The options the program answers on the terminal before any window: --help and --version print their text
// and end with 0, another option of two dashes is refused with 2. Options of one dash are Qt's own
// (-platform, -display...) and go on to it. Empty when the clock should start.
std::optional<int> answerCommandLine(int argc, char* argv[], std::FILE* out, std::FILE* err);
