// The files a user opened or saved lately, kept where the desktop keeps them: the shared
// recently-used.xbel in the user's data folder (XDG_DATA_HOME), which file managers and
// other programs read and write too. Orbisk's own are those it is named an application of.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace orbisk {

// The desktop's list of recent files.
QString RecentFilesPath();

// `xbel` with the file `path` (absolute) marked as used by Orbisk at `when`: its entry's
// times and Orbisk's count brought up to date, or a new entry (of `mimeType`) added. Every
// other entry, and what each holds, is kept as it is. An empty `xbel` starts a new list; one
// that cannot be read gives nothing, so that it is not written over.
QByteArray WithRecentFile(const QByteArray& xbel, const QString& path, const QString& mimeType,
                          const QDateTime& when);

// The files of `xbel` Orbisk used, the latest first.
QStringList RecentFilesIn(const QByteArray& xbel);

// Marks the file as used by Orbisk now in the desktop's list; says nothing when the list
// cannot be written (a recent list is a convenience, never a reason to fail a save).
void RememberRecentFile(const QString& path);

// Orbisk's recent files that still exist, the latest first, at most `count`.
QStringList RecentFiles(int count);

}  // namespace orbisk
