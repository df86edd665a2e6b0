#pragma once

#include <QtGlobal>

// Asks the system to back a large buffer that is about to be filled with
// huge pages where it offers them on request (Linux), so that filling it
// takes a page fault per 2 MB instead of one per 4 KB. Only whole huge pages
// inside the buffer are affected; small buffers and other systems are left
// as they are. The buffer's contents are unchanged.
void ZrLang_AdviseLargeBuffer(void *Data, qsizetype Size);

// Gives the whole pages inside a buffer's range back to the system (Linux),
// so that a large buffer filled in part costs only what was filled, even
// where a huge page took in some of the rest. The range reads as zeros
// afterwards. REQUIRES: nothing reads the range before writing it.
void ZrLang_ReleaseUnusedPages(void *Data, qsizetype Size);
