#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// One piece of a comparison of two texts.
struct TTextDifference {
  enum TKind : quint8 {
    tdSame,    // in both texts
    tdRemoved, // only in the old text
    tdAdded,   // only in the new text
  };
  TKind Kind = tdSame;
  QString Text;
};

// How Old becomes New, character by character (a surrogate pair is one
// character and never split between pieces): the pieces in order,
// the tdSame and tdRemoved ones spelling Old, the tdSame and tdAdded ones New.
// Within a change, what is removed comes before what is added. Neighbouring
// pieces are of different kinds. Texts whose differing middles are too long
// to compare fully (beyond some millions of pairs of code units) differ as a
// whole between their common beginning and end.
std::vector<TTextDifference> TextDifferences(QStringView Old, QStringView New);
