#pragma once

#include <QString>

#include "data/cityfile.h"

// What the program tells the user about its files, in French.

// The title and text of the message that says why the city list was not read (missing or unreadable).
QString unreadCityFileTitle(ReadStatus status);
QString unreadCityFileText(const QString& cityFolder, const CityFileContents& contents);
// The settings file could not be read: the defaults are used until a save replaces it.
QString unreadSettingsText(const QString& path, const QString& reason);
// The message that says that only the beginning of a file much too large was read, up to `limit` bytes.
QString tooLargeFileText(const QString& path, qint64 limit);
// Why a file larger than `limit`, of which only the beginning was read, is not replaced, and what to do.
QString tooLargeToReplaceReason(qint64 limit);
// `what` (in the plural: "Les heures de bureau") could not be stored in the settings file, for `reason`.
QString unsavedSettingsText(const QString& what, const QString& path, const QString& reason);
