#include "Synchronizer.h"

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
  const auto Self = std::this_thread::get_id();
  std::unique_lock Lock(FMutex);
  auto It = FReaders.find(Self);
  const bool Nested = (It != FReaders.end() && It->second > 0) || FWriter == Self;
  // New readers give way to waiting writers; nested ones must not, or a
  // reader waiting for a writer that waits for it would never wake.
  if (!Nested)
    FChanged.wait(Lock, [&] { return FWriteDepth == 0 && FWaitingWriters == 0; });
  ++FReaders[Self];
  ++FReaderTotal;
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
  const auto Self = std::this_thread::get_id();
  std::lock_guard Lock(FMutex);
  auto It = FReaders.find(Self);
  if (It == FReaders.end() || It->second == 0)
    return;
  if (--It->second == 0)
    FReaders.erase(It);
  --FReaderTotal;
  FChanged.notify_all();
}

int TMultiReadExclusiveWriteSynchronizer::OtherReaders(std::thread::id Self) const {
  const auto It = FReaders.find(Self);
  return FReaderTotal - (It == FReaders.end() ? 0 : It->second);
}

void TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
  const auto Self = std::this_thread::get_id();
  std::unique_lock Lock(FMutex);
  if (FWriter == Self) {
    ++FWriteDepth;
    return;
  }
  ++FWaitingWriters;
  FChanged.wait(Lock, [&] { return FWriteDepth == 0 && OtherReaders(Self) == 0; });
  --FWaitingWriters;
  FWriter = Self;
  FWriteDepth = 1;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
  std::lock_guard Lock(FMutex);
  if (FWriter != std::this_thread::get_id() || FWriteDepth == 0)
    return;
  if (--FWriteDepth == 0) {
    FWriter = std::thread::id();
    FChanged.notify_all();
  }
}
