#pragma once

#include <QString>
#include <QtGlobal>

// One translation the memory holds: a source text and its translation in a
// pair of languages (BCP 47 tags, "en-US" and "de-DE"), where it came from
// and when. Units equal in languages, source and translation are one unit.
struct TMemoryUnit {
  QString SourceLang;
  QString TargetLang;
  QString Source;
  QString Target;
  QString Origin; // the file it came from; may be empty
  QString Entry;  // "component/ID" for a property, "$CONSTANTS/name" for a constant; may be empty
  qint64 Time = 0; // seconds since 1970 (UTC)
};

// A unit found for a text, with how alike its source is to that text.
struct TMemoryMatch {
  TMemoryUnit Unit;
  double Similarity = 0; // see TextSimilarity
  bool bExact = false;   // the sources are equal
};

// The tag as the memory keeps it: language in lower case, a region in upper
// case, a script in title case, "_" read as "-" ("de_de" gives "de-DE").
QString NormalizedLanguageTag(QStringView Tag);
