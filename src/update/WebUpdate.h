#pragma once

#include "UpdateControlFile.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QFile;
class QTemporaryDir;

// One [fileN] section of the control file.
struct TUpdateFileEntry {
  QString Url;
  QString LocalVersion;
  QString NewVersion;
  qint64 NewSize = 0;
  QString NewChecksum; // as written; "-1" when absent
  QString CustomVersion;
  QString Date;
  QString Time;
  QString Descr;
  QString TargetDir;
  bool Compressed = false;
  qint64 FileSize = 0;
  bool Mandatory = false;
  bool Preselect = true;
  bool Hidden = false;
  QString DownloadedFile; // set once the file is in the update's folder and verified
};

// The update component: created for one check and freed afterwards. It asks
// the update server's control file whether a newer version exists and, when
// the user agrees, downloads the listed files into a folder of its own inside
// the temporary folder and hands over to the updater program, which replaces
// the application's components once the program has ended. Everything the
// server sends is untrusted: names stay inside their folders, sizes and
// times are bounded. Everything runs on the calling (user-interface) thread;
// network waits run a local event loop.
// REQUIRES: a QCoreApplication exists; used on its thread.
class TWebUpdate : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString ControlFileUrl READ ControlFileUrl WRITE SetControlFileUrl)
  Q_PROPERTY(TUpdateType UpdateType READ UpdateType WRITE SetUpdateType)
  Q_PROPERTY(bool ShowDownloadProgress READ ShowDownloadProgress WRITE SetShowDownloadProgress)
  Q_PROPERTY(TUpdaterUpdateMode UpdaterUpdateMode READ UpdaterUpdateMode WRITE SetUpdaterUpdateMode)
  Q_PROPERTY(TVersionCheckMode VersionCheckMode READ VersionCheckMode WRITE SetVersionCheckMode)
  Q_PROPERTY(TConnectionMode ConnectionMode READ ConnectionMode WRITE SetConnectionMode)
  Q_PROPERTY(QString DateFormat READ DateFormat WRITE SetDateFormat)
  Q_PROPERTY(QString TimeFormat READ TimeFormat WRITE SetTimeFormat)
  Q_PROPERTY(bool UseSystemTempFolder READ UseSystemTempFolder WRITE SetUseSystemTempFolder)
  Q_PROPERTY(QString TempDirectory READ TempDirectory WRITE SetTempDirectory)
  Q_PROPERTY(QString UserAgent READ UserAgent WRITE SetUserAgent)
  Q_PROPERTY(TAuthenticate Authenticate READ Authenticate WRITE SetAuthenticate)
  Q_PROPERTY(QString UserName READ UserName WRITE SetUserName)
  Q_PROPERTY(QString Password READ Password WRITE SetPassword)
  Q_PROPERTY(int Port READ Port WRITE SetPort)
  Q_PROPERTY(bool SignatureCheck READ SignatureCheck WRITE SetSignatureCheck)
  Q_PROPERTY(QString Signature READ Signature WRITE SetSignature)
  Q_PROPERTY(bool Threaded READ Threaded WRITE SetThreaded)
  Q_PROPERTY(QString LogFileName READ LogFileName WRITE SetLogFileName)
  Q_PROPERTY(int TimeoutMs READ TimeoutMs WRITE SetTimeoutMs)
  Q_PROPERTY(int CheckTimeLimitMs READ CheckTimeLimitMs WRITE SetCheckTimeLimitMs)

public:
  // Only web download is carried out; the others answer "no update".
  enum TUpdateType { utWebDownload, utFtp, utLocalFile };
  Q_ENUM(TUpdateType)
  // Kept for the caller's settings; this component never updates itself.
  enum TUpdaterUpdateMode { uumPromptOnce, uumPromptAlways, uumSilent, uumNever };
  Q_ENUM(TUpdaterUpdateMode)
  // Update only: a local file that does not exist is not installed by the
  // version and size comparisons. New or update: it is.
  enum TVersionCheckMode { vcmUpdateOnly, vcmNewOrUpdate };
  Q_ENUM(TVersionCheckMode)
  // No dial-up: an existing connection is used as it is.
  enum TConnectionMode { cmNoDialup, cmDialup };
  Q_ENUM(TConnectionMode)
  // Always: UserName and Password are offered when the server asks.
  enum TAuthenticate { auNever, auAlways };
  Q_ENUM(TAuthenticate)

  // The built-in address of the control file on the update server.
  static QString DefaultControlFileUrl();
  // The environment variable whose address, when set, replaces the control
  // file address for manual testing.
  static const char *const ControlFileUrlVariable;
  // The environment variable whose number of milliseconds, when set,
  // replaces the default CheckTimeLimitMs for manual testing.
  static const char *const CheckTimeLimitVariable;
  // The most [fileN] sections a control file may announce.
  static constexpr qint64 MaxFileSections = 1000;

  explicit TWebUpdate(QObject *Owner = nullptr);
  ~TWebUpdate() override;

  // Fetches the control file and decides; true when an update is available.
  // Afterwards NewVersionInfo and CurrentVersionInfo are set.
  bool NewVersionAvailable();
  // Runs the whole update once the user accepted it: checks again,
  // downloads the files that are needed and, when an application component
  // is among them, hands over to the updater and ends the program through
  // OnTerminate. True when every step succeeded. A control file with more
  // than MaxFileSections sections, an unsafe appname, or an appcomps entry
  // that is not a plain file name or not the name of one of its files is
  // malformed: nothing is downloaded.
  bool DoUpdate();

  // Results.
  QString NewVersionInfo() const { return FNewVersionInfo; }
  QString CurrentVersionInfo() const { return FCurrentVersionInfo; }
  // The status text of the last failure of the latest check or update
  // (control file, download, verification, installing, hand-over); empty
  // when nothing failed, also when nothing needed updating.
  QString LastError() const { return FLastError; }
  // The transfer's own account of the latest failed transfer (for a refused
  // certificate, the reasons); empty when none failed.
  QString LastTransferError() const { return FLastTransferError; }
  QDateTime NewVersionDate() const { return FNewVersionDate; }
  QString UpdateDescription() const { return FUpdateDescription; }
  // The files DoUpdate found needed, in control-file order.
  const QList<TUpdateFileEntry> &Files() const { return FFiles; }
  // The folder that receives the control file and, in a folder of their own
  // made for each update, the downloads, the log and the updater.
  QString TempFolder() const;
  // The folder of the latest DoUpdate (mode 0700); it is kept for the updater
  // after a hand-over and removed otherwise. Empty before the first.
  QString UpdateFolder() const { return FUpdateFolder; }
  // The address used: the environment variable's when set, else ControlFileUrl.
  QString EffectiveControlFileUrl() const;

  // Settings.
  QString ControlFileUrl() const { return FControlFileUrl; }
  void SetControlFileUrl(const QString &Value) { FControlFileUrl = Value; }
  TUpdateType UpdateType() const { return FUpdateType; }
  void SetUpdateType(TUpdateType Value) { FUpdateType = Value; }
  bool ShowDownloadProgress() const { return FShowDownloadProgress; }
  void SetShowDownloadProgress(bool Value) { FShowDownloadProgress = Value; }
  TUpdaterUpdateMode UpdaterUpdateMode() const { return FUpdaterUpdateMode; }
  void SetUpdaterUpdateMode(TUpdaterUpdateMode Value) { FUpdaterUpdateMode = Value; }
  TVersionCheckMode VersionCheckMode() const { return FVersionCheckMode; }
  void SetVersionCheckMode(TVersionCheckMode Value) { FVersionCheckMode = Value; }
  TConnectionMode ConnectionMode() const { return FConnectionMode; }
  void SetConnectionMode(TConnectionMode Value) { FConnectionMode = Value; }
  QString DateFormat() const { return FDateFormat; }
  void SetDateFormat(const QString &Value) { FDateFormat = Value; }
  QString TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const QString &Value) { FTimeFormat = Value; }
  bool UseSystemTempFolder() const { return FUseSystemTempFolder; }
  void SetUseSystemTempFolder(bool Value) { FUseSystemTempFolder = Value; }
  QString TempDirectory() const { return FTempDirectory; }
  void SetTempDirectory(const QString &Value) { FTempDirectory = Value; }
  QString UserAgent() const { return FUserAgent; }
  void SetUserAgent(const QString &Value) { FUserAgent = Value; }
  TAuthenticate Authenticate() const { return FAuthenticate; }
  void SetAuthenticate(TAuthenticate Value) { FAuthenticate = Value; }
  QString UserName() const { return FUserName; }
  void SetUserName(const QString &Value) { FUserName = Value; }
  QString Password() const { return FPassword; }
  void SetPassword(const QString &Value) { FPassword = Value; }
  int Port() const { return FPort; }
  void SetPort(int Value) { FPort = Value; }
  bool SignatureCheck() const { return FSignatureCheck; }
  void SetSignatureCheck(bool Value) { FSignatureCheck = Value; }
  QString Signature() const { return FSignature; }
  void SetSignature(const QString &Value) { FSignature = Value; }
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool Value) { FThreaded = Value; }
  QString LogFileName() const { return FLogFileName; }
  void SetLogFileName(const QString &Value) { FLogFileName = Value; }
  // Longest wait for a connection and between two pieces of data.
  int TimeoutMs() const { return FTimeoutMs; }
  void SetTimeoutMs(int Value) { FTimeoutMs = Value; }
  // Longest time for fetching the control file, however slowly it arrives;
  // a check that runs out reports the error code 12002.
  int CheckTimeLimitMs() const { return FCheckTimeLimitMs; }
  void SetCheckTimeLimitMs(int Value) { FCheckTimeLimitMs = Value; }
  // The largest download whose file section gives no newsize; one with a
  // newsize stops as soon as it passes it.
  qint64 MaxDownloadSize() const { return FMaxDownloadSize; }
  void SetMaxDownloadSize(qint64 Value) { FMaxDownloadSize = Value; }
  // The program and its folder: where "{app}" and relative paths of the
  // control file lead, and the one file whose version is known.
  QString ProgramFile() const { return FProgramFile; }
  void SetProgramFile(const QString &Value) { FProgramFile = Value; }
  QString ProgramDir() const { return FProgramDir; }
  void SetProgramDir(const QString &Value) { FProgramDir = Value; }

  // Called with each status line and an error code (12029: cannot connect).
  std::function<void(const QString &Status, int ErrorCode)> OnStatus;
  // Download progress of one file, called as data arrive and while waiting;
  // returning false cancels the update. When unset and ShowDownloadProgress
  // is on, a progress window with a Cancel button is shown if the program
  // has a GUI, for the control file (a cancelled check reports the error
  // code 12017) and for each download.
  std::function<bool(const QString &FileName, qint64 Received, qint64 Total)> OnProgress;
  // Asks the restart question; true for Yes. Unset: a Yes/No message box
  // when the program has a GUI, otherwise No.
  std::function<bool(const QString &Question)> OnConfirmRestart;
  // Starts the updater with its arguments (see BuildUpdaterArguments);
  // false when it cannot be started. Unset: started detached in its folder.
  std::function<bool(const QString &Program, const QStringList &Arguments)> OnStartUpdater;
  // Ends the program after the hand-over. Unset: QCoreApplication::exit(0).
  std::function<void()> OnTerminate;

private:
  struct TApplicationKeys {
    bool AppUpdate = false;
    QString AppName;
    QString AppParam;
    QStringList AppComps;
    bool SilentRestart = false;
  };

  void Status(const QString &Text, int ErrorCode = 0);
  // A status that reports a failure; it is kept as LastError.
  void Fail(const QString &Text, int ErrorCode = 0);
  void Log(const QString &Line);
  bool FetchControlFile();
  bool DecideUpdate();
  bool CheckForUpdate();
  bool ReadFileEntries(QList<TUpdateFileEntry> &Entries);
  bool CheckApplicationKeys(const QList<TUpdateFileEntry> &Entries);
  bool MakeUpdateFolder();
  bool FileNeeded(const TUpdateFileEntry &Entry) const;
  bool DownloadFiles();
  bool VerifyDownload(const TUpdateFileEntry &Entry, const QString &FileName);
  bool PlaceFiles();
  bool HandOverToUpdater();
  bool IsAppComponent(const QString &FileName) const;
  bool ConfirmRestart();
  bool StartUpdater(const QString &Program, const QStringList &Arguments);
  void Terminate();

  QString FControlFileUrl;
  TUpdateType FUpdateType = utWebDownload;
  bool FShowDownloadProgress = true;
  TUpdaterUpdateMode FUpdaterUpdateMode = uumPromptOnce;
  TVersionCheckMode FVersionCheckMode = vcmUpdateOnly;
  TConnectionMode FConnectionMode = cmNoDialup;
  QString FDateFormat;
  QString FTimeFormat;
  bool FUseSystemTempFolder = true;
  QString FTempDirectory;
  QString FUserAgent;
  TAuthenticate FAuthenticate = auNever;
  QString FUserName;
  QString FPassword;
  int FPort = 21;
  bool FSignatureCheck = false;
  QString FSignature;
  bool FThreaded = false;
  QString FLogFileName;
  int FTimeoutMs = 15000;
  int FCheckTimeLimitMs = 60000;
  qint64 FMaxDownloadSize = 512 * 1024 * 1024;
  QString FProgramFile;
  QString FProgramDir;

  QString FNewVersionInfo;
  QString FCurrentVersionInfo;
  QDateTime FNewVersionDate;
  QString FUpdateDescription;
  QList<TUpdateFileEntry> FFiles;

  TUpdateControlFile FControl;
  TApplicationKeys FApplication;
  bool FCancelled = false;
  QString FLastError;
  QString FLastTransferError;
  std::unique_ptr<QTemporaryDir> FUpdateDir; // exists only while DoUpdate runs
  QString FUpdateFolder;
  QStringList FDownloadedComponents; // verified in this run, in download order
  std::unique_ptr<QFile> FLog; // open only while DoUpdate runs
};
