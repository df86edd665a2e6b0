#include "SpellingWords.h"

#include "FormatPlaceholders.h"
#include "SpellChecker.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace {

void Mark(std::vector<bool> &Skip, qsizetype Start, qsizetype End) {
  std::fill(Skip.begin() + Start, Skip.begin() + std::min(End, qsizetype(Skip.size())), true);
}

// Every placeholder, also after a malformed one, which only stops a parse.
void MarkPlaceholders(QStringView Text, std::vector<bool> &Skip) {
  qsizetype From = 0;
  while (From < Text.size()) {
    const QStringView Rest = Text.sliced(From);
    const qsizetype Percent = Rest.indexOf(u'%');
    if (Percent < 0)
      return;
    const TFormatPlaceholders Found = ParseFormatPlaceholders(Rest);
    for (const TFormatPlaceholder &P : Found.Items) {
      const qsizetype Start = From + (P.Text.data() - Rest.data());
      Mark(Skip, Start, Start + P.Text.size());
    }
    if (Found.Malformed.isEmpty())
      return;
    // The malformed piece's last character may start a word.
    From +=
        (Found.Malformed.data() - Rest.data()) + std::max<qsizetype>(Found.Malformed.size() - 1, 1);
  }
}

bool IsAsciiDigit(QChar C) {
  return C >= u'0' && C <= u'9';
}

void MarkEscapes(QStringView Text, std::vector<bool> &Skip) {
  for (qsizetype I = Text.indexOf(u'\\'); I >= 0 && I + 1 < Text.size();
       I = Text.indexOf(u'\\', I)) {
    const QChar Next = Text[I + 1];
    qsizetype Length = 1;
    if (Next == u'n' || Next == u't' || Next == u'\\')
      Length = 2;
    else if (I + 2 < Text.size() && IsAsciiDigit(Next) && IsAsciiDigit(Text[I + 2]))
      Length = 3;
    Mark(Skip, I, I + Length);
    I += Length;
  }
}

void MarkAddresses(QStringView Text, std::vector<bool> &Skip) {
  if (!Text.contains(u':') && !Text.contains(u'@') && !Text.contains(u"www.", Qt::CaseInsensitive))
    return;
  static const QRegularExpression Address(
      QStringLiteral(R"((?:\b[A-Za-z][A-Za-z0-9+.-]*://|\bwww\.|\bmailto:)\S+|[^\s@]+@[^\s@]+)"),
      QRegularExpression::CaseInsensitiveOption);
  for (QRegularExpressionMatchIterator It = Address.globalMatch(Text); It.hasNext();) {
    const QRegularExpressionMatch M = It.next();
    Mark(Skip, M.capturedStart(), M.capturedEnd());
  }
}

// Words joined by full stops: file names ("readme.txt"), host names,
// abbreviations ("e.g.").
void MarkDottedNames(QStringView Text, std::vector<bool> &Skip) {
  if (!Text.contains(u'.'))
    return;
  static const QRegularExpression Dotted(QStringLiteral(R"(\w+(?:\.\w+)+)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
  for (QRegularExpressionMatchIterator It = Dotted.globalMatch(Text); It.hasNext();) {
    const QRegularExpressionMatch M = It.next();
    Mark(Skip, M.capturedStart(), M.capturedEnd());
  }
}

bool IsJudged(QStringView Word) {
  bool Lower = false, Upper = false, CapitalAfterSmall = false;
  for (QChar C : Word) {
    if (C.isDigit() || C == u'_' || C == u'.' || C == u':')
      return false;
    if (C.isLower()) {
      Lower = true;
    } else if (C.isUpper()) {
      CapitalAfterSmall = CapitalAfterSmall || Lower;
      Upper = true;
    }
  }
  if (!Lower && !Upper)
    return false;
  // "A" is a word; "AB" an abbreviation.
  if (!Lower && Word.size() > 1)
    return false;
  return !CapitalAfterSmall;
}

} // namespace

QString TSpellingWord::Replacement(const QString &Suggestion) const {
  if (Accelerator < 0 || Suggestion.isEmpty())
    return Suggestion;
  QString Result = Suggestion;
  Result.insert(std::min(Accelerator, Suggestion.size() - 1), u'&');
  return Result;
}

std::vector<TSpellingWord> SpellingWords(QStringView Text) {
  std::vector<bool> Skip(size_t(Text.size()), false);
  MarkPlaceholders(Text, Skip);
  MarkEscapes(Text, Skip);
  MarkAddresses(Text, Skip);
  MarkDottedNames(Text, Skip);

  // The text with what is skipped blanked out and accelerator marks taken
  // out, and where each of its characters came from.
  QString Clean;
  Clean.reserve(Text.size());
  std::vector<qsizetype> Origin;
  Origin.reserve(size_t(Text.size()));
  std::vector<qsizetype> Marks; // positions in Clean that follow a mark
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const QChar C = Text[I];
    if (Skip[size_t(I)]) {
      Clean.append(u' ');
      Origin.push_back(I);
    } else if (C == u'&' && I + 1 < Text.size() && Text[I + 1] == u'&') {
      Clean.append(u"  ");
      Origin.push_back(I);
      Origin.push_back(++I);
    } else if (C == u'&') {
      Marks.push_back(Clean.size());
    } else {
      Clean.append(C);
      Origin.push_back(I);
    }
  }

  std::vector<TSpellingWord> Words;
  QTextBoundaryFinder Finder(QTextBoundaryFinder::Word, Clean);
  qsizetype Start = -1;
  for (qsizetype At = 0; At >= 0; At = Finder.toNextBoundary()) {
    const QTextBoundaryFinder::BoundaryReasons Reasons = Finder.boundaryReasons();
    if (Start >= 0 && (Reasons & QTextBoundaryFinder::EndOfItem)) {
      const QStringView Word = QStringView(Clean).sliced(Start, At - Start);
      if (IsJudged(Word)) {
        TSpellingWord W{Origin[size_t(Start)], Origin[size_t(At - 1)] + 1 - Origin[size_t(Start)],
                        Word.toString()};
        const auto Mark = std::lower_bound(Marks.begin(), Marks.end(), Start);
        if (Mark != Marks.end() && *Mark < At) {
          W.Accelerator = *Mark - Start;
          if (W.Accelerator == 0) {
            --W.Start;
            ++W.Length;
          }
        }
        Words.push_back(std::move(W));
      }
      Start = -1;
    }
    if (Reasons & QTextBoundaryFinder::StartOfItem)
      Start = At;
  }
  return Words;
}

std::vector<TSpellingWord> MisspelledWords(QStringView Text, TSpellChecker &Checker) {
  std::vector<TSpellingWord> Words = SpellingWords(Text);
  std::erase_if(Words, [&](const TSpellingWord &W) { return Checker.Check(W.Text); });
  return Words;
}
