#pragma once

#include <memory>
#include <type_traits>
#include <utility>

// Frees storage on a worker thread. The records of a large document are
// millions of small blocks, and freeing them takes hundreds of milliseconds:
// handed over here, they go while the interface thread goes on.
//
// Lifetime: what is handed over must be reachable from nothing else, and
// its destruction must touch no other object, so that it may run on any
// thread at any time. The worker is never waited for at exit: what it has
// not freed yet is left to the system, still reachable, so leak checkers do
// not report it.
namespace BackgroundDisposal {

struct TItem {
  virtual ~TItem() = default;
};

// Takes Item to free it on the worker, in the order handed over.
void Dispose(std::unique_ptr<TItem> Item);

// Takes Storage (moved) to free it on the worker.
template <class T>
  requires(!std::is_lvalue_reference_v<T>)
void Dispose(T &&Storage) {
  struct THeld : TItem {
    explicit THeld(T &&S) : Held(std::move(S)) {}
    T Held;
  };
  Dispose(std::unique_ptr<TItem>(std::make_unique<THeld>(std::move(Storage))));
}

// While a hold lives, the worker starts on nothing new (what it is freeing
// goes on). The interface thread takes one while it builds a large grid:
// freeing beside it contends for the allocator's locks and the address
// space, and stalls the window more than freeing later does.
class THold {
public:
  THold();
  ~THold();
  THold(const THold &) = delete;
  THold &operator=(const THold &) = delete;
};

// Waits until everything handed over so far is freed, holds or not; for
// tests and measurements.
void Wait();

} // namespace BackgroundDisposal
