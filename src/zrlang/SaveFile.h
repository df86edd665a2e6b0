#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

// Writes the whole content of a file to the stream it is given; writes go
// through ZrLang_WriteBuffer (or are checked the same way).
using TZrLang_FileContent = std::function<void(QIODevice &Stream)>;

// Writes a file so that a failure never costs the old one. A new or regular
// file is written beside the target and replaces it only once every byte was
// written and flushed without error; an existing target that is not a regular
// file (a device, a FIFO) is written in place, since replacing it would
// destroy it. Any failure raises EFCreateError with the file name and the
// system's reason.
void ZrLang_SaveFile(const QString &FileName, const TZrLang_FileContent &Content);

// The checked middle of ZrLang_SaveFile on an open device: a failed write, a
// file device that cannot flush, or one that has recorded an error raises
// EFCreateError with FileName and the device's reason.
void ZrLang_WriteChecked(QIODevice &Device, const QString &FileName,
                         const TZrLang_FileContent &Content);
