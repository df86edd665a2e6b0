#include "BackgroundComparer.h"

#include "DocumentReader.h"
#include "Exceptions.h"
#include "TranslationDocument.h"

#include <QFile>
#include <QMetaObject>
#include <atomic>

struct TBackgroundComparer::TJob {
  std::atomic<bool> Cancelled{false};
  std::vector<TDiskDifference> Result;
  std::exception_ptr Error;
};

TBackgroundComparer::TBackgroundComparer(QObject *Parent) : QObject(Parent) {}

TBackgroundComparer::~TBackgroundComparer() {
  Cancel();
  Wait();
}

void TBackgroundComparer::Start(TTranslationDocument &Doc, const QString &Path) {
  Wait();
  // Built here, if not yet, so that the worker only reads the document.
  Doc.Entries();
  auto Job = std::make_shared<TJob>();
  FJob = Job;
  FWorker = std::thread([this, Job, Hook = FPhaseHook, &Doc, Path] {
    const auto Enter = [&](TPhase Phase) {
      if (Job->Cancelled)
        return false;
      QMetaObject::invokeMethod(
          this, [this, Job, Phase] {
            if (FJob == Job && !Job->Cancelled)
              Q_EMIT PhaseEntered(Phase);
          },
          Qt::QueuedConnection);
      if (Hook)
        Hook(Phase);
      return !Job->Cancelled;
    };
    try {
      if (Enter(cpReading)) {
        QFile File(Path);
        if (!File.open(QIODevice::ReadOnly))
          throw EFOpenError(Path, File.errorString());
        bool Comparing = false;
        Job->Result = CompareWithDisk(Doc, File, Path, [&] {
          if (Comparing)
            return !Job->Cancelled;
          Comparing = true;
          return Enter(cpComparing);
        });
      }
    } catch (const EReadCancelled &) {
    } catch (...) {
      Job->Error = std::current_exception();
    }
    QMetaObject::invokeMethod(
        this, [this, Job] {
          if (FJob == Job)
            Q_EMIT Finished();
        },
        Qt::QueuedConnection);
  });
}

void TBackgroundComparer::Cancel() {
  if (FJob)
    FJob->Cancelled = true;
}

bool TBackgroundComparer::IsCancelled() const {
  return FJob && FJob->Cancelled;
}

void TBackgroundComparer::Wait() {
  if (FWorker.joinable())
    FWorker.join();
}

std::vector<TDiskDifference> TBackgroundComparer::TakeResult() {
  Wait();
  const std::shared_ptr<TJob> Job = std::move(FJob);
  if (Job->Error)
    std::rethrow_exception(Job->Error);
  return std::move(Job->Result);
}
