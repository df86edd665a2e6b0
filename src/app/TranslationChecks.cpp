#include "TranslationChecks.h"

#include "FormatPlaceholders.h"
#include "LanguageManager.h"
#include "SpellChecker.h"
#include "SpellingWords.h"

#include <QVariantList>
#include <algorithm>

namespace {

constexpr TTranslationCheckInfo Infos[] = {
    {tcFormat, u"format", TCheckSeverity::Error,
     u"placeholders (%d, %1:s, ...) lost, added or retyped"},
    {tcAccelerator, u"accelerator", TCheckSeverity::Warning,
     u"exactly one & accelerator on one side only"},
    {tcLineBreaks, u"linebreaks", TCheckSeverity::Warning, u"the numbers of line breaks differ"},
    {tcWhitespace, u"whitespace", TCheckSeverity::Warning,
     u"the numbers of leading or trailing blanks differ"},
    {tcPunctuation, u"punctuation", TCheckSeverity::Warning,
     u"the source's final . : ... ! ? lost or another"},
    {tcEmpty, u"empty", TCheckSeverity::Error, u"the translation is empty, the source is not"},
    {tcUnchanged, u"unchanged", TCheckSeverity::Info,
     u"the translation equals a source with letters"},
    {tcSpelling, u"spelling", TCheckSeverity::Info,
     u"words the target language's dictionary lacks"},
};
static_assert(std::size(Infos) == TranslationCheckCount);

TCheckProblem Problem(TTranslationCheck Check, QStringView Constant, const QVariantList &Args) {
  return {Check, Infos[Check].Severity, LangConstantFmt(Constant, Args)};
}

// --- format

bool PlaceholderLess(const TFormatPlaceholder &A, const TFormatPlaceholder &B) {
  return A.ArgIndex != B.ArgIndex ? A.ArgIndex < B.ArgIndex : A.Type < B.Type;
}

struct TUnmatched {
  std::vector<TFormatPlaceholder> Source, Translation;
};

// The placeholders that the other side does not match by argument and type,
// in argument order.
TUnmatched Unmatched(std::vector<TFormatPlaceholder> Source,
                     std::vector<TFormatPlaceholder> Translation) {
  std::stable_sort(Source.begin(), Source.end(), PlaceholderLess);
  std::stable_sort(Translation.begin(), Translation.end(), PlaceholderLess);
  auto S = Source.begin(), T = Translation.begin();
  TUnmatched Result;
  while (S != Source.end() || T != Translation.end()) {
    if (T == Translation.end() || (S != Source.end() && PlaceholderLess(*S, *T))) {
      Result.Source.push_back(*S++);
    } else if (S == Source.end() || PlaceholderLess(*T, *S)) {
      Result.Translation.push_back(*T++);
    } else {
      ++S;
      ++T;
    }
  }
  return Result;
}

QString Shown(const TFormatPlaceholder &P) {
  return P.Text.toString();
}

// --- text shapes

bool IsBlank(QChar C) {
  return C != u'\r' && C != u'\n' && C.isSpace();
}

int LeadingBlanks(QStringView S) {
  int N = 0;
  while (N < S.size() && IsBlank(S[N]))
    ++N;
  return N;
}

int TrailingBlanks(QStringView S) {
  int N = 0;
  while (N < S.size() && IsBlank(S[S.size() - 1 - N]))
    ++N;
  return N;
}

int LineBreaks(QStringView S) {
  int N = 0;
  for (qsizetype I = 0; I < S.size(); ++I)
    if (S[I] == u'\n' || (S[I] == u'\r' && (I + 1 == S.size() || S[I + 1] != u'\n')))
      ++N;
  return N;
}

int Accelerators(QStringView S) {
  int N = 0;
  for (qsizetype I = S.indexOf(u'&'); I >= 0 && I + 1 < S.size(); I = S.indexOf(u'&', I)) {
    if (S[I + 1] != u'&')
      ++N;
    I += 2;
  }
  return N;
}

bool IsCJK(quint16 LangID) {
  switch (LangID & 0x3FF) {
  case 0x04: // Chinese
  case 0x11: // Japanese
  case 0x12: // Korean
    return true;
  default:
    return false;
  }
}

// The final punctuation of a text, trailing blanks and line breaks aside:
// what it reads as (Key) and how it is written (Text). No Key when none.
struct TEnding {
  char16_t Key = 0;
  QStringView Text;
};

TEnding Ending(QStringView S, bool bCJK) {
  while (!S.isEmpty() && S.back().isSpace())
    S.chop(1);
  if (S.isEmpty())
    return {};
  if (S.endsWith(u"..."))
    return {u'…', S.last(3)};
  const char16_t C = S.back().unicode();
  switch (C) {
  case u'.':
  case u':':
  case u'!':
  case u'?':
  case u'…':
    return {C, S.last(1)};
  case u'。':
  case u'．':
    return {bCJK ? u'.' : C, S.last(1)};
  case u'：':
    return {bCJK ? u':' : C, S.last(1)};
  case u'！':
    return {bCJK ? u'!' : C, S.last(1)};
  case u'？':
    return {bCJK ? u'?' : C, S.last(1)};
  default:
    return {};
  }
}

// A letter outside the run-time format's placeholders ("%d" has none).
bool HasLetter(QStringView S) {
  for (qsizetype I = 0; I < S.size(); ++I) {
    if (S[I] == u'%') {
      ++I;
      while (I < S.size() &&
             (S[I].isDigit() || S[I] == u':' || S[I] == u'-' || S[I] == u'.' || S[I] == u'*'))
        ++I;
    } else if (S[I].isLetter()) {
      return true;
    }
  }
  return false;
}

} // namespace

std::span<const TTranslationCheckInfo> TranslationCheckInfos() {
  return Infos;
}

const TTranslationCheckInfo &TranslationCheckInfo(TTranslationCheck Check) {
  return Infos[Check];
}

std::optional<TTranslationCheck> FindTranslationCheck(QStringView Id) {
  for (const TTranslationCheckInfo &Info : Infos)
    if (Id == QStringView(Info.Id))
      return Info.Check;
  return std::nullopt;
}

TTranslationCheckSet ChecksWithout(QStringView DisabledIds) {
  TTranslationCheckSet Checks = TTranslationCheckSet::All();
  for (QStringView Id : DisabledIds.split(u',', Qt::SkipEmptyParts))
    if (const auto Check = FindTranslationCheck(Id.trimmed()))
      Checks.Exclude(*Check);
  return Checks;
}

QString DisabledCheckIds(TTranslationCheckSet Checks) {
  QStringList Ids;
  for (const TTranslationCheckInfo &Info : Infos)
    if (!Checks.Contains(Info.Check))
      Ids.append(QString::fromUtf16(Info.Id));
  return Ids.join(u',');
}

QString CheckSeverityName(TCheckSeverity Severity) {
  switch (Severity) {
  case TCheckSeverity::Error:
    return QStringLiteral("error");
  case TCheckSeverity::Warning:
    return QStringLiteral("warning");
  case TCheckSeverity::Info:
    break;
  }
  return QStringLiteral("info");
}

std::optional<TCheckProblem> CheckFormat(QStringView Source, QStringView Translation) {
  if (!Source.contains(u'%') && !Translation.contains(u'%'))
    return std::nullopt;
  const TFormatPlaceholders S = ParseFormatPlaceholders(Source);
  // A source that the run time would refuse is no format text.
  if (!S.Malformed.isEmpty())
    return std::nullopt;
  const TFormatPlaceholders T = ParseFormatPlaceholders(Translation);
  // A stray '%' matters only where the source is a format.
  if (!T.Malformed.isEmpty() && S.bHasPercent)
    return Problem(tcFormat, u"SCheckFormatMalformed", {T.Malformed.toString()});
  const TUnmatched D = Unmatched(S.Items, T.Items);
  if (!D.Source.empty() && !D.Translation.empty())
    return Problem(tcFormat, u"SCheckFormatDiffers",
                   {Shown(D.Translation.front()), Shown(D.Source.front())});
  if (!D.Source.empty())
    return Problem(tcFormat, u"SCheckFormatMissing", {Shown(D.Source.front())});
  if (!D.Translation.empty())
    return Problem(tcFormat, u"SCheckFormatExtra", {Shown(D.Translation.front())});
  return std::nullopt;
}

std::optional<TCheckProblem> CheckAccelerator(QStringView Source, QStringView Translation) {
  const int S = Accelerators(Source), T = Accelerators(Translation);
  if ((S == 1) == (T == 1))
    return std::nullopt;
  return Problem(tcAccelerator, u"SCheckAccelerators", {S, T});
}

std::optional<TCheckProblem> CheckLineBreaks(QStringView Source, QStringView Translation) {
  const int S = LineBreaks(Source), T = LineBreaks(Translation);
  if (S == T)
    return std::nullopt;
  return Problem(tcLineBreaks, u"SCheckLineBreaks", {S, T});
}

std::optional<TCheckProblem> CheckWhitespace(QStringView Source, QStringView Translation) {
  const int SL = LeadingBlanks(Source), TL = LeadingBlanks(Translation);
  if (SL != TL)
    return Problem(tcWhitespace, u"SCheckLeadingBlanks", {SL, TL});
  const int ST = TrailingBlanks(Source), TT = TrailingBlanks(Translation);
  if (ST != TT)
    return Problem(tcWhitespace, u"SCheckTrailingBlanks", {ST, TT});
  return std::nullopt;
}

std::optional<TCheckProblem> CheckPunctuation(QStringView Source, QStringView Translation,
                                              quint16 TargetLangID) {
  const bool bCJK = IsCJK(TargetLangID);
  const TEnding S = Ending(Source, bCJK);
  if (!S.Key)
    return std::nullopt;
  const TEnding T = Ending(Translation, bCJK);
  if (S.Key == T.Key)
    return std::nullopt;
  if (!T.Key)
    return Problem(tcPunctuation, u"SCheckFinalPunctuationMissing", {S.Text.toString()});
  return Problem(tcPunctuation, u"SCheckFinalPunctuation", {S.Text.toString(), T.Text.toString()});
}

std::optional<TCheckProblem> CheckEmpty(QStringView Source, QStringView Translation) {
  if (Source.isEmpty() || !Translation.isEmpty())
    return std::nullopt;
  return Problem(tcEmpty, u"SCheckEmpty", {});
}

std::optional<TCheckProblem> CheckUnchanged(QStringView Source, QStringView Translation) {
  if (Source != Translation || !HasLetter(Source))
    return std::nullopt;
  return Problem(tcUnchanged, u"SCheckUnchanged", {});
}

std::optional<TCheckProblem> CheckSpelling(QStringView Translation, TSpellChecker &Checker) {
  // A message names a few; the rest are counted.
  constexpr qsizetype Named = 3;
  QStringList Misspelled;
  for (const TSpellingWord &Word : SpellingWords(Translation))
    if (!Misspelled.contains(Word.Text) && !Checker.Check(Word.Text))
      Misspelled.append(Word.Text);
  if (Misspelled.isEmpty())
    return std::nullopt;
  const QString List = Misspelled.first(std::min(Named, Misspelled.size())).join(u", ");
  if (Misspelled.size() <= Named)
    return Problem(tcSpelling, u"SCheckSpelling", {List});
  return Problem(tcSpelling, u"SCheckSpellingMore", {List, int(Misspelled.size() - Named)});
}

void RunTranslationChecks(TTranslationCheckSet Checks, QStringView Source, QStringView Translation,
                          quint16 TargetLangID, std::vector<TCheckProblem> &Problems,
                          TSpellChecker *Speller) {
  const auto Add = [&](std::optional<TCheckProblem> P) {
    if (P)
      Problems.push_back(std::move(*P));
  };
  if (Translation.isEmpty() && !Source.isEmpty()) {
    if (Checks.Contains(tcEmpty))
      Add(CheckEmpty(Source, Translation));
    return;
  }
  if (Checks.Contains(tcFormat))
    Add(CheckFormat(Source, Translation));
  if (Checks.Contains(tcAccelerator))
    Add(CheckAccelerator(Source, Translation));
  if (Checks.Contains(tcLineBreaks))
    Add(CheckLineBreaks(Source, Translation));
  if (Checks.Contains(tcWhitespace))
    Add(CheckWhitespace(Source, Translation));
  if (Checks.Contains(tcPunctuation))
    Add(CheckPunctuation(Source, Translation, TargetLangID));
  if (Checks.Contains(tcUnchanged))
    Add(CheckUnchanged(Source, Translation));
  // A value left as the source is in the source's language.
  if (Checks.Contains(tcSpelling) && Speller && Translation != Source)
    Add(CheckSpelling(Translation, *Speller));
}

std::vector<TCheckProblem> RunTranslationChecks(TTranslationCheckSet Checks, QStringView Source,
                                                QStringView Translation, quint16 TargetLangID,
                                                TSpellChecker *Speller) {
  std::vector<TCheckProblem> Problems;
  RunTranslationChecks(Checks, Source, Translation, TargetLangID, Problems, Speller);
  return Problems;
}
