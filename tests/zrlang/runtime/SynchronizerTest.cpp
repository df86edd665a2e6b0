#include "Synchronizer.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A lock that deadlocks would hang the whole run; end it with a message
// instead.
void MustFinish(std::future<void> &F, const char *What) {
  if (F.wait_for(10s) != std::future_status::ready) {
    std::fprintf(stderr, "deadlock: %s\n", What);
    std::fflush(stderr);
    std::_Exit(3);
  }
  F.get();
}

bool WaitUntil(const std::atomic<int> &Value, int Wanted) {
  const auto Deadline = std::chrono::steady_clock::now() + 5s;
  while (Value.load() < Wanted)
    if (std::chrono::steady_clock::now() > Deadline)
      return false;
    else
      std::this_thread::sleep_for(1ms);
  return true;
}

TEST(Synchronizer, ReadersRunTogether) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  std::atomic<int> Inside = 0;
  std::atomic<int> SawAll = 0;
  std::vector<std::future<void>> Readers;
  for (int I = 0; I < 3; ++I)
    Readers.push_back(std::async(std::launch::async, [&] {
      TReadSection R(Sync);
      ++Inside;
      if (WaitUntil(Inside, 3))
        ++SawAll;
    }));
  for (auto &F : Readers)
    MustFinish(F, "readers");
  EXPECT_EQ(SawAll, 3);
}

struct TExclusionCase {
  bool bHeldForWrite;
  bool bOtherWrites;
  bool bOtherWaits;
};

class SynchronizerExclusion : public testing::TestWithParam<TExclusionCase> {};

TEST_P(SynchronizerExclusion, OtherThreadWaitsOnlyWhereAWriterIsInvolved) {
  const TExclusionCase &C = GetParam();
  TMultiReadExclusiveWriteSynchronizer Sync;
  C.bHeldForWrite ? Sync.BeginWrite() : Sync.BeginRead();
  std::atomic<int> Entered = 0;
  auto Other = std::async(std::launch::async, [&] {
    C.bOtherWrites ? Sync.BeginWrite() : Sync.BeginRead();
    ++Entered;
    C.bOtherWrites ? Sync.EndWrite() : Sync.EndRead();
  });
  if (C.bOtherWaits) {
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(Entered, 0);
  } else {
    EXPECT_TRUE(WaitUntil(Entered, 1));
  }
  C.bHeldForWrite ? Sync.EndWrite() : Sync.EndRead();
  MustFinish(Other, "exclusion");
  EXPECT_EQ(Entered, 1);
}

INSTANTIATE_TEST_SUITE_P(Synchronizer, SynchronizerExclusion,
                         testing::Values(TExclusionCase{false, false, false},
                                         TExclusionCase{false, true, true},
                                         TExclusionCase{true, false, true},
                                         TExclusionCase{true, true, true}));

TEST(Synchronizer, WriterNestsReadAndWriteSectionsAndReleasesFully) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  auto Nested = std::async(std::launch::async, [&] {
    TWriteSection W(Sync);
    TReadSection R(Sync);
    TWriteSection W2(Sync);
    TReadSection R2(Sync);
  });
  MustFinish(Nested, "nested sections of the writer");
  auto Later = std::async(std::launch::async, [&] { TWriteSection W(Sync); });
  MustFinish(Later, "writer after nested sections");
}

TEST(Synchronizer, NestedReadWhileAWriterWaitsDoesNotDeadlock) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  std::atomic<int> Step = 0;
  std::atomic<int> WriterIn = 0;
  auto Reader = std::async(std::launch::async, [&] {
    TReadSection R(Sync);
    Step = 1;
    std::this_thread::sleep_for(150ms); // the writer is waiting by now
    {
      TReadSection Again(Sync);
      EXPECT_EQ(WriterIn, 0);
    }
    EXPECT_EQ(WriterIn, 0);
  });
  ASSERT_TRUE(WaitUntil(Step, 1));
  auto Writer = std::async(std::launch::async, [&] {
    TWriteSection W(Sync);
    ++WriterIn;
  });
  MustFinish(Reader, "nested read while a writer waits");
  MustFinish(Writer, "writer after the reader");
  EXPECT_EQ(WriterIn, 1);
}

TEST(Synchronizer, OnlyReaderBecomesWriterAndExcludesOthers) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  std::atomic<int> Upgraded = 0;
  std::atomic<int> Release = 0;
  auto Owner = std::async(std::launch::async, [&] {
    TReadSection R(Sync);
    TWriteSection W(Sync);
    ++Upgraded;
    WaitUntil(Release, 1);
  });
  ASSERT_TRUE(WaitUntil(Upgraded, 1));
  std::atomic<int> ReaderIn = 0;
  auto Reader = std::async(std::launch::async, [&] {
    TReadSection R(Sync);
    ++ReaderIn;
  });
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(ReaderIn, 0);
  Release = 1;
  MustFinish(Owner, "upgrade of the only reader");
  MustFinish(Reader, "reader after the upgraded writer");
  EXPECT_EQ(ReaderIn, 1);
}

TEST(Synchronizer, WritersNeverOverlapReaders) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  long long Value = 0; // odd only inside a write section
  std::atomic<int> OddSeen = 0;
  std::vector<std::future<void>> Threads;
  for (int T = 0; T < 4; ++T)
    Threads.push_back(std::async(std::launch::async, [&, T] {
      for (int I = 0; I < 2000; ++I) {
        if ((I + T) % 3 == 0) {
          TWriteSection W(Sync);
          ++Value;
          TReadSection Nested(Sync);
          ++Value;
        } else {
          TReadSection R(Sync);
          if (Value % 2 != 0)
            ++OddSeen;
        }
      }
    }));
  for (auto &F : Threads)
    MustFinish(F, "mixed readers and writers");
  EXPECT_EQ(OddSeen, 0);
  int Writes = 0;
  for (int T = 0; T < 4; ++T)
    for (int I = 0; I < 2000; ++I)
      Writes += (I + T) % 3 == 0;
  EXPECT_EQ(Value, 2LL * Writes);
}

} // namespace
