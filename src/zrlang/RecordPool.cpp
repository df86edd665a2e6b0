#include "RecordPool.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr std::size_t Granule = 8;
constexpr std::size_t LargestRecord = 64;
constexpr std::size_t FirstSlab = 64 * 1024;
constexpr std::size_t LargestSlab = 4 * 1024 * 1024;
constexpr std::size_t HugePage = 2 * 1024 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Pooled = false;
#else
constexpr bool Pooled = true;
#endif

struct TFreeRecord {
  TFreeRecord *Next;
};

struct TSizeClass {
  std::mutex Mutex;
  TFreeRecord *Free = nullptr;
  char *Next = nullptr;
  char *End = nullptr;
  std::size_t SlabSize = FirstSlab / 2;
};

bool IsPooled(std::size_t Size) { return Pooled && Size > 0 && Size <= LargestRecord; }

TSizeClass &SizeClass(std::size_t Size) {
  // Never destroyed: records of objects that outlive the statics still come
  // back here.
  static TSizeClass *const Classes = new TSizeClass[LargestRecord / Granule];
  return Classes[(Size - 1) / Granule];
}

void NewSlab(TSizeClass &C) {
  C.SlabSize = std::min(C.SlabSize * 2, LargestSlab);
  const std::size_t Alignment = C.SlabSize >= HugePage ? HugePage : alignof(std::max_align_t);
  void *Slab = std::aligned_alloc(Alignment, C.SlabSize);
  if (!Slab)
    throw std::bad_alloc();
  ZrLang_AdviseLargeBuffer(Slab, qsizetype(C.SlabSize));
  C.Next = static_cast<char *>(Slab);
  C.End = C.Next + C.SlabSize;
}

} // namespace

void *ZrLang_AllocateRecord(std::size_t Size) {
  if (!IsPooled(Size))
    return ::operator new(Size);
  const std::size_t Rounded = (Size + Granule - 1) / Granule * Granule;
  TSizeClass &C = SizeClass(Size);
  const std::lock_guard Lock(C.Mutex);
  if (TFreeRecord *R = C.Free) {
    C.Free = R->Next;
    return R;
  }
  if (std::size_t(C.End - C.Next) < Rounded)
    NewSlab(C);
  void *Record = C.Next;
  C.Next += Rounded;
  return Record;
}

void ZrLang_FreeRecord(void *Record, std::size_t Size) noexcept {
  if (!Record)
    return;
  if (!IsPooled(Size)) {
    ::operator delete(Record);
    return;
  }
  TSizeClass &C = SizeClass(Size);
  const std::lock_guard Lock(C.Mutex);
  C.Free = new (Record) TFreeRecord{C.Free};
}
