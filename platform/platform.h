#pragma once

#include "beeper.h"
#include "clock.h"
#include "desktop.h"
#include "dialogs.h"

// The outside world as the program sees it. The program runs on SystemPlatform; tests hand in fakes.
struct Platform
{
    Clock& clock;
    Beeper& beeper;
    Dialogs& dialogs;
    Desktop& desktop;
};

class SystemPlatform
{
public:
    Platform services() { return {m_clock, m_beeper, m_dialogs, m_desktop}; }

private:
    SystemClock m_clock;
    SystemBeeper m_beeper;
    MessageBoxDialogs m_dialogs;
    SystemDesktop m_desktop;
};
