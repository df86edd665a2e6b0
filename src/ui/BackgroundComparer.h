#pragma once

#include "DiskDifferences.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class TTranslationDocument;

// Compares the translation on disk with the open document (see
// CompareWithDisk) on a worker thread, one comparison at a time, so that the
// window stays responsive while a large file is read and compared. Its
// signals come on the thread that owns it.
//
// The worker reads the document: its owner keeps the document open and
// unchanged from Start until Finished, which comes once for every Start,
// also after a Cancel.
class TBackgroundComparer : public QObject {
  Q_OBJECT

public:
  enum TPhase { cpReading, cpComparing, cpPhaseCount };

  explicit TBackgroundComparer(QObject *Parent = nullptr);
  // Cancels a comparison still running and waits for its worker.
  ~TBackgroundComparer() override;

  // Starts comparing Doc with the translation file at Path.
  // REQUIRES: Doc is open; no comparison running.
  void Start(TTranslationDocument &Doc, const QString &Path);
  // Asks the worker to stop at its next step; Finished still follows.
  void Cancel();
  bool IsCancelled() const;
  // Waits for the worker.
  void Wait();
  // The differences found; raises the comparison's error.
  // REQUIRES: after Finished of a comparison that was not cancelled.
  std::vector<TDiskDifference> TakeResult();

  // Called on the worker before each step; for tests, which hold a
  // comparison at a step.
  void SetPhaseHook(std::function<void(TPhase)> Hook) { FPhaseHook = std::move(Hook); }

Q_SIGNALS:
  void PhaseEntered(int Phase);
  void Finished();

private:
  struct TJob;
  std::shared_ptr<TJob> FJob;
  std::thread FWorker;
  std::function<void(TPhase)> FPhaseHook;
};
