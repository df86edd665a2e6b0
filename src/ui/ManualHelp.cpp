#include "ManualHelp.h"

#include "CoreError.h"
#include "LanguageManager.h"
#include "ManualFolders.h"
#include "UrlOpener.h"

#include <QCoreApplication>
#include <QDir>

QUrl ManualTopicUrl(const QString &ProgramDir, const QString &Topic) {
  const qsizetype Hash = Topic.indexOf(u'#');
  const QString Path = FindManualPage(ProgramDir, Hash < 0 ? Topic : Topic.left(Hash));
  if (Path.isEmpty())
    return {};
  QUrl Url = QUrl::fromLocalFile(Path);
  if (Hash >= 0)
    Url.setFragment(Topic.mid(Hash + 1));
  return Url;
}

void ShowManualTopic(const QString &Topic) {
  const QString ProgramDir = QCoreApplication::applicationDirPath();
  const QUrl Url = ManualTopicUrl(ProgramDir, Topic);
  if (Url.isEmpty()) {
    QStringList Folders;
    for (const QString &Folder : ManualFolderCandidates(ProgramDir))
      Folders << QDir::toNativeSeparators(Folder);
    throw ECoreError(LangConstantFmt(u"SManualNotFound", {Folders.join(QStringLiteral("\r\n"))}));
  }
  OpenUrl(Url);
}
