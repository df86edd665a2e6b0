#pragma once

#include "MemoryUnit.h"

#include <QObject>
#include <QString>
#include <memory>
#include <thread>
#include <vector>

// What the translation memory gave for one request.
struct TSuggestionResult {
  std::vector<TMemoryMatch> Matches; // best first
  bool bNoUnits = false;             // the memory holds no unit of the language pair
  QString Error;                     // the memory failed: its message (no matches then)
};

// Look-ups in the translation memory for an editor that asks again whenever
// its focused entry changes, so that typing never waits on the memory. A
// worker thread with a memory connection of its own answers the latest
// request only; Found delivers its result on this object's thread, and only
// while that request is still the latest one. The worker also stores units
// (Store), in the order given and before any request made after them.
//
// The memory is opened by the worker on its first task, and again after it
// failed, so a memory that was locked is used once it is free.
class TSuggestionLookup : public QObject {
  Q_OBJECT

public:
  explicit TSuggestionLookup(const QString &MemoryPath, QObject *Parent = nullptr);
  // Drops the request, stores the units still waiting, then ends the worker.
  ~TSuggestionLookup() override;

  // Up to MaxCount matches of a similarity of at least MinSimilarity (see
  // TTranslationMemory::Lookup), for the requests made from now on.
  void SetLimits(int MaxCount, double MinSimilarity);
  // Asks for the matches of Source; the request before it is dropped if the
  // worker has not started on it, and its result is not delivered.
  // REQUIRES: RequestId is not 0 and differs from the previous request's.
  void Request(quint64 RequestId, const QString &SourceLang, const QString &TargetLang,
               const QString &Source);
  // Drops the request made last: no Found follows for it.
  void Cancel();
  // The request whose result Found would deliver; 0 when none.
  quint64 PendingRequest() const { return FLatest; }
  // Stores Units in the memory on the worker; a failure raises StoreFailed.
  void Store(std::vector<TMemoryUnit> Units);

Q_SIGNALS:
  void Found(quint64 RequestId, const TSuggestionResult &Result);
  void StoreFailed(const QString &Message);

private:
  struct TShared;
  void Deliver(quint64 RequestId, const TSuggestionResult &Result);
  void FailStore(const QString &Message);

  std::shared_ptr<TShared> FShared;
  std::thread FWorker;
  quint64 FLatest = 0;
  int FMaxCount = 5;
  double FMinSimilarity = 0.7;
};
