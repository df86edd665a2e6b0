#pragma once

#include <QString>

// Writes the updater carried in the program's resources (":/UPD", SZDD form)
// into TempDir as "wusetup.ex_", expands it to "wusetup.exe" (executable) and
// returns the path of the expanded program. Throws on failure.
QString WriteUpdaterProgram(const QString &TempDir);
