#include "UpdateVersion.h"

#include "ProgramIdentity.h"

#include <QFileInfo>
#include <QStringList>

std::optional<TFileVersion> ParseFileVersion(const QString &Text) {
  const QStringList Parts = Text.trimmed().split(u'.');
  if (Parts.size() > 4)
    return std::nullopt;
  quint16 Numbers[4] = {0, 0, 0, 0};
  for (qsizetype I = 0; I < Parts.size(); ++I) {
    // Only plain decimal digits: toUInt would also take blanks and signs.
    const QString &Part = Parts[I];
    if (Part.isEmpty() || Part.size() > 5)
      return std::nullopt;
    for (const QChar C : Part)
      if (C < u'0' || C > u'9')
        return std::nullopt;
    const uint Value = Part.toUInt();
    if (Value > 65535)
      return std::nullopt;
    Numbers[I] = quint16(Value);
  }
  return TFileVersion{quint32(Numbers[0]) << 16 | Numbers[1],
                      quint32(Numbers[2]) << 16 | Numbers[3]};
}

QString FormatFileVersion(TFileVersion Version) {
  return QStringLiteral("%1.%2.%3.%4")
      .arg(Version.High >> 16)
      .arg(Version.High & 0xFFFF)
      .arg(Version.Low >> 16)
      .arg(Version.Low & 0xFFFF);
}

int CompareFileVersions(TFileVersion A, TFileVersion B) {
  if (A.High != B.High)
    return A.High < B.High ? -1 : 1;
  if (A.Low != B.Low)
    return A.Low < B.Low ? -1 : 1;
  return 0;
}

TFileVersion ProgramFileVersion() {
  static const TFileVersion Version = ParseFileVersion(ProgramVersion()).value_or(TFileVersion{});
  return Version;
}

TFileVersion LocalFileVersion(const QString &Path, const QString &ProgramFile) {
  const QString Canonical = QFileInfo(Path).canonicalFilePath();
  if (!Canonical.isEmpty() && Canonical == QFileInfo(ProgramFile).canonicalFilePath())
    return ProgramFileVersion();
  return {};
}
