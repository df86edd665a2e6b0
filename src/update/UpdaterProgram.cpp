#include "UpdaterProgram.h"

QString WriteUpdaterProgram(const QString &) { return {}; }
