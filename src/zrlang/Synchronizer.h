#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>

// A multi-reader, single-writer lock that is re-entrant: read sections nest,
// the writer may take further write and read sections, and a thread that is
// the only reader may become the writer. Two readers that both ask to write
// wait for each other forever, as with any upgradable lock.
class TMultiReadExclusiveWriteSynchronizer {
public:
  void BeginRead();
  void EndRead();
  void BeginWrite();
  void EndWrite();

private:
  int OtherReaders(std::thread::id Self) const;

  std::mutex FMutex;
  std::condition_variable FChanged;
  std::unordered_map<std::thread::id, int> FReaders; // read depth per thread
  int FReaderTotal = 0;
  std::thread::id FWriter;
  int FWriteDepth = 0;
  int FWaitingWriters = 0;
};

// Holds a read section for its scope.
class TReadSection {
public:
  explicit TReadSection(TMultiReadExclusiveWriteSynchronizer &S) : FSync(S) { FSync.BeginRead(); }
  ~TReadSection() { FSync.EndRead(); }
  TReadSection(const TReadSection &) = delete;
  TReadSection &operator=(const TReadSection &) = delete;

private:
  TMultiReadExclusiveWriteSynchronizer &FSync;
};

// Holds a write section for its scope.
class TWriteSection {
public:
  explicit TWriteSection(TMultiReadExclusiveWriteSynchronizer &S) : FSync(S) { FSync.BeginWrite(); }
  ~TWriteSection() { FSync.EndWrite(); }
  TWriteSection(const TWriteSection &) = delete;
  TWriteSection &operator=(const TWriteSection &) = delete;

private:
  TMultiReadExclusiveWriteSynchronizer &FSync;
};
