#pragma once

#include "LangSource.h"

#include <QString>
#include <QStringList>

// What `info` reports about a translation or a language source.
struct TFileSummary {
  bool bLangSource = false;
  TStreamEncoding Encoding = seNone; // from the leading byte-order mark
  unsigned CodePage = 0;             // that of text without a mark
  QStringList Params;                // header lines "Name=Value"; none for a source
  int Components = 0;
  int Entries = 0; // property entries over all components
  int Constants = 0;
};

// A name ending in ".zrlang" (any case) is a language source; anything else
// is read as a translation.
bool IsLangSourceFileName(const QString &FileName);

// Loads the file with the library, reading it once (a pipe or a FIFO can be
// read only once); the library's errors pass through unchanged.
TFileSummary SummarizeFile(const QString &FileName);

// "ansi", "utf-16le", "utf-16be" or "utf-8".
QString StreamEncodingName(TStreamEncoding Encoding);
