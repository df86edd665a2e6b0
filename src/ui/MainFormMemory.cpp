// The translation memory in the window: which file it is, Tools >
// Pre-translate and the pre-translation the differences dialog offers.
#include "MainForm.h"

#include "Action.h"
#include "AppAttribs.h"
#include "DocumentMemory.h"
#include "Images.h"
#include "LanguageManager.h"
#include "PretranslateDialog.h"
#include "Pretranslation.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"
#include "UIGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QStatusBar>

namespace {

// The summary of a pre-translation, for a message or the status bar.
QString PretranslationSummary(const TPretranslationCounts &Counts) {
  if (Counts.Exact + Counts.Fuzzy == 0)
    return LangConstant(u"SMessagePretranslatedNone");
  return LangConstantFmt(u"SMessagePretranslated",
                         {Counts.Exact + Counts.Fuzzy, Counts.Exact, Counts.Fuzzy});
}

} // namespace

QString TUIMainForm::MemoryPath() {
  return MemoryPathOf(Attribs ? Attribs->MemoryPath() : QString());
}

void TUIMainForm::CreateMemoryActions() {
  ActionToolsPretranslate = NewAction(
      "ActionToolsPretranslate", QStringLiteral("&Pre-translate..."),
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
      QStringLiteral("Fill the untranslated entries with translations from the translation memory"),
      QStringLiteral("Tools Menu"), iiTranslated);
  connect(ActionToolsPretranslate, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { PretranslateTranslation(); }); });
}

TTranslationMemory &TUIMainForm::RequiredMemory() {
  if (!TranslationMemory()) {
    // Opened again, this time for its error.
    FMemory = std::make_unique<TTranslationMemory>(MemoryPath());
    FDocument->SetMemory(FMemory.get());
  }
  return *FMemory;
}

void TUIMainForm::ApplyMemoryOptions() {
  if (!FMemoryOpened || (FMemory && FMemory->Path() == MemoryPath()))
    return;
  // The document lets go of the old memory before it goes.
  FDocument->SetMemory(nullptr);
  FMemory.reset();
  FMemoryOpened = false;
  if (HasDocument())
    FDocument->SetMemory(TranslationMemory());
}

bool TUIMainForm::MemoryHoldsDocumentPair() {
  TTranslationMemory *Memory = TranslationMemory();
  const QString TargetLang = MemoryTargetLang(FDocument->Languages());
  if (!Memory || TargetLang.isEmpty())
    return false;
  try {
    return Memory->HasPair(MemorySourceLang(FDocument->Languages()), TargetLang);
  } catch (const ETranslationMemoryError &E) {
    statusBar()->showMessage(E.Message());
    return false;
  }
}

void TUIMainForm::PretranslateTranslation() {
  if (!HasDocument())
    return;
  CommitPendingEdit();
  int MinSimilarity = Attribs ? Attribs->MemoryMinSimilarity() : 70;
  if (!TUIPretranslateDialog::Execute(this, MinSimilarity))
    return;
  TTranslationMemory &Memory = RequiredMemory();
  TPretranslationCounts Counts;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto RestoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    // Fuzzy look-ups over thousands of entries take a while: a bar shows
    // once it is more than a moment, and its Cancel leaves all as it was.
    QProgressDialog Progress(LangConstant(u"SMessagePretranslating"),
                             LangConstant(u"SDialogButtonCancel"), 0, 1, this);
    Progress.setWindowModality(Qt::WindowModal);
    Progress.setMinimumDuration(1000);
    Progress.setAutoReset(false);
    Counts = Pretranslate(*FDocument, &Memory, MinSimilarity / 100.0,
                          LangConstant(u"SUndoPretranslate"), [&Progress](int Done, int Total) {
                            Progress.setMaximum(Total);
                            Progress.setValue(Done);
                            return !Progress.wasCanceled();
                          });
  }
  if (Counts.bCancelled) {
    statusBar()->showMessage(LangConstant(u"SMessagePretranslateCancelled"));
    return;
  }
  const QString Summary = PretranslationSummary(Counts);
  statusBar()->showMessage(Summary);
  QMessageBox Box(QMessageBox::Information, QString(), Summary, QMessageBox::Ok, this);
  Box.exec();
}

void TUIMainForm::PretranslateOnOpen() {
  if (!std::exchange(FPretranslateOnOpen, false) || !HasDocument())
    return;
  TTranslationMemory *Memory = TranslationMemory();
  if (!Memory)
    return;
  try {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto RestoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const TPretranslationCounts Counts =
        Pretranslate(*FDocument, Memory, 1.0, LangConstant(u"SUndoPretranslate"));
    statusBar()->showMessage(PretranslationSummary(Counts));
  } catch (const ETranslationMemoryError &E) {
    statusBar()->showMessage(E.Message());
  }
}
