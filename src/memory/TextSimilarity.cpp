#include "TextSimilarity.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The distance when it is at most Limit, otherwise some value above Limit.
// Only the band of cells within Limit of the diagonal can hold a distance
// up to Limit, so the rest of each row is never computed.
qsizetype BoundedDistance(QStringView A, QStringView B, qsizetype Limit) {
  if (A.size() > B.size())
    std::swap(A, B);
  const qsizetype N = A.size(), M = B.size();
  if (M - N > Limit)
    return Limit + 1;
  const qsizetype Beyond = Limit + 1;
  std::vector<qsizetype> Prev(size_t(N + 1)), Cur(size_t(N + 1));
  for (qsizetype I = 0; I <= N; ++I)
    Prev[size_t(I)] = std::min(I, Beyond);
  for (qsizetype J = 1; J <= M; ++J) {
    const qsizetype Lo = std::max<qsizetype>(1, J - Limit);
    const qsizetype Hi = std::min(N, J + Limit);
    Cur[0] = std::min(J, Beyond);
    if (Lo > 1)
      Cur[size_t(Lo - 1)] = Beyond;
    qsizetype RowMin = Cur[0];
    const char16_t Bj = B[J - 1].unicode();
    for (qsizetype I = Lo; I <= Hi; ++I) {
      const qsizetype Replace = Prev[size_t(I - 1)] + (A[I - 1].unicode() == Bj ? 0 : 1);
      const qsizetype Delete = Prev[size_t(I)] + 1;
      const qsizetype Insert = Cur[size_t(I - 1)] + 1;
      Cur[size_t(I)] = std::min({Replace, Delete, Insert, Beyond});
      RowMin = std::min(RowMin, Cur[size_t(I)]);
    }
    if (Hi < N)
      Cur[size_t(Hi + 1)] = Beyond;
    if (RowMin > Limit)
      return Beyond;
    std::swap(Prev, Cur);
  }
  return Prev[size_t(N)];
}

} // namespace

double TextSimilarity(QStringView A, QStringView B) {
  return TextSimilarityAtLeast(A, B, 0.0);
}

double TextSimilarityAtLeast(QStringView A, QStringView B, double Minimum) {
  const qsizetype Longer = std::max(A.size(), B.size());
  if (Longer == 0)
    return 1.0;
  // similarity >= Minimum  <=>  lev <= (1 - Minimum) * Longer
  const qsizetype Limit =
      std::min(Longer, qsizetype(std::floor((1.0 - Minimum) * double(Longer) + 1e-9)));
  const qsizetype Distance = BoundedDistance(A, B, Limit);
  if (Distance > Limit)
    return std::min(Minimum, 1.0) - 1e-6;
  return 1.0 - double(Distance) / double(Longer);
}

int SimilarityPercent(double Similarity, bool bEqual) {
  if (bEqual)
    return 100;
  return std::clamp(int(std::lround(Similarity * 100.0)), 0, 99);
}
