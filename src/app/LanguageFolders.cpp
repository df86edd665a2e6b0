#include "LanguageFolders.h"

#include "BuildIdentity.h"

#include <QDir>
#include <QFileInfo>

QStringList LanguageFolderCandidates(const QString &ProgramDir) {
  const QDir Program(ProgramDir);
  return {QDir::cleanPath(Program.filePath(QStringLiteral("Languages"))),
          QDir::cleanPath(Program.filePath(QStringLiteral(LINGROVE_BUILD_LANGUAGES_FROM_BIN)))};
}

QString FindLanguageFolder(const QString &ProgramDir) {
  const QStringList Candidates = LanguageFolderCandidates(ProgramDir);
  for (const QString &Folder : Candidates)
    if (QFileInfo(Folder).isDir())
      return Folder;
  return Candidates.first();
}
