#pragma once

#include <QFlags>
#include <QRegularExpression>
#include <QString>
#include <QStringMatcher>
#include <QStringView>
#include <array>

enum TTextMatchOption {
  tmoMatchCase = 1,
  tmoWholeWords = 2,
  tmoRegularExpression = 4,
};
Q_DECLARE_FLAGS(TTextMatchOptions, TTextMatchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TTextMatchOptions)

// One match inside a text; Start is -1 when there is none.
struct TTextMatch {
  qsizetype Start = -1;
  qsizetype Length = 0;

  bool Found() const { return Start >= 0; }
  friend bool operator==(const TTextMatch &, const TTextMatch &) = default;
};

// Finds a pattern in the values of a translation: a literal text or a regular
// expression, with or without case, optionally as a whole word only. A whole
// word is a match that has no letter, digit, mark or underscore right before
// or after it. Built once per search and then run over many values; the
// literal mode allocates nothing per call. An empty or invalid pattern matches
// nothing.
class TTextMatcher {
public:
  TTextMatcher() = default;
  TTextMatcher(const QString &Pattern, TTextMatchOptions Options);

  const QString &Pattern() const { return FPattern; }
  TTextMatchOptions Options() const { return FOptions; }
  // False only for a regular expression that does not compile.
  bool IsValid() const { return FErrorString.isEmpty(); }
  // The regular expression's own error text, in English.
  const QString &ErrorString() const { return FErrorString; }

  bool Contains(QStringView Text) const { return Find(Text, 0).Found(); }
  // The first match that starts at or after From.
  TTextMatch Find(QStringView Text, qsizetype From = 0) const;
  // The last match ending at or before Before among those that Find visits
  // from the start, each search going on where the previous match ended.
  TTextMatch FindLast(QStringView Text, qsizetype Before) const;
  // Replaces every match from left to right and returns how many there were.
  // A regular expression's replacement may name groups as \1 to \9; in the
  // literal mode it is taken as it is.
  int ReplaceAll(QString &Text, const QString &Replacement) const;

private:
  bool MatchesNothing() const { return FPattern.isEmpty() || !IsValid(); }
  bool IsWholeWordAt(QStringView Text, qsizetype Start) const;
  void FindFirstVariants();
  qsizetype IndexIn(QStringView Text, qsizetype From) const;
  qsizetype IndexInFolded(QStringView Text, qsizetype From) const;

  QString FPattern;
  TTextMatchOptions FOptions;
  QString FErrorString;
  QStringMatcher FLiteral;
  // Without case, a plain scan for the units that fold like the pattern's
  // first one (padded by repeating one) beats the folding Boyer-Moore. Not
  // used when the first is a surrogate or more than four units fold like it.
  std::array<char16_t, 4> FFirstVariants{};
  bool FScanFolded = false;
  QRegularExpression FRegex;
};
