// Large documents: read on a worker thread while the window shows progress,
// written with progress shown; the window takes no other command meanwhile.
#include "MainForm.h"

#include "BackgroundComparer.h"
#include "BackgroundReader.h"
#include "LanguageManager.h"
#include "ProgressPanel.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <utility>

namespace {

const char16_t *const PhaseTexts[rpPhaseCount] = {
    u"SMessageReadingSource", u"SMessageReadingDisplay", u"SMessageReadingTranslation",
    u"SMessageComparing"};

const char16_t *const ComparePhaseTexts[TBackgroundComparer::cpPhaseCount] = {
    u"SMessageReadingTranslation", u"SMessageComparing"};

qint64 FileSize(const QString &Path) {
  return Path.isEmpty() ? 0 : QFileInfo(Path).size();
}

} // namespace

void TUIMainForm::CreateProgressPanel() {
  FReader = new TBackgroundReader(this);
  FProgress = new TProgressPanel(statusBar());
  FProgress->setObjectName(QStringLiteral("ProgressPanel"));
  statusBar()->addPermanentWidget(FProgress);
  connect(FReader, &TBackgroundReader::PhaseEntered, this, [this](int Phase) {
    FProgress->SetStep(Phase, LangConstant(PhaseTexts[Phase]));
  });
  FComparer = new TBackgroundComparer(this);
  connect(FComparer, &TBackgroundComparer::PhaseEntered, this, [this](int Phase) {
    FProgress->SetStep(Phase, LangConstant(ComparePhaseTexts[Phase]));
  });
}

bool TUIMainForm::IsLargeDocument(const QString &SourcePath, const QString &DisplayPath,
                                  const QString &TranslationPath) const {
  return FileSize(SourcePath) + FileSize(DisplayPath) + FileSize(TranslationPath) >
         FBackgroundBytes;
}

bool TUIMainForm::ReadInBackground(const QString &SourcePath, const QString &DisplayPath,
                                   const QString &TranslationPath, TReadDocument &Read) {
  TTranslationMemory *Memory = TranslationMemory();
  FReader->Start(SourcePath, DisplayPath, TranslationPath, Memory ? Memory->Path() : QString());
  SetBusy(true);
  FProgress->Begin(rpPhaseCount, true);
  bool Cancelled = false;
  {
    QEventLoop Loop;
    const QMetaObject::Connection Done =
        connect(FReader, &TBackgroundReader::Finished, &Loop, &QEventLoop::quit);
    const QMetaObject::Connection Cancel =
        connect(FProgress, &TProgressPanel::CancelClicked, &Loop, [&] {
          FReader->Cancel();
          Cancelled = true;
          Loop.quit();
        });
    Loop.exec();
    disconnect(Done);
    disconnect(Cancel);
  }
  auto Done = qScopeGuard([this] { EndBackgroundRead(); });
  if (Cancelled)
    return false;
  Read = FReader->TakeResult();
  // The open document goes in a turn of the event loop of its own: with the
  // new one's grid in the same turn, the window would not repaint for long.
  if (HasDocument()) {
    CloseTranslation();
    TurnEventLoop();
  }
  // The progress is over; the window stays busy until the grid is shown.
  FProgress->End();
  Done.dismiss();
  return true;
}

void TUIMainForm::EndBackgroundRead() {
  FProgress->End();
  SetBusy(false);
}

void TUIMainForm::TurnEventLoop() {
  QEventLoop Turn;
  QTimer::singleShot(1, &Turn, &QEventLoop::quit);
  Turn.exec();
}

bool TUIMainForm::CompareInBackground(const QString &Path,
                                      std::vector<TDiskDifference> &Differences) {
  FComparer->Start(*FDocument, Path);
  SetBusy(true);
  FProgress->Begin(TBackgroundComparer::cpPhaseCount, true);
  {
    // The worker reads the document: the window stays busy until it is
    // done, after a Cancel too.
    QEventLoop Loop;
    const QMetaObject::Connection Done =
        connect(FComparer, &TBackgroundComparer::Finished, &Loop, &QEventLoop::quit);
    const QMetaObject::Connection Cancel =
        connect(FProgress, &TProgressPanel::CancelClicked, FComparer, &TBackgroundComparer::Cancel);
    Loop.exec();
    disconnect(Done);
    disconnect(Cancel);
  }
  FProgress->End();
  SetBusy(false);
  FComparer->Wait();
  if (FComparer->IsCancelled())
    return false;
  Differences = FComparer->TakeResult();
  return true;
}

void TUIMainForm::SetBusy(bool Busy) {
  if (Busy == FBusy)
    return;
  FBusy = Busy;
  setAcceptDrops(!Busy);
  centralWidget()->setEnabled(!Busy);
  if (Busy) {
    // Shortcuts reach enabled actions even in a disabled window part.
    for (QAction *A : findChildren<QAction *>())
      if (A->isEnabled()) {
        A->setEnabled(false);
        FBusyDisabled.append(A);
      }
  } else {
    for (const QPointer<QAction> &A : std::as_const(FBusyDisabled))
      if (A)
        A->setEnabled(true);
    FBusyDisabled.clear();
  }
}

bool TUIMainForm::CloseWhileBusy(QCloseEvent *Event) {
  if (!FBusy)
    return false;
  // Cancel the read, wait for its worker, then close as usual once the
  // window is idle again.
  Q_EMIT FProgress->CancelClicked();
  FReader->Wait();
  FComparer->Wait();
  Event->ignore();
  QTimer::singleShot(0, this, &QWidget::close);
  return true;
}

void TUIMainForm::SaveWithProgress(const QString &Path, bool bUnicode) {
  if (!IsLargeDocument(FDocument->SourceFilename(), FDocument->DisplayFilename(),
                       FDocument->TranslationFilename())) {
    FDocument->Save(Path, bUnicode);
    return;
  }
  // The writer runs here, without turning the event loop: nothing can edit
  // the document meanwhile, and only the panel is painted.
  SetBusy(true);
  FProgress->Begin(1, false);
  FProgress->SetStep(0, LangConstant(u"SMessageSavingTranslation"));
  FProgress->repaint();
  const auto Done = qScopeGuard([this] {
    FProgress->End();
    SetBusy(false);
  });
  FDocument->Save(Path, bUnicode);
}
