#pragma once

#include "LangSource.h"
#include "TranslationDocument.h"
#include "Translations.h"
#include "UndoDocument.h"

#include <QByteArray>
#include <memory>

// An open document built from texts, reconciled as the editor does it. The
// pointers are to the document's files.
struct TGridTestDocument {
  // Texts in UTF-8; a null display text means no display translation.
  TGridTestDocument(const QByteArray &SourceText, const QByteArray &TranslationText,
                    const char *DisplayText = nullptr);

  TUndoDocument Document;
  TLangSource *Source = nullptr;
  TZrLang_CompTranslations *Translation = nullptr;
  TZrLang_CompTranslations *Display = nullptr; // null when there is none
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
