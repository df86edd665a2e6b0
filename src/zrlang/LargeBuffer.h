#pragma once

#include <QtGlobal>

// Asks the system to back a large buffer that is about to be filled with
// huge pages where it offers them on request (Linux), so that filling it
// takes a page fault per 2 MB instead of one per 4 KB. Only whole huge pages
// inside the buffer are affected; small buffers and other systems are left
// as they are. The buffer's contents are unchanged.
void ZrLang_AdviseLargeBuffer(void *Data, qsizetype Size);
