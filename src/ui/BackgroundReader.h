#pragma once

#include "DocumentReader.h"

#include <QObject>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

// Reads a document's files (see ReadDocument) on a worker thread, one read
// at a time, so that the window stays responsive while large files are read
// and reconciled. Its signals come on the thread that owns it.
class TBackgroundReader : public QObject {
  Q_OBJECT

public:
  explicit TBackgroundReader(QObject *Parent = nullptr);
  // Cancels a read still running and waits for its worker.
  ~TBackgroundReader() override;

  // Starts reading. With a memory path the worker keeps the entries the
  // reconciliation removes in a connection of its own to that memory.
  // REQUIRES: no read running (Wait() first after a Cancel()).
  void Start(const QString &SourcePath, const QString &DisplayPath,
             const QString &TranslationPath, const QString &MemoryPath);
  // Ends the read at once for its owner: no signal follows, the worker stops
  // at its next step and drops what it read.
  void Cancel();
  // Waits for the worker of a cancelled or finished read.
  void Wait();
  // What the finished read gave; raises its error.
  // REQUIRES: after Finished.
  TReadDocument TakeResult();

  // Called on the worker before each step; for tests, which hold a read at
  // a step.
  void SetPhaseHook(std::function<void(TReadPhase)> Hook) { FPhaseHook = std::move(Hook); }

Q_SIGNALS:
  void PhaseEntered(int Phase);
  // The read ended, with its result or its error.
  void Finished();

private:
  struct TJob;
  std::shared_ptr<TJob> FJob;
  std::thread FWorker;
  std::function<void(TReadPhase)> FPhaseHook;
};
