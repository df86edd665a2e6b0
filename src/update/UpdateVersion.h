#pragma once

#include <QString>

#include <optional>

// A four-part version "a.b.c.d" held as a file version resource holds it: the
// high 32 bits are a and b (16 bits each), the low 32 bits c and d.
struct TFileVersion {
  quint32 High = 0;
  quint32 Low = 0;

  friend bool operator==(const TFileVersion &, const TFileVersion &) = default;
};

// Reads one to four dot-separated numbers of 0 to 65535 (missing parts are
// 0); blanks around the text are ignored. Empty when the text is anything
// else.
std::optional<TFileVersion> ParseFileVersion(const QString &Text);

// The four numbers joined by dots.
QString FormatFileVersion(TFileVersion Version);

// Negative, zero or positive as A is lower than, equal to or higher than B:
// the high halves decide, then the low halves.
int CompareFileVersions(TFileVersion A, TFileVersion B);

// The program's own version, built in from the project version.
TFileVersion ProgramFileVersion();

// The version of a local file: the program's own version when Path is the
// program file ProgramFile (compared by canonical path), 0.0.0.0 for any
// other file, since only the program carries a version here.
TFileVersion LocalFileVersion(const QString &Path, const QString &ProgramFile);
