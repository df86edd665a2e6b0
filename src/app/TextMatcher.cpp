#include "TextMatcher.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool IsWordChar(char32_t C) {
  return QChar::isLetterOrNumber(C) || QChar::isMark(C) || C == U'_';
}

// The code points on either side of a position, surrogate pairs joined.
bool IsWordCharBefore(QStringView Text, qsizetype Pos) {
  if (Pos <= 0)
    return false;
  const QChar Low = Text[Pos - 1];
  if (Low.isLowSurrogate() && Pos >= 2 && Text[Pos - 2].isHighSurrogate())
    return IsWordChar(QChar::surrogateToUcs4(Text[Pos - 2], Low));
  return IsWordChar(Low.unicode());
}

bool IsWordCharAt(QStringView Text, qsizetype Pos) {
  if (Pos >= Text.size())
    return false;
  const QChar High = Text[Pos];
  if (High.isHighSurrogate() && Pos + 1 < Text.size() && Text[Pos + 1].isLowSurrogate())
    return IsWordChar(QChar::surrogateToUcs4(High, Text[Pos + 1]));
  return IsWordChar(High.unicode());
}

// Every UTF-16 unit that case folding changes, as (folded, unit), sorted.
const std::vector<std::pair<char16_t, char16_t>> &CaseFolds() {
  static const std::vector<std::pair<char16_t, char16_t>> Folds = [] {
    std::vector<std::pair<char16_t, char16_t>> List;
    for (char32_t C = 0; C <= 0xFFFF; ++C)
      if (const char32_t F = QChar::toCaseFolded(C); F != C)
        List.emplace_back(char16_t(F), char16_t(C));
    std::sort(List.begin(), List.end());
    return List;
  }();
  return Folds;
}

// The same rule as IsWordChar, as lookarounds, so that the engine can still
// try other matches at a position whose first one is part of a longer word.
const QString WordBefore = QStringLiteral("(?<![\\w\\p{M}])(?:");
const QString WordAfter = QStringLiteral(")(?![\\w\\p{M}])");

} // namespace

TTextMatcher::TTextMatcher(const QString &Pattern, TTextMatchOptions Options)
    : FPattern(Pattern), FOptions(Options) {
  const Qt::CaseSensitivity Case =
      Options.testFlag(tmoMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  if (!Options.testFlag(tmoRegularExpression)) {
    if (Case == Qt::CaseInsensitive && !Pattern.isEmpty() && !Pattern[0].isSurrogate())
      FindFirstVariants();
    if (!FScanFolded)
      FLiteral = QStringMatcher(Pattern, Case);
    return;
  }
  QRegularExpression::PatternOptions ReOptions = QRegularExpression::UseUnicodePropertiesOption;
  if (Case == Qt::CaseInsensitive)
    ReOptions |= QRegularExpression::CaseInsensitiveOption;
  // The pattern is checked on its own first: wrapped, a trailing backslash
  // would escape the wrapper's parenthesis instead of failing.
  FRegex = QRegularExpression(Pattern, ReOptions);
  if (FRegex.isValid() && Options.testFlag(tmoWholeWords))
    FRegex.setPattern(WordBefore + Pattern + WordAfter);
  if (!FRegex.isValid()) {
    FErrorString = FRegex.errorString();
    return;
  }
  FRegex.optimize();
}

void TTextMatcher::FindFirstVariants() {
  const char16_t Folded = char16_t(QChar::toCaseFolded(char32_t(FPattern[0].unicode())));
  const auto &Folds = CaseFolds();
  const auto Range = std::equal_range(Folds.begin(), Folds.end(), std::pair(Folded, char16_t(0)),
                                      [](auto A, auto B) { return A.first < B.first; });
  if (Range.second - Range.first >= qsizetype(FFirstVariants.size()))
    return;
  FFirstVariants.fill(Folded);
  std::transform(Range.first, Range.second, FFirstVariants.begin() + 1,
                 [](auto Fold) { return Fold.second; });
  FScanFolded = true;
}

qsizetype TTextMatcher::IndexIn(QStringView Text, qsizetype From) const {
  return FScanFolded ? IndexInFolded(Text, From) : FLiteral.indexIn(Text, From);
}

qsizetype TTextMatcher::IndexInFolded(QStringView Text, qsizetype From) const {
  const QStringView Rest = QStringView(FPattern).sliced(1);
  const qsizetype Last = Text.size() - FPattern.size();
  const char16_t *Data = Text.utf16();
  for (qsizetype I = From; I <= Last; ++I) {
    const char16_t C = Data[I];
    if ((C == FFirstVariants[0] || C == FFirstVariants[1] || C == FFirstVariants[2] ||
         C == FFirstVariants[3]) &&
        Text.sliced(I + 1, Rest.size()).compare(Rest, Qt::CaseInsensitive) == 0)
      return I;
  }
  return -1;
}

bool TTextMatcher::IsWholeWordAt(QStringView Text, qsizetype Start) const {
  return !IsWordCharBefore(Text, Start) && !IsWordCharAt(Text, Start + FPattern.size());
}

TTextMatch TTextMatcher::Find(QStringView Text, qsizetype From) const {
  if (MatchesNothing() || From < 0 || From > Text.size())
    return {};
  if (FOptions.testFlag(tmoRegularExpression)) {
    const QRegularExpressionMatch M = FRegex.match(Text, From);
    if (!M.hasMatch())
      return {};
    return {M.capturedStart(), M.capturedLength()};
  }
  for (qsizetype Pos = IndexIn(Text, From); Pos >= 0; Pos = IndexIn(Text, Pos + 1))
    if (!FOptions.testFlag(tmoWholeWords) || IsWholeWordAt(Text, Pos))
      return {Pos, FPattern.size()};
  return {};
}

TTextMatch TTextMatcher::FindLast(QStringView Text, qsizetype Before) const {
  // Walking forward keeps find previous on the matches find next visits; a
  // later match starts after this one ends, so the first one ending too late
  // ends the walk.
  TTextMatch Last;
  for (TTextMatch M = Find(Text, 0); M.Found() && M.Start + M.Length <= Before;
       M = Find(Text, M.Start + qMax(M.Length, qsizetype(1))))
    Last = M;
  return Last;
}

int TTextMatcher::ReplaceAll(QString &Text, const QString &Replacement) const {
  if (MatchesNothing())
    return 0;
  if (FOptions.testFlag(tmoRegularExpression)) {
    int Count = 0;
    for (QRegularExpressionMatchIterator It = FRegex.globalMatch(Text); It.hasNext(); It.next())
      ++Count;
    if (Count > 0)
      Text.replace(FRegex, Replacement);
    return Count;
  }
  QString Result;
  int Count = 0;
  qsizetype Done = 0;
  for (TTextMatch M = Find(Text, 0); M.Found(); M = Find(Text, M.Start + M.Length)) {
    if (Count++ == 0)
      Result.reserve(Text.size());
    Result.append(QStringView(Text).sliced(Done, M.Start - Done)).append(Replacement);
    Done = M.Start + M.Length;
  }
  if (Count > 0)
    Text = Result.append(QStringView(Text).sliced(Done));
  return Count;
}
