#pragma once

#include <QString>
#include <QStringList>
#include <bitset>
#include <vector>

// One compiled mask: "*" matches any run of characters, "?" one character,
// "[a-z]" one character of a set, "[!a-z]" one outside it; anything else
// matches itself, ASCII letters without regard to case. Characters above
// U+00FF never belong to a set.
class TZrLang_Mask {
public:
  // Raises EMaskException "'%s' is an invalid mask at (%d)" for an empty or
  // unclosed set, a range without a first character, or more than 30 "*".
  explicit TZrLang_Mask(const QString &Mask);
  bool Matches(QStringView S) const;
  const QString &Text() const { return FText; }

private:
  enum TTokenKind { tkLiteral, tkAnyChar, tkAnyRun, tkSet };
  struct TToken {
    TTokenKind Kind = tkLiteral;
    char16_t Char = 0;
    bool Negated = false;
    std::bitset<256> Set;
  };
  static TToken Token(TTokenKind Kind, char16_t Char = 0) {
    TToken T;
    T.Kind = Kind;
    T.Char = Char;
    return T;
  }
  bool TokenMatches(const TToken &T, char16_t C) const;

  QString FText;
  std::vector<TToken> FTokens;
};

// Masks built from lines, tried in line order.
class TZrLang_MaskList {
public:
  explicit TZrLang_MaskList(const QStringList &Lines);
  bool Matches(QStringView S) const;
  int Count() const { return int(FItems.size()); }
  const TZrLang_Mask &Items(int Index) const { return FItems[size_t(Index)]; }

private:
  std::vector<TZrLang_Mask> FItems;
};
