#pragma once

#include <cstddef>

// Storage for the small records a document holds one of per entry, taken
// from slabs instead of one heap block each: a million records then cost a
// page fault per 2 MB rather than one per 4 KB, and no heap header each.
// Slabs start small, so that a program with a few hundred records keeps a
// few kilobytes, and grow to huge-page size. A freed record's storage is
// kept for the next record of its size; slabs stay until the program ends.
// Thread-safe. Under AddressSanitizer every record is a heap block of its
// own, so that a use after free is still caught.
//
// A record class takes its storage from here by declaring
//   static void *operator new(std::size_t Size) { return ZrLang_AllocateRecord(Size); }
//   static void operator delete(void *P, std::size_t Size) noexcept { ZrLang_FreeRecord(P, Size); }
void *ZrLang_AllocateRecord(std::size_t Size);
// REQUIRES: Record came from ZrLang_AllocateRecord(Size), or is null.
void ZrLang_FreeRecord(void *Record, std::size_t Size) noexcept;
