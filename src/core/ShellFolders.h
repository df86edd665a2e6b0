#pragma once

#include <QString>

// The user's special folders by their shell folder identifiers (CSIDL
// numbers). Where the platform has no such folder the path is empty.
class TShellFolders {
public:
  TShellFolders() = delete;
#ifdef Q_OS_WIN
  // The shell's item-identifier list of the folder, or nullptr; free it with
  // FreePIDL.
  static void *GetSpecialFolderLocation(int FolderID);
  static void FreePIDL(void *APIDL);
#endif
  // The folder's file-system path (no trailing delimiter), or empty.
  static QString GetSpecialFolderPath(int FolderID);
};

class TUserShellFolders {
public:
  TUserShellFolders() = delete;
  static QString GetAdminTools() { return TShellFolders::GetSpecialFolderPath(48); }
  static QString GetAltStartup() { return TShellFolders::GetSpecialFolderPath(29); }
  static QString GetAppData() { return TShellFolders::GetSpecialFolderPath(26); }
  static QString GetCDBurnArea() { return TShellFolders::GetSpecialFolderPath(59); }
  static QString GetCookies() { return TShellFolders::GetSpecialFolderPath(33); }
  static QString GetDesktopDirectory() { return TShellFolders::GetSpecialFolderPath(16); }
  static QString GetDocuments() { return TShellFolders::GetSpecialFolderPath(5); }
  static QString GetFavorites() { return TShellFolders::GetSpecialFolderPath(6); }
  static QString GetInternetCache() { return TShellFolders::GetSpecialFolderPath(32); }
  static QString GetLocalAppData() { return TShellFolders::GetSpecialFolderPath(28); }
  static QString GetMusic() { return TShellFolders::GetSpecialFolderPath(13); }
  static QString GetNetHood() { return TShellFolders::GetSpecialFolderPath(19); }
  static QString GetPersonal() { return TShellFolders::GetSpecialFolderPath(5); }
  static QString GetPictures() { return TShellFolders::GetSpecialFolderPath(39); }
  static QString GetPrintHood() { return TShellFolders::GetSpecialFolderPath(27); }
  static QString GetProfile() { return TShellFolders::GetSpecialFolderPath(40); }
  static QString GetPrograms() { return TShellFolders::GetSpecialFolderPath(2); }
  static QString GetRecent() { return TShellFolders::GetSpecialFolderPath(8); }
  static QString GetSendTo() { return TShellFolders::GetSpecialFolderPath(9); }
  static QString GetStartMenu() { return TShellFolders::GetSpecialFolderPath(11); }
  static QString GetStartup() { return TShellFolders::GetSpecialFolderPath(7); }
  static QString GetTemplates() { return TShellFolders::GetSpecialFolderPath(21); }
  static QString GetVideo() { return TShellFolders::GetSpecialFolderPath(14); }
};
