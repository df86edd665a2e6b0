#pragma once

#include "UpdateChecksum.h"
#include "UpdateVersion.h"

#include <QString>

// The comparison of a local file with what the control file announces.
struct TLocalFileCheck {
  QString LocalPath;  // resolved local file; empty when none was given (or unsafe)
  QString NewVersion; // four-part text; empty when not given
  qint64 NewSize = 0; // > 0 when given
  TChecksumSpec NewChecksum;
  QString ProgramFile; // the program, the one file that carries a version
  // Whether a local file that does not exist needs the update in the version
  // and size comparisons (off in the update-only check mode). In the checksum
  // comparison a missing file always needs it.
  bool MissingNeedsUpdate = false;
};

enum TCompareKind { ckNone, ckChecksum, ckVersion, ckSize };

struct TLocalFileResult {
  TCompareKind Kind = ckNone; // ckNone: nothing to compare
  bool NeedsUpdate = false;
  // Set by a version comparison that could read both versions.
  bool VersionsRead = false;
  TFileVersion LocalVersion;
  TFileVersion NewVersion;
};

// With a checksum: the file's CRC-32 differs. Else without a size: the
// file's version is lower than NewVersion (an unreadable NewVersion never
// needs an update). Else: the file size differs. Nothing is compared without
// a local path or when neither version, size nor checksum is given.
TLocalFileResult CompareLocalFile(const TLocalFileCheck &Check);
