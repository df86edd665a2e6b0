#include "ManualFolders.h"

#include "BuildIdentity.h"

#include <QDir>
#include <QFileInfo>

QStringList ManualFolderCandidates(const QString &ProgramDir) {
  const QDir Program(ProgramDir);
  return {QDir::cleanPath(Program.filePath(QStringLiteral("Manual"))),
          QDir::cleanPath(Program.filePath(QStringLiteral(LINGROVE_BUILD_MANUAL_FROM_BIN)))};
}

QString FindManualPage(const QString &ProgramDir, const QString &Page) {
  for (const QString &Folder : ManualFolderCandidates(ProgramDir)) {
    const QString Path = QDir(Folder).filePath(Page);
    if (QFileInfo(Path).isFile())
      return Path;
  }
  return {};
}
