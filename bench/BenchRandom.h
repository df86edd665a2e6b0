#pragma once

#include <QtGlobal>

// splitmix64: small, fast and fully specified, unlike the standard
// distributions, whose results differ between library implementations; the
// generated inputs are the same on every machine.
class TBenchRandom {
public:
  explicit TBenchRandom(quint64 Seed) : FState(Seed) {}
  quint64 Next() {
    quint64 Z = (FState += 0x9E3779B97F4A7C15ull);
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
    return Z ^ (Z >> 31);
  }
  // 0 .. N-1; the modulo bias is irrelevant for test data.
  int Below(int N) { return int(Next() % quint64(N)); }
  int Between(int Lo, int Hi) { return Lo + Below(Hi - Lo + 1); }
  bool PerMille(int P) { return Below(1000) < P; }

private:
  quint64 FState;
};
