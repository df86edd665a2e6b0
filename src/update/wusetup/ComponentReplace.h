#pragma once

#include <QString>
#include <QStringList>

class TUpdaterLog;

// Replaces, in AppDir, each component of Components that exists in SourceDir
// with that file, and returns the names replaced (the others are skipped and
// logged). All new files are first written completely beside their targets
// and only then renamed over them, so a failure while writing replaces
// nothing and a component is never left half-written. A replaced file keeps
// the permissions of the file it replaces (a new one takes its source's).
// Throws EUpdaterError on an unsafe name, a target that is a folder or a
// symbolic link, or a file that cannot be read or written.
// REQUIRES: AppDir and SourceDir are existing folders.
QStringList ReplaceComponents(const QString &SourceDir, const QString &AppDir,
                              const QStringList &Components, const TUpdaterLog &Log);
