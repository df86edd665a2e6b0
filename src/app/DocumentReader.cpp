#include "DocumentReader.h"

#include "AutotranslatedMarks.h"
#include "CommonTypes.h"
#include "CoreError.h"
#include "DocumentMemory.h"
#include "LangSource.h"
#include "TranslationMemory.h"
#include "Translations.h"

#include <exception>
#include <thread>

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

// Runs Work on a thread of its own from construction; Finish() waits for it
// and raises what it raised. The destructor waits too, so the work never
// outlives what it refers to, even when the caller leaves by an exception.
class TConcurrentWork {
public:
  template <class F>
  explicit TConcurrentWork(F &&Work)
      : FThread([this, Work = std::forward<F>(Work)]() mutable {
          try {
            Work();
          } catch (...) {
            FError = std::current_exception();
          }
        }) {}
  ~TConcurrentWork() {
    if (FThread.joinable())
      FThread.join();
  }
  TConcurrentWork(const TConcurrentWork &) = delete;
  TConcurrentWork &operator=(const TConcurrentWork &) = delete;

  void Finish() {
    FThread.join();
    if (FError)
      std::rethrow_exception(FError);
  }

private:
  std::exception_ptr FError;
  std::thread FThread; // last: it starts once FError exists
};

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
  // translation, as when they were read one after the other.
  std::unique_ptr<TConcurrentWork> TranslationRead;
  if (!IsEmptyStr(TranslationPath))
    TranslationRead = std::make_unique<TConcurrentWork>([&Read, &TranslationPath] {
      LoadNamedFile(TranslationPath,
                    [&] { Read.Translation->Text_LoadFromFile(TranslationPath, false); });
    });
  LoadNamedFile(SourcePath, [&] { Read.Source = std::make_unique<TLangSource>(SourcePath); });
  if (!IsEmptyStr(DisplayPath)) {
    Enter(rpDisplay);
    Read.Display = std::make_unique<TZrLang_CompTranslations>();
    LoadNamedFile(DisplayPath, [&] { Read.Display->Text_LoadFromFile(DisplayPath, false); });
  }
  if (TranslationRead) {
    Enter(rpTranslation);
    TranslationRead->Finish();
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
