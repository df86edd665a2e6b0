#include "DocumentReader.h"

#include "AutotranslatedMarks.h"
#include "CommonTypes.h"
#include "CoreError.h"
#include "DocumentMemory.h"
#include "LangSource.h"
#include "TranslationMemory.h"
#include "Translations.h"

#include <future>

namespace {

// Runs Load, which reads the file at Path. A fault in the file's contents is
// raised again naming the file, so the user knows which of the document's
// files to mend; errors that name the file already (it cannot be opened)
// pass unchanged.
template <class F> void LoadNamedFile(const QString &Path, F &&Load) {
  try {
    Load();
  } catch (const EFOpenError &) {
    throw;
  } catch (const std::exception &E) {
    const auto *Own = dynamic_cast<const Exception *>(&E);
    throw ETranslationFileError(Path, Own ? Own->Message() : ExceptionMessage(E));
  }
}

} // namespace

TReadDocument::TReadDocument() = default;
TReadDocument::~TReadDocument() = default;
TReadDocument::TReadDocument(TReadDocument &&) noexcept = default;
TReadDocument &TReadDocument::operator=(TReadDocument &&) noexcept = default;

EReadCancelled::EReadCancelled() : Exception(QStringLiteral("Cancelled")) {}

TReadDocument ReadDocument(const QString &SourcePath, const QString &DisplayPath,
                           const QString &TranslationPath, TTranslationMemory *Memory,
                           const std::function<bool(TReadPhase)> &Phase) {
  const auto Enter = [&](TReadPhase P) {
    if (Phase && !Phase(P))
      throw EReadCancelled();
  };
  TReadDocument Read;
  Read.SourcePath = SourcePath;
  Read.DisplayPath = DisplayPath;
  Read.TranslationPath = TranslationPath;
  Enter(rpSource);
  Read.Translation = std::make_unique<TZrLang_CompTranslations>();
  // The files are independent: the translation is read beside the source
  // and the display translation, so an open takes about as long as its
  // largest file. A fault in the source is reported before one in the
  // translation, as when they were read one after the other. The future
  // waits for the read when the caller leaves early, by an error or a stop.
  std::future<void> TranslationRead;
  if (!IsEmptyStr(TranslationPath))
    TranslationRead = std::async(std::launch::async, [&Read, &TranslationPath] {
      LoadNamedFile(TranslationPath,
                    [&] { Read.Translation->Text_LoadFromFile(TranslationPath, false); });
    });
  LoadNamedFile(SourcePath, [&] { Read.Source = std::make_unique<TLangSource>(SourcePath); });
  if (!IsEmptyStr(DisplayPath)) {
    Enter(rpDisplay);
    Read.Display = std::make_unique<TZrLang_CompTranslations>();
    LoadNamedFile(DisplayPath, [&] { Read.Display->Text_LoadFromFile(DisplayPath, false); });
  }
  if (TranslationRead.valid()) {
    Enter(rpTranslation);
    TranslationRead.get();
    Read.Languages = ReadTranslationLanguages(*Read.Translation);
  }
  Enter(rpCompare);
  TReconciliation &Reconciliation = Read.Reconciliation;
  if (Memory) {
    try {
      Reconciliation.KeptInMemory =
          KeepRemovedTranslations(*Memory, *Read.Source, *Read.Translation, Read.Languages,
                                  MemoryOrigin(TranslationPath));
    } catch (const ETranslationMemoryError &E) {
      Reconciliation.MemoryError = E.Message();
    }
  }
  auto &C = Reconciliation.Counts;
  Reconciliation.Log = Read.Source->CompareStructureWith(*Read.Translation, C[0], C[1], C[2], C[3],
                                                         C[4], C[5], C[6], C[7], C[8]);
  return Read;
}

void BuildEntries(TReadDocument &Read) {
  AutotranslatedMarks::Read(*Read.Translation);
  Read.Entries.Build(*Read.Source, *Read.Translation, Read.Display.get());
  Read.EntriesBuilt = true;
}
