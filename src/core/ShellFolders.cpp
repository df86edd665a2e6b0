#include "ShellFolders.h"

#ifdef Q_OS_WIN

#include <shlobj.h>

void *TShellFolders::GetSpecialFolderLocation(int FolderID) {
  LPITEMIDLIST PIDL = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, FolderID, &PIDL) != S_OK)
    return nullptr;
  return PIDL;
}

void TShellFolders::FreePIDL(void *APIDL) {
  IMalloc *Malloc = nullptr;
  if (SHGetMalloc(&Malloc) == S_OK && Malloc) {
    Malloc->Free(APIDL);
    Malloc->Release();
  }
}

QString TShellFolders::GetSpecialFolderPath(int FolderID) {
  QString Result;
  if (void *PIDL = GetSpecialFolderLocation(FolderID)) {
    wchar_t Buffer[MAX_PATH] = {};
    if (SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(PIDL), Buffer))
      Result = QString::fromWCharArray(Buffer);
    FreePIDL(PIDL);
  }
  return Result;
}

#else

#include <QStandardPaths>

// The nearest freedesktop folders; the shell folders without one give empty.
QString TShellFolders::GetSpecialFolderPath(int FolderID) {
  QStandardPaths::StandardLocation Location;
  QString Sub;
  switch (FolderID) {
  case 26: // application data: the per-user settings
    Location = QStandardPaths::GenericConfigLocation;
    break;
  case 28: // local application data
    Location = QStandardPaths::GenericDataLocation;
    break;
  case 5: // documents
    Location = QStandardPaths::DocumentsLocation;
    break;
  case 16:
    Location = QStandardPaths::DesktopLocation;
    break;
  case 13:
    Location = QStandardPaths::MusicLocation;
    break;
  case 39:
    Location = QStandardPaths::PicturesLocation;
    break;
  case 14:
    Location = QStandardPaths::MoviesLocation;
    break;
  case 32:
    Location = QStandardPaths::GenericCacheLocation;
    break;
  case 40:
    Location = QStandardPaths::HomeLocation;
    break;
  case 2: // programs of the start menu
    Location = QStandardPaths::ApplicationsLocation;
    break;
  case 7: // programs started at logon
    Location = QStandardPaths::GenericConfigLocation;
    Sub = QStringLiteral("/autostart");
    break;
  default:
    return QString();
  }
  const QString Path = QStandardPaths::writableLocation(Location);
  return Path.isEmpty() ? Path : Path + Sub;
}

#endif
