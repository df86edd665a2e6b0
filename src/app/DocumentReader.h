#pragma once

#include "TranslationDocument.h"

#include <functional>
#include <memory>

// The files of a document as read and reconciled, before a document takes
// them (TTranslationDocument::Take). Reading needs no document, so it may run
// on any thread.
struct TReadDocument {
  std::unique_ptr<TLangSource> Source;
  std::unique_ptr<TZrLang_CompTranslations> Translation;
  std::unique_ptr<TZrLang_CompTranslations> Display;
  QString SourcePath;
  QString DisplayPath;
  QString TranslationPath;
  TTranslationLanguages Languages;
  TReconciliation Reconciliation;
  // Built by BuildEntries, else by the document on first use.
  TEntryTable Entries;
  bool EntriesBuilt = false;

  TReadDocument();
  ~TReadDocument();
  TReadDocument(TReadDocument &&) noexcept;
  TReadDocument &operator=(TReadDocument &&) noexcept;
};

// The steps of reading a document, in order.
enum TReadPhase { rpSource, rpDisplay, rpTranslation, rpCompare, rpPhaseCount };

// Raised by ReadDocument when its phase callback asks it to stop.
class EReadCancelled : public Exception {
public:
  EReadCancelled();
};

// Reads the source, the display translation (none when DisplayPath is
// blank) and the translation (a new, empty one when TranslationPath is
// blank), then reconciles the translation with the source, with the errors
// TTranslationDocument::Load describes. With a memory, the translated entries
// the reconciliation removes are kept in it first (REQUIRES: Memory belongs
// to the calling thread). Phase, when given, is called before each step and
// returns false to stop there with EReadCancelled. The translation is read
// on a second thread while the source and the display translation are read
// on the calling one; a stop waits for that read to end.
TReadDocument ReadDocument(const QString &SourcePath, const QString &DisplayPath,
                           const QString &TranslationPath, TTranslationMemory *Memory,
                           const std::function<bool(TReadPhase)> &Phase = {});

// Marks the entries translated automatically and builds the entry table, as
// the document that takes Read would on first use.
void BuildEntries(TReadDocument &Read);
