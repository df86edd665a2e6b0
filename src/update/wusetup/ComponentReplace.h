#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TUpdaterLog;

// Moves a file over another, replacing it; false when it cannot.
using TRenameFunction = std::function<bool(const QString &From, const QString &To)>;

// The rename of the platform: atomic on one file system, replaces the target.
bool RenameReplacing(const QString &From, const QString &To);

// Replaces, in AppDir, each component of Components with the file of that
// name in SourceDir, and returns the names replaced. Every component must
// be there: one that is missing is a fault. All new files are first written
// completely beside their targets; then each original is moved aside and the
// new file renamed into its place. When a rename fails, the components
// already replaced get their originals back, so the folder holds either all
// new components or all old ones. A replaced file keeps the permissions of
// the file it replaces (a new one takes its source's). Throws EUpdaterError
// on an unsafe name, a missing component, a target that is a folder or a
// symbolic link, or a file that cannot be read, written or renamed.
// REQUIRES: AppDir and SourceDir are existing folders.
QStringList ReplaceComponents(const QString &SourceDir, const QString &AppDir,
                              const QStringList &Components, const TUpdaterLog &Log,
                              const TRenameFunction &Rename = RenameReplacing);
