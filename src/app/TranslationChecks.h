#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <span>
#include <vector>

// Quality checks of one translated value against its source value. Values
// are raw (real line breaks and tabs, not escaped).

enum class TCheckSeverity : quint8 { Info, Warning, Error }; // ascending

enum TTranslationCheck : quint8 {
  tcFormat,
  tcAccelerator,
  tcLineBreaks,
  tcWhitespace,
  tcPunctuation,
  tcEmpty,
  tcUnchanged,
  tcSpelling,
};
constexpr int TranslationCheckCount = tcSpelling + 1;

class TSpellChecker;

struct TCheckProblem {
  TTranslationCheck Check;
  TCheckSeverity Severity;
  QString Message; // in the interface language
};

// What a check is called on the command line and how bad its problems are.
struct TTranslationCheckInfo {
  TTranslationCheck Check;
  const char16_t *Id; // "format"
  TCheckSeverity Severity;
  const char16_t *Summary; // one line of English for the command-line help
};
// In the order of TTranslationCheck.
std::span<const TTranslationCheckInfo> TranslationCheckInfos();
const TTranslationCheckInfo &TranslationCheckInfo(TTranslationCheck Check);
std::optional<TTranslationCheck> FindTranslationCheck(QStringView Id);
// "error", "warning", "info".
QString CheckSeverityName(TCheckSeverity Severity);

// A set of checks.
class TTranslationCheckSet {
public:
  constexpr TTranslationCheckSet() = default;
  static constexpr TTranslationCheckSet All() {
    TTranslationCheckSet S;
    S.FBits = (1u << TranslationCheckCount) - 1;
    return S;
  }
  constexpr bool Contains(TTranslationCheck C) const { return (FBits & (1u << C)) != 0; }
  constexpr void Include(TTranslationCheck C) { FBits |= 1u << C; }
  constexpr void Exclude(TTranslationCheck C) { FBits &= ~(1u << C); }
  constexpr bool IsEmpty() const { return FBits == 0; }

private:
  quint32 FBits = 0;
};

// The checks, each one problem at most. TargetLangID is the translation's
// LANGID.
//   format (error): the run-time format placeholders differ in number, type
//     or the argument they take; "%%" is text. Names the first difference.
std::optional<TCheckProblem> CheckFormat(QStringView Source, QStringView Translation);
//   accelerator (warning): one of the two has exactly one "&" accelerator
//     ("&&" is a plain "&") and the other has none or several.
std::optional<TCheckProblem> CheckAccelerator(QStringView Source, QStringView Translation);
//   linebreaks (warning): the numbers of line breaks (CR LF, LF or CR) differ.
std::optional<TCheckProblem> CheckLineBreaks(QStringView Source, QStringView Translation);
//   whitespace (warning): the numbers of leading or of trailing blanks
//     (spaces and tabs, line breaks excluded) differ.
std::optional<TCheckProblem> CheckWhitespace(QStringView Source, QStringView Translation);
//   punctuation (warning): the source ends with ".", ":", "!", "?" or an
//     ellipsis ("..." and "…" are one) and the translation ends otherwise;
//     for Chinese, Japanese and Korean targets the full-width forms of
//     ":", "?", "!" and "." (and "。") are the same. Trailing blanks and line
//     breaks are not looked at.
std::optional<TCheckProblem> CheckPunctuation(QStringView Source, QStringView Translation,
                                              quint16 TargetLangID);
//   empty (error): the translation is empty and the source is not.
std::optional<TCheckProblem> CheckEmpty(QStringView Source, QStringView Translation);
//   unchanged (info): the translation is the source, which has a letter.
std::optional<TCheckProblem> CheckUnchanged(QStringView Source, QStringView Translation);
//   spelling (info): words of the translation (see SpellingWords) that
//     Checker does not know; names the first few, each once.
std::optional<TCheckProblem> CheckSpelling(QStringView Translation, TSpellChecker &Checker);

// All checks but those a comma-separated list of identifiers names
// ("unchanged,spelling"); unknown identifiers are passed over.
TTranslationCheckSet ChecksWithout(QStringView DisabledIds);
// The identifiers of the checks Checks lacks, comma-separated, in the order
// of TTranslationCheck.
QString DisabledCheckIds(TTranslationCheckSet Checks);

// Runs the chosen checks on a translated value in the order of
// TTranslationCheck, appending their problems to Problems. An empty
// translation of a non-empty source is only checked by "empty": every other
// check would merely repeat it. Spelling is checked only with a Speller (of
// the target language), and not in a translation equal to its source.
void RunTranslationChecks(TTranslationCheckSet Checks, QStringView Source, QStringView Translation,
                          quint16 TargetLangID, std::vector<TCheckProblem> &Problems,
                          TSpellChecker *Speller = nullptr);
std::vector<TCheckProblem> RunTranslationChecks(TTranslationCheckSet Checks, QStringView Source,
                                                QStringView Translation, quint16 TargetLangID,
                                                TSpellChecker *Speller = nullptr);
