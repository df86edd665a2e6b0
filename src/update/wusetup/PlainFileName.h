#pragma once

#include <QString>

// True for a name that denotes a file directly inside a folder: not empty,
// not "." or "..", without path separators, drive colons, double quotes or
// control characters. Names from the control file and the hand-over pass
// this check before they are joined to a folder, so they never reach outside
// it, and a quote cannot change how a command line would be split.
bool IsPlainFileName(const QString &Name);
