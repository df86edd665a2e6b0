#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// One placeholder of the run-time format (RtlFormat.h) and the argument it
// takes. A "*" width or precision takes an argument of its own, recorded as a
// placeholder of type '*' with the text of the whole placeholder.
struct TFormatPlaceholder {
  int ArgIndex;  // -1 after an index given by "*", which only the run time knows
  char16_t Type; // lower case: d u x e f g n m p s, or '*'
  QStringView Text;
};

// The placeholders of a format text in the order they take their arguments,
// following RtlFormat's grammar exactly ("%%" is none). Malformed is set to
// the first placeholder that RtlFormat would refuse, and the parse stops there.
struct TFormatPlaceholders {
  std::vector<TFormatPlaceholder> Items;
  QStringView Malformed;
  bool bHasPercent = false; // any '%' at all, "%%" included
};
TFormatPlaceholders ParseFormatPlaceholders(QStringView Text);
