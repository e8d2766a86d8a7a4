#pragma once

#include <QString>

// Where the program's files live.

// The city list in a folder: <folder>/horlune.ini.
QString cityFilePath(const QString& folder);
// The time zones chosen for its cities, beside it: <folder>/horlune.zones. Where that file is missing and the
// folder takes no new file (a list writable in a read-only folder), the user's own store for that list,
// ownZoneStorePath(); once that one exists it is used.
QString zoneStorePath(const QString& cityFolder);
// $XDG_DATA_HOME/horlune/horlune-<the first 32 hex digits of the SHA-256 of the list's path>.zones.
QString ownZoneStorePath(const QString& cityFolder);
// The user's settings: ~/.config/<name>/<name>.conf ($XDG_CONFIG_HOME), the executable's base name as <name>.
QString settingsFilePath();

// The folder of the city list the program uses: its own folder when a list is there (a build, a per-user
// install); otherwise, when it was installed for the whole system (the default list in
// <prefix>/share/horlune beside <prefix>/lib/horlune, a folder the user cannot write), the user's own
// folder $XDG_DATA_HOME/horlune, into which the default list is copied the first time it is needed.
QString cityListFolder(const QString& programDirectory);

// Where the user keeps documents, to offer a file there: the documents folder the desktop names
// (XDG_DOCUMENTS_DIR in user-dirs.dirs, ~/Documents by default) when it is a folder, else the home folder.
QString documentsFolder();
