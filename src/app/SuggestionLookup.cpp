#include "SuggestionLookup.h"

#include "TranslationMemory.h"

#include <QSet>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace {

struct TLookupRequest {
  quint64 Id = 0;
  QString SourceLang;
  QString TargetLang;
  QString Source;
  int MaxCount = 0;
  double MinSimilarity = 1;
};

} // namespace

// What the worker shares with the object on the interface thread.
struct TSuggestionLookup::TShared {
  QString MemoryPath;
  std::mutex Mutex; // guards the members below
  std::condition_variable Wake;
  bool bStop = false;
  std::deque<std::vector<TMemoryUnit>> Stores;
  std::optional<TLookupRequest> Pending;
};

namespace {

// The worker's side: the memory connection and the pairs known to hold units.
class TLookupWorker {
public:
  explicit TLookupWorker(const QString &Path) : FPath(Path) {}

  void Store(const std::vector<TMemoryUnit> &Units) { Memory().Add(Units); }

  TSuggestionResult Lookup(const TLookupRequest &R) {
    TSuggestionResult Result;
    try {
      const QString Pair = R.SourceLang + u'\n' + R.TargetLang;
      // Asked once for each pair that has units; a pair without them is
      // asked again, since a save may have added some.
      if (!FPairs.contains(Pair)) {
        if (!Memory().HasPair(R.SourceLang, R.TargetLang)) {
          Result.bNoUnits = true;
          return Result;
        }
        FPairs.insert(Pair);
      }
      Result.Matches =
          Memory().Lookup(R.SourceLang, R.TargetLang, R.Source, R.MaxCount, R.MinSimilarity);
    } catch (const ETranslationMemoryError &E) {
      Forget();
      Result.Error = E.Message();
    }
    return Result;
  }

  // After a failure the memory is opened anew on the next task.
  void Forget() {
    FMemory.reset();
    FPairs.clear();
  }

private:
  TTranslationMemory &Memory() {
    if (!FMemory)
      FMemory = std::make_unique<TTranslationMemory>(FPath);
    return *FMemory;
  }

  QString FPath;
  std::unique_ptr<TTranslationMemory> FMemory;
  QSet<QString> FPairs;
};

} // namespace

TSuggestionLookup::TSuggestionLookup(const QString &MemoryPath, QObject *Parent)
    : QObject(Parent), FShared(std::make_shared<TShared>()) {
  FShared->MemoryPath = MemoryPath;
  // The object outlives the worker: its destructor joins it, and results
  // posted meanwhile are discarded with the object.
  FWorker = std::thread([Shared = FShared, Receiver = this] {
    TLookupWorker Worker(Shared->MemoryPath);
    std::unique_lock Lock(Shared->Mutex);
    for (;;) {
      Shared->Wake.wait(Lock, [&] {
        return Shared->bStop || !Shared->Stores.empty() || Shared->Pending.has_value();
      });
      if (!Shared->Stores.empty()) {
        const std::vector<TMemoryUnit> Units = std::move(Shared->Stores.front());
        Shared->Stores.pop_front();
        Lock.unlock();
        try {
          Worker.Store(Units);
        } catch (const ETranslationMemoryError &E) {
          Worker.Forget();
          QMetaObject::invokeMethod(
              Receiver, [Receiver, Message = E.Message()] { Receiver->FailStore(Message); },
              Qt::QueuedConnection);
        }
        Lock.lock();
        continue;
      }
      if (Shared->bStop)
        return;
      const TLookupRequest Request = std::move(*Shared->Pending);
      Shared->Pending.reset();
      Lock.unlock();
      TSuggestionResult Result = Worker.Lookup(Request);
      QMetaObject::invokeMethod(
          Receiver,
          [Receiver, Id = Request.Id, Result = std::move(Result)] { Receiver->Deliver(Id, Result); },
          Qt::QueuedConnection);
      Lock.lock();
    }
  });
}

TSuggestionLookup::~TSuggestionLookup() {
  {
    std::lock_guard Lock(FShared->Mutex);
    FShared->bStop = true;
    FShared->Pending.reset();
  }
  FShared->Wake.notify_one();
  FWorker.join();
}

void TSuggestionLookup::SetLimits(int MaxCount, double MinSimilarity) {
  FMaxCount = MaxCount;
  FMinSimilarity = MinSimilarity;
}

void TSuggestionLookup::Request(quint64 RequestId, const QString &SourceLang,
                                const QString &TargetLang, const QString &Source) {
  FLatest = RequestId;
  {
    std::lock_guard Lock(FShared->Mutex);
    FShared->Pending =
        TLookupRequest{RequestId, SourceLang, TargetLang, Source, FMaxCount, FMinSimilarity};
  }
  FShared->Wake.notify_one();
}

void TSuggestionLookup::Cancel() {
  FLatest = 0;
  std::lock_guard Lock(FShared->Mutex);
  FShared->Pending.reset();
}

void TSuggestionLookup::Store(std::vector<TMemoryUnit> Units) {
  if (Units.empty())
    return;
  {
    std::lock_guard Lock(FShared->Mutex);
    FShared->Stores.push_back(std::move(Units));
  }
  FShared->Wake.notify_one();
}

void TSuggestionLookup::Deliver(quint64 RequestId, const TSuggestionResult &Result) {
  if (RequestId == 0 || RequestId != FLatest)
    return;
  FLatest = 0;
  Q_EMIT Found(RequestId, Result);
}

void TSuggestionLookup::FailStore(const QString &Message) {
  Q_EMIT StoreFailed(Message);
}
