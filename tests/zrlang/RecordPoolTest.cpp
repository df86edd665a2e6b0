// Records of several sizes taken and given back by two threads at once.
#include "RecordPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// Fills records with a mark of their own, frees every other one, takes
// them again and checks that no two live records ever shared storage.
void Churn(unsigned char Mark, std::vector<std::pair<void *, std::size_t>> &Live) {
  const std::size_t Sizes[] = {1, 8, 24, 40, 56, 64, 65, 200};
  for (int Round = 0; Round < 3; ++Round) {
    for (int I = 0; I < 20000; ++I) {
      const std::size_t Size = Sizes[I % std::size(Sizes)];
      void *P = ZrLang_AllocateRecord(Size);
      std::memset(P, Mark, Size);
      Live.emplace_back(P, Size);
    }
    for (std::size_t I = 0; I < Live.size(); I += 2)
      ZrLang_FreeRecord(Live[I].first, Live[I].second);
    std::erase_if(Live, [&, N = std::size_t(0)](const auto &) mutable { return N++ % 2 == 0; });
  }
}

TEST(RecordPoolTest, RecordsOfTwoThreadsNeverShareStorage) {
  std::vector<std::pair<void *, std::size_t>> A, B;
  std::thread Other([&] { Churn(0xAB, B); });
  Churn(0xCD, A);
  Other.join();
  for (const auto &[Live, Mark] : {std::pair{&A, 0xCD}, std::pair{&B, 0xAB}})
    for (const auto &[P, Size] : *Live) {
      const auto *Bytes = static_cast<const unsigned char *>(P);
      ASSERT_TRUE(std::all_of(Bytes, Bytes + Size, [&](unsigned char C) { return C == Mark; }));
    }
  for (auto *Live : {&A, &B})
    for (const auto &[P, Size] : *Live)
      ZrLang_FreeRecord(P, Size);
}

} // namespace
