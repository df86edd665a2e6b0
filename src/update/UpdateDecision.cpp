#include "UpdateDecision.h"

#include <QFileInfo>

TLocalFileResult CompareLocalFile(const TLocalFileCheck &Check) {
  TLocalFileResult Result;
  if (Check.LocalPath.isEmpty() ||
      (Check.NewVersion.trimmed().isEmpty() && Check.NewSize <= 0 && !Check.NewChecksum.Given))
    return Result;
  const QFileInfo Local(Check.LocalPath);
  const bool Exists = Local.isFile();
  if (Check.NewChecksum.Given) {
    Result.Kind = ckChecksum;
    if (!Exists) {
      Result.NeedsUpdate = true;
    } else {
      const std::optional<quint32> Crc = FileCrc32(Check.LocalPath);
      Result.NeedsUpdate = !Crc || !Check.NewChecksum.Matches(*Crc);
    }
    return Result;
  }
  if (Check.NewSize <= 0) {
    Result.Kind = ckVersion;
    const std::optional<TFileVersion> New = ParseFileVersion(Check.NewVersion);
    if (!New)
      return Result;
    if (!Exists) {
      Result.NeedsUpdate = Check.MissingNeedsUpdate;
      return Result;
    }
    Result.VersionsRead = true;
    Result.NewVersion = *New;
    Result.LocalVersion = LocalFileVersion(Check.LocalPath, Check.ProgramFile);
    Result.NeedsUpdate = CompareFileVersions(Result.LocalVersion, Result.NewVersion) < 0;
    return Result;
  }
  Result.Kind = ckSize;
  Result.NeedsUpdate = Exists ? Local.size() != Check.NewSize : Check.MissingNeedsUpdate;
  return Result;
}
