#include "CoreApplication.h"

#include "ShellFolders.h"
#include "SystemServices.h"

#include <QFileInfo>
#include <QMutex>
#include <QtDebug>

namespace {

QMutex GLock;
QString GTitle;
QString GSettingsFolder;
TMessageBoxHandler GMessageBoxHandler;

const QString SettingsFile = QStringLiteral("Settings.dat");
const QString RegistryRoot = QStringLiteral("Software\\Brisel Solutions\\");

QString WithDelimiter(const QString &Folder) {
  return (Folder.endsWith(u'/') || Folder.endsWith(u'\\')) ? Folder : Folder + u'/';
}

} // namespace

const QString &AppName() {
  static const QString Name = QFileInfo(GetParamStr(0)).completeBaseName();
  return Name;
}

QString ApplicationTitle() {
  QMutexLocker Guard(&GLock);
  return GTitle.isNull() ? AppName() : GTitle;
}

void SetApplicationTitle(const QString &Title) {
  QMutexLocker Guard(&GLock);
  GTitle = Title;
}

QString GetSettingsFolder() {
  QMutexLocker Guard(&GLock);
  if (!GSettingsFolder.isEmpty())
    return GSettingsFolder;
  const QString AppData = TUserShellFolders::GetAppData();
  const QString Candidates[] = {
      AppData.isEmpty() ? QString() : WithDelimiter(WithDelimiter(AppData) + AppName()),
      WithDelimiter(QFileInfo(GetParamStr(0)).absolutePath())};
  for (const QString &Folder : Candidates)
    if (!Folder.isEmpty() && QFileInfo::exists(Folder + SettingsFile)) {
      GSettingsFolder = Folder;
      break;
    }
  return GSettingsFolder;
}

QString GetSettingsFileName() {
  return GetSettingsFolder() + SettingsFile;
}

bool UseSettingsFile() {
  const QString Folder = GetSettingsFolder();
  return !Folder.isEmpty() && QFileInfo::exists(Folder + SettingsFile) &&
         IsDirectoryWritable(Folder);
}

QString GetAppRegistryKey() {
  return AppName().contains(RegistryRoot) ? AppName() : RegistryRoot + AppName();
}

void ClearSettingsLocation() {
  QMutexLocker Guard(&GLock);
  GSettingsFolder.clear();
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler) {
  QMutexLocker Guard(&GLock);
  std::swap(GMessageBoxHandler, Handler);
  return Handler;
}

void ShowMessageBox(TMessageBoxKind Kind, const QString &Caption, const QString &Text) {
  TMessageBoxHandler Handler;
  {
    QMutexLocker Guard(&GLock);
    Handler = GMessageBoxHandler;
  }
  if (Handler) {
    Handler(Kind, Caption, Text);
    return;
  }
  const QString Shown = Caption.isEmpty() ? Text : Caption + QStringLiteral(": ") + Text;
  qWarning().noquote() << Shown;
}
