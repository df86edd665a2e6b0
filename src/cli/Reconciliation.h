#pragma once

#include "LangSource.h"
#include "TranslationSupport.h"
#include "Translations.h"

#include <QString>
#include <array>
#include <memory>

// A language source with a translation brought into line with it, as the
// editor holds them once a translation has been opened.
struct TReconciledDocument {
  std::unique_ptr<TLangSource> Source;
  std::unique_ptr<TZrLang_CompTranslations> Translation;
  bool bNewTranslation = false;
  TTranslationLanguages Languages;
  QString Log; // the differences log, CR LF line ends
  // Added comps, props, consts; removed comps, props, consts; total comps,
  // props, consts.
  std::array<int, 9> Counts{};
};

// A blank TranslationFile stands for a new, empty translation. The library's
// errors pass through unchanged.
TReconciledDocument ReconcileTranslation(const QString &SourceFile, const QString &TranslationFile);

// Warns on stderr about the source's entries that cannot be translated
// because their ID is 0 or negative; nothing when there are none.
void WarnNonPositiveIDs(const TLangSource &Source);

// The totals table of the differences, from the program's constant, with its
// columns aligned by blanks; lines end with LF.
QString DifferencesTotalsText(const std::array<int, 9> &Counts);
