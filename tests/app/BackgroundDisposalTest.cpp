#include "BackgroundDisposal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Counts its destructions, wherever they run.
struct TCounted {
  explicit TCounted(std::shared_ptr<std::atomic<int>> Count) : Count(std::move(Count)) {}
  TCounted(TCounted &&) = default;
  ~TCounted() {
    if (Count)
      ++*Count;
  }
  std::shared_ptr<std::atomic<int>> Count;
};

} // namespace

TEST(BackgroundDisposalTest, AHoldDefersFreeingUntilReleasedOrWaitedFor) {
  BackgroundDisposal::Wait();
  auto Freed = std::make_shared<std::atomic<int>>(0);
  {
    const BackgroundDisposal::THold Hold;
    BackgroundDisposal::Dispose(TCounted(Freed));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(*Freed, 0);
    // Waiting goes past the hold: a test or a measurement would never end.
    BackgroundDisposal::Wait();
    EXPECT_EQ(*Freed, 1);
    BackgroundDisposal::Dispose(TCounted(Freed));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(*Freed, 1);
  }
  BackgroundDisposal::Wait();
  EXPECT_EQ(*Freed, 2);
}
