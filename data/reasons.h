#pragma once

#include <QString>

// The reason a file operation gives, for a French message: the system's common errors in French (the C
// library gives them in the language of the system, often English), and without the file's path, which
// the message names already.
QString frenchReason(const QString& reason, const QString& path);
