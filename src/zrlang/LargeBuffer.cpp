#include "LargeBuffer.h"

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Gives Advice for the whole pages of size Page inside the range. Only
// advice: a system that refuses it leaves the memory as it was.
void AdviseWholePages(void *Data, qsizetype Size, quintptr Page, int Advice) {
  const quintptr Begin = (quintptr(Data) + Page - 1) & ~(Page - 1);
  const quintptr End = (quintptr(Data) + quintptr(Size)) & ~(Page - 1);
  if (End > Begin)
    madvise(reinterpret_cast<void *>(Begin), End - Begin, Advice);
}

} // namespace
#endif

void ZrLang_AdviseLargeBuffer(void *Data, qsizetype Size) {
#ifdef Q_OS_LINUX
  constexpr quintptr HugePage = 2 * 1024 * 1024;
  if (Size >= qsizetype(2 * HugePage))
    AdviseWholePages(Data, Size, HugePage, MADV_HUGEPAGE);
#else
  Q_UNUSED(Data);
  Q_UNUSED(Size);
#endif
}

void ZrLang_ReleaseUnusedPages(void *Data, qsizetype Size) {
#ifdef Q_OS_LINUX
  AdviseWholePages(Data, Size, quintptr(sysconf(_SC_PAGESIZE)), MADV_DONTNEED);
#else
  Q_UNUSED(Data);
  Q_UNUSED(Size);
#endif
}
