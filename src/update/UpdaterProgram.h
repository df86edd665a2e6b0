#pragma once

#include <QString>

// Writes the updater carried in the program's resources (":/UPD", SZDD form)
// into TempDir as "wusetup.ex_", expands it to "wusetup.exe" (the name is the
// same on every platform), makes that executable and returns its path. Files
// of those names are replaced. Throws EFCreateError when a file cannot be
// written, EReadError when the resource does not expand, EResNotFound when
// the program was built without it.
// REQUIRES: TempDir is an existing folder.
QString WriteUpdaterProgram(const QString &TempDir);
