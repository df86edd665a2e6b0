#include "TextDifference.h"

#include <algorithm>
#include <cstdint>

namespace {

// The largest table of common subsequence lengths built: 4M cells of two
// bytes. The shorter middle is then at most 2048 units long, so a length
// always fits in 16 bits.
constexpr qsizetype MaxCells = qsizetype(1) << 22;

void Append(std::vector<TTextDifference> &Pieces, TTextDifference::TKind Kind, QStringView Text) {
  if (Text.isEmpty())
    return;
  if (!Pieces.empty() && Pieces.back().Kind == Kind)
    Pieces.back().Text += Text;
  else
    Pieces.push_back({Kind, Text.toString()});
}

// Appends the middles as a longest common subsequence of their characters
// gives them; a surrogate pair is one character, so no piece splits one.
void CompareMiddles(QStringView OldText, QStringView NewText,
                    std::vector<TTextDifference> &Pieces) {
  const QList<uint> Old = OldText.toUcs4();
  const QList<uint> New = NewText.toUcs4();
  const qsizetype Rows = Old.size() + 1;
  const qsizetype Cols = New.size() + 1;
  // Lengths[I][J]: the longest common subsequence of Old[I..] and New[J..].
  std::vector<uint16_t> Lengths(size_t(Rows * Cols), 0);
  const auto At = [&](qsizetype I, qsizetype J) -> uint16_t & {
    return Lengths[size_t(I * Cols + J)];
  };
  for (qsizetype I = Old.size() - 1; I >= 0; --I)
    for (qsizetype J = New.size() - 1; J >= 0; --J)
      At(I, J) =
          Old[I] == New[J] ? uint16_t(At(I + 1, J + 1) + 1) : std::max(At(I + 1, J), At(I, J + 1));
  const auto Character = [](uint C) {
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(&C), 1);
  };
  qsizetype I = 0, J = 0;
  while (I < Old.size() || J < New.size()) {
    if (I < Old.size() && J < New.size() && Old[I] == New[J]) {
      Append(Pieces, TTextDifference::tdSame, Character(Old[I]));
      ++I;
      ++J;
    } else if (J == New.size() || (I < Old.size() && At(I + 1, J) >= At(I, J + 1))) {
      Append(Pieces, TTextDifference::tdRemoved, Character(Old[I]));
      ++I;
    } else {
      Append(Pieces, TTextDifference::tdAdded, Character(New[J]));
      ++J;
    }
  }
}

// Within each run of changes, the removed text goes before the added one.
std::vector<TTextDifference> Ordered(const std::vector<TTextDifference> &Pieces) {
  std::vector<TTextDifference> Result;
  QString Removed, Added;
  const auto Flush = [&] {
    Append(Result, TTextDifference::tdRemoved, Removed);
    Append(Result, TTextDifference::tdAdded, Added);
    Removed.clear();
    Added.clear();
  };
  for (const TTextDifference &P : Pieces) {
    if (P.Kind == TTextDifference::tdSame) {
      Flush();
      Append(Result, P.Kind, P.Text);
    } else {
      (P.Kind == TTextDifference::tdRemoved ? Removed : Added) += P.Text;
    }
  }
  Flush();
  return Result;
}

} // namespace

std::vector<TTextDifference> TextDifferences(QStringView Old, QStringView New) {
  qsizetype Prefix = 0;
  while (Prefix < Old.size() && Prefix < New.size() && Old[Prefix] == New[Prefix])
    ++Prefix;
  qsizetype Suffix = 0;
  while (Suffix < Old.size() - Prefix && Suffix < New.size() - Prefix &&
         Old[Old.size() - 1 - Suffix] == New[New.size() - 1 - Suffix])
    ++Suffix;
  // The common beginning and end stop short of half a surrogate pair.
  if (Prefix > 0 && Old[Prefix - 1].isHighSurrogate())
    --Prefix;
  if (Suffix > 0 && Old[Old.size() - Suffix].isLowSurrogate())
    --Suffix;
  const QStringView OldMiddle = Old.mid(Prefix, Old.size() - Prefix - Suffix);
  const QStringView NewMiddle = New.mid(Prefix, New.size() - Prefix - Suffix);

  std::vector<TTextDifference> Pieces;
  Append(Pieces, TTextDifference::tdSame, Old.first(Prefix));
  if ((OldMiddle.size() + 1) * (NewMiddle.size() + 1) <= MaxCells) {
    CompareMiddles(OldMiddle, NewMiddle, Pieces);
  } else {
    Append(Pieces, TTextDifference::tdRemoved, OldMiddle);
    Append(Pieces, TTextDifference::tdAdded, NewMiddle);
  }
  Append(Pieces, TTextDifference::tdSame, Old.last(Suffix));
  return Ordered(Pieces);
}
