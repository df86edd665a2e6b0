#include "MaskList.h"

#include "Exceptions.h"

namespace {

constexpr int MaxAnyRuns = 30;

char16_t FoldAscii(char16_t C) {
  return (C >= u'a' && C <= u'z') ? char16_t(C - 32) : C;
}

[[noreturn]] void InvalidMask(const QString &Mask, qsizetype Index) {
  throw EMaskException(QStringLiteral("'%1' is an invalid mask at (%2)")
                           .arg(ZrLang_QuotedName(Mask))
                           .arg(Index + 1));
}

void IncludeChar(std::bitset<256> &Set, char16_t C) {
  if (C < 256)
    Set.set(FoldAscii(C));
}

} // namespace

TZrLang_Mask::TZrLang_Mask(const QString &Mask) : FText(Mask) {
  int AnyRuns = 0;
  const qsizetype N = Mask.size();
  for (qsizetype I = 0; I < N; ++I) {
    const char16_t C = Mask[I].unicode();
    if (C == u'*') {
      if (!FTokens.empty() && FTokens.back().Kind == tkAnyRun)
        continue;
      if (++AnyRuns > MaxAnyRuns)
        InvalidMask(Mask, I);
      FTokens.push_back(Token(tkAnyRun));
    } else if (C == u'?') {
      if (!FTokens.empty() && FTokens.back().Kind == tkAnyRun)
        continue;
      FTokens.push_back(Token(tkAnyChar));
    } else if (C == u'[') {
      const qsizetype Open = I;
      TToken T = Token(tkSet);
      ++I;
      if (I < N && Mask[I] == u'!') {
        T.Negated = true;
        ++I;
      }
      bool Closed = false;
      bool Empty = true;
      for (; I < N; ++I) {
        const char16_t S = Mask[I].unicode();
        if (S == u']') {
          Closed = true;
          break;
        }
        if (S == u'-') {
          if (Empty)
            InvalidMask(Mask, I);
          // "a-" before the closing bracket: the dash is an ordinary member.
          if (I + 1 < N && Mask[I + 1] != u']') {
            const char16_t First = Mask[I - 1].unicode();
            const char16_t Last = Mask[I + 1].unicode();
            for (char32_t R = First; R <= Last && R < 256; ++R)
              IncludeChar(T.Set, char16_t(R));
            ++I;
            continue;
          }
        }
        IncludeChar(T.Set, S);
        Empty = false;
      }
      if (!Closed)
        InvalidMask(Mask, Open);
      if (Empty)
        InvalidMask(Mask, I);
      FTokens.push_back(T);
    } else {
      FTokens.push_back(Token(tkLiteral, FoldAscii(C)));
    }
  }
}

bool TZrLang_Mask::TokenMatches(const TToken &T, char16_t C) const {
  switch (T.Kind) {
  case tkLiteral:
    return T.Char == FoldAscii(C);
  case tkAnyChar:
    return true;
  case tkSet:
    return (C < 256 && T.Set.test(FoldAscii(C))) != T.Negated;
  case tkAnyRun:
    break;
  }
  return false;
}

bool TZrLang_Mask::Matches(QStringView S) const {
  // Greedy matching with one resumption point: each "*" only needs to
  // remember where it was last tried, since every other token matches
  // exactly one character.
  size_t T = 0;
  qsizetype I = 0;
  size_t StarToken = SIZE_MAX;
  qsizetype StarPos = 0;
  const size_t NT = FTokens.size();
  while (I < S.size()) {
    if (T < NT && FTokens[T].Kind == tkAnyRun) {
      StarToken = T++;
      StarPos = I;
    } else if (T < NT && TokenMatches(FTokens[T], S[I].unicode())) {
      ++T;
      ++I;
    } else if (StarToken != SIZE_MAX) {
      T = StarToken + 1;
      I = ++StarPos;
    } else {
      return false;
    }
  }
  while (T < NT && FTokens[T].Kind == tkAnyRun)
    ++T;
  return T == NT;
}

TZrLang_MaskList::TZrLang_MaskList(const QStringList &Lines) {
  FItems.reserve(size_t(Lines.size()));
  for (const QString &Line : Lines)
    FItems.emplace_back(Line);
}

bool TZrLang_MaskList::Matches(QStringView S) const {
  for (const TZrLang_Mask &M : FItems)
    if (M.Matches(S))
      return true;
  return false;
}
