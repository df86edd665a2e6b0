#pragma once

#include "LangSource.h"
#include "Translations.h"

#include <QByteArray>
#include <memory>

// An open document built from texts, reconciled as the editor does it.
struct TGridTestDocument {
  // Texts in UTF-8; a null display text means no display translation.
  TGridTestDocument(const QByteArray &SourceText, const QByteArray &TranslationText,
                    const char *DisplayText = nullptr);

  std::unique_ptr<TLangSource> Source;
  std::unique_ptr<TZrLang_CompTranslations> Translation;
  std::unique_ptr<TZrLang_CompTranslations> Display;
};

// Two components (listed as Dialog.About, Form1) and two constants; in tree
// order:
//   0 Dialog.About            5 Form1.Button1.Caption
//   1 About Caption (U)       6 Form1.Label1.Caption (U)
//   2 About Memo1.Text (U)    7 Constants
//   3 Form1                   8 SHello
//   4 Form1 Caption           9 SMulti (U)
// (U): untranslated after the reconciliation. The display translation has
// Form1 Caption and SMulti.
extern const char SmallSource[];
extern const char SmallTranslation[];
extern const char SmallDisplay[];
