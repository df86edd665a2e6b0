#include "LargeBuffer.h"

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

void ZrLang_AdviseLargeBuffer(void *Data, qsizetype Size) {
#ifdef Q_OS_LINUX
  constexpr quintptr HugePage = 2 * 1024 * 1024;
  if (Size < qsizetype(2 * HugePage))
    return;
  const quintptr Begin = (quintptr(Data) + HugePage - 1) & ~(HugePage - 1);
  const quintptr End = (quintptr(Data) + quintptr(Size)) & ~(HugePage - 1);
  // Only advice: a system that refuses it fills the buffer as before.
  if (End > Begin)
    madvise(reinterpret_cast<void *>(Begin), End - Begin, MADV_HUGEPAGE);
#else
  Q_UNUSED(Data);
  Q_UNUSED(Size);
#endif
}

void ZrLang_ReleaseUnusedPages(void *Data, qsizetype Size) {
#ifdef Q_OS_LINUX
  const quintptr Page = quintptr(sysconf(_SC_PAGESIZE));
  const quintptr Begin = (quintptr(Data) + Page - 1) & ~(Page - 1);
  const quintptr End = (quintptr(Data) + quintptr(Size)) & ~(Page - 1);
  // Only advice: a system that refuses it keeps the pages.
  if (End > Begin)
    madvise(reinterpret_cast<void *>(Begin), End - Begin, MADV_DONTNEED);
#else
  Q_UNUSED(Data);
  Q_UNUSED(Size);
#endif
}
