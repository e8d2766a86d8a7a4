#pragma once

#include <QString>

// The reasons file operations fail, in French: the C library gives them in the language of the system,
// often English.

// The reason for a system error code (errno); the system's own text for a code not listed.
QString frenchReason(int code);
// A reason as Qt gives it, with the system's common errors put in French and without the file's path, which
// the message names already.
QString frenchReason(const QString& reason, const QString& path);
