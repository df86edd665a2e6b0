#pragma once

#include <QByteArray>

#include <gettext-po.h>
#include <memory>
#include <type_traits>

// libgettextpo under the program's error handling. The library reads and
// writes files by name only. Its calls that read or write a file run one at
// a time; making and filling messages of a file no other thread uses may go
// on beside them.

struct TPoFileFree {
  void operator()(po_file_t File) const { po_file_free(File); }
};
using TPoFile = std::unique_ptr<std::remove_pointer_t<po_file_t>, TPoFileFree>;

// Reads the PO file Path, in UTF-8. Raises EExchangeFileError "Malformed PO
// file: ..." for text that gettext does not accept as PO.
TPoFile ReadPoFile(const QByteArray &Path);

// Writes File to the file Path in UTF-8 (its header must name that charset).
// Raises EExchangeFileError when the library fails.
void WritePoFile(po_file_t File, const QByteArray &Path);
