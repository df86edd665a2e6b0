#include "BackgroundDisposal.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace BackgroundDisposal {

namespace {

// Never destroyed: the detached worker may still use it while static
// objects are destroyed at exit.
struct TQueue {
  std::mutex Mutex;
  std::condition_variable Arrived;
  std::condition_variable Idle;
  std::deque<std::unique_ptr<TItem>> Items;
  // The item being freed, out of the queue but still reachable; only the
  // worker touches it.
  std::unique_ptr<TItem> Current;
  bool Busy = false;
  bool Started = false;
  int Holds = 0;
  int Waiters = 0;
};

TQueue &Queue() {
  static auto *const Q = new TQueue;
  return *Q;
}

void Work(TQueue &Q) {
  std::unique_lock Lock(Q.Mutex);
  for (;;) {
    Q.Arrived.wait(Lock, [&] { return !Q.Items.empty() && (Q.Holds == 0 || Q.Waiters > 0); });
    Q.Current = std::move(Q.Items.front());
    Q.Items.pop_front();
    Q.Busy = true;
    Lock.unlock();
    Q.Current.reset();
    Lock.lock();
    Q.Busy = false;
    if (Q.Items.empty())
      Q.Idle.notify_all();
  }
}

} // namespace

void Dispose(std::unique_ptr<TItem> Item) {
  if (!Item)
    return;
  TQueue &Q = Queue();
  const std::lock_guard Lock(Q.Mutex);
  Q.Items.push_back(std::move(Item));
  if (!Q.Started) {
    Q.Started = true;
    std::thread([&Q] { Work(Q); }).detach();
  }
  Q.Arrived.notify_one();
}

THold::THold() {
  TQueue &Q = Queue();
  const std::lock_guard Lock(Q.Mutex);
  ++Q.Holds;
}

THold::~THold() {
  TQueue &Q = Queue();
  const std::lock_guard Lock(Q.Mutex);
  if (--Q.Holds == 0)
    Q.Arrived.notify_one();
}

void Wait() {
  TQueue &Q = Queue();
  std::unique_lock Lock(Q.Mutex);
  ++Q.Waiters;
  Q.Arrived.notify_one();
  Q.Idle.wait(Lock, [&] { return Q.Items.empty() && !Q.Busy; });
  --Q.Waiters;
}

} // namespace BackgroundDisposal
