#include "TranslationDocument.h"

#include "CommonTypes.h"
#include "CoreError.h"
#include "LangSource.h"
#include "Translations.h"

#include <QDateTime>
#include <QDir>

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

bool IsBlank(const QString &Path) {
  return IsEmptyStr(Path);
}

} // namespace

ETranslationFileError::ETranslationFileError(const QString &Path, const QString &Reason)
    : EZrLangError(QDir::toNativeSeparators(Path) + QStringLiteral("\r\n\r\n") + Reason),
      FReason(Reason) {}

TTranslationDocument::TTranslationDocument() = default;
TTranslationDocument::~TTranslationDocument() = default;

void TTranslationDocument::Load(const QString &SourcePath, const QString &DisplayPath,
                                const QString &TranslationPath) {
  Close();
  std::unique_ptr<TLangSource> Source;
  LoadNamedFile(SourcePath, [&] { Source = std::make_unique<TLangSource>(SourcePath); });
  std::unique_ptr<TZrLang_CompTranslations> Display;
  if (!IsBlank(DisplayPath)) {
    Display = std::make_unique<TZrLang_CompTranslations>();
    LoadNamedFile(DisplayPath, [&] { Display->Text_LoadFromFile(DisplayPath, false); });
  }
  auto Translation = std::make_unique<TZrLang_CompTranslations>();
  TTranslationLanguages Languages;
  if (!IsBlank(TranslationPath)) {
    LoadNamedFile(TranslationPath, [&] { Translation->Text_LoadFromFile(TranslationPath, false); });
    Languages = ReadTranslationLanguages(*Translation);
  }
  TReconciliation Reconciliation;
  auto &C = Reconciliation.Counts;
  Reconciliation.Log = Source->CompareStructureWith(*Translation, C[0], C[1], C[2], C[3], C[4],
                                                    C[5], C[6], C[7], C[8]);
  // Nothing below throws: the document takes all of it or, above, none.
  FSource = std::move(Source);
  FTranslation = std::move(Translation);
  FDisplay = std::move(Display);
  FSourceFilename = SourcePath;
  FDisplayFilename = DisplayPath;
  FTranslationFilename = TranslationPath;
  FLanguages = Languages;
  FReconciliation = std::move(Reconciliation);
  FModified = false;
}

void TTranslationDocument::Close() {
  FSource.reset();
  FTranslation.reset();
  FDisplay.reset();
  FSourceFilename.clear();
  FDisplayFilename.clear();
  FTranslationFilename.clear();
  FLanguages = TTranslationLanguages();
  FReconciliation = TReconciliation();
  FModified = false;
}

bool TTranslationDocument::IsNewTranslation() const {
  return IsBlank(FTranslationFilename);
}

TTranslationCounts TTranslationDocument::CountEntries() const {
  return CountTranslationEntries(*FSource, *FTranslation);
}

bool TTranslationDocument::DefaultUnicode() const {
  return IsNewTranslation() ? FSource->IsFileUnicode() : FTranslation->IsStreamUnicode();
}

void TTranslationDocument::Save(const QString &Path, bool bUnicode, TSaveHeader Header) {
  if (Header == TSaveHeader::Stamp) {
    TZrLang_Params &Params = FTranslation->Params();
    StampTranslationHeader(Params, FLanguages, QDateTime::currentDateTime());
    if (FLanguages.LangIDTranslation == 0)
      Params.SetValue(u"LANGID", QString());
  }
  FTranslation->Text_SaveToFile(Path, bUnicode, true);
  FTranslationFilename = Path;
  FModified = false;
}
