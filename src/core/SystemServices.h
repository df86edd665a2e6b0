#pragma once

#include <QString>
#include <QStringView>

// Whether a new file can be created in Folder (an empty name is the current
// folder): a uniquely named probe file is created exclusively and removed at
// once. Never raises.
bool IsDirectoryWritable(const QString &Folder);

// The Index-th parameter of the process's command line; 0 is the full path
// of the running executable. Empty when there are fewer parameters.
QString GetParamStr(int Index);

// The Index-th token of a Windows command line (0 is the program itself):
// tokens end at a character up to U+0020 outside double quotes, the quotes
// themselves are dropped. Empty when the line ends first.
QString ParamStrOf(QStringView CommandLine, int Index);
