#include "BackgroundReader.h"

#include "TranslationMemory.h"

#include <QMetaObject>
#include <atomic>
#include <optional>

struct TBackgroundReader::TJob {
  std::atomic<bool> Cancelled{false};
  std::optional<TReadDocument> Result;
  std::exception_ptr Error;
};

TBackgroundReader::TBackgroundReader(QObject *Parent) : QObject(Parent) {}

TBackgroundReader::~TBackgroundReader() {
  Cancel();
  Wait();
}

void TBackgroundReader::Start(const QString &SourcePath, const QString &DisplayPath,
                              const QString &TranslationPath, const QString &MemoryPath) {
  Wait();
  auto Job = std::make_shared<TJob>();
  FJob = Job;
  auto Hook = FPhaseHook;
  FWorker = std::thread([this, Job, Hook, SourcePath, DisplayPath, TranslationPath, MemoryPath] {
    // Signals of a job that was cancelled meanwhile are dropped on arrival.
    const auto Post = [this, Job](auto Call) {
      QMetaObject::invokeMethod(
          this,
          [this, Job, Call] {
            if (FJob == Job && !Job->Cancelled)
              Call();
          },
          Qt::QueuedConnection);
    };
    try {
      std::unique_ptr<TTranslationMemory> Memory;
      QString MemoryError;
      if (!MemoryPath.isEmpty()) {
        try {
          Memory = std::make_unique<TTranslationMemory>(MemoryPath);
        } catch (const ETranslationMemoryError &E) {
          MemoryError = E.Message();
        }
      }
      TReadDocument Read = ReadDocument(SourcePath, DisplayPath, TranslationPath, Memory.get(),
                                        [&](TReadPhase Phase) {
                                          if (Job->Cancelled)
                                            return false;
                                          Post([this, Phase] { Q_EMIT PhaseEntered(Phase); });
                                          if (Hook)
                                            Hook(Phase);
                                          return !Job->Cancelled;
                                        });
      if (Read.Reconciliation.MemoryError.isEmpty())
        Read.Reconciliation.MemoryError = MemoryError;
      if (Job->Cancelled)
        return;
      // The table of a large document takes a while too.
      BuildEntries(Read);
      Job->Result = std::move(Read);
    } catch (const EReadCancelled &) {
      return;
    } catch (...) {
      Job->Error = std::current_exception();
    }
    Post([this] { Q_EMIT Finished(); });
  });
}

void TBackgroundReader::Cancel() {
  if (FJob)
    FJob->Cancelled = true;
  FJob.reset();
}

void TBackgroundReader::Wait() {
  if (FWorker.joinable())
    FWorker.join();
}

TReadDocument TBackgroundReader::TakeResult() {
  Wait();
  const std::shared_ptr<TJob> Job = std::move(FJob);
  if (Job->Error)
    std::rethrow_exception(Job->Error);
  return std::move(*Job->Result);
}
