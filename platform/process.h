#pragma once

#include <QString>

class QCoreApplication;

// What the program sets up for itself before any window: French dates and Qt's own texts in French (its
// standard buttons, its file errors) whatever the system's locale, and a write cut short by a file size limit reported
// as an error rather than ending the program (SIGXFSZ ignored).
void prepareProcess(QCoreApplication& application);
