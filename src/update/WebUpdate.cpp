#include "WebUpdate.h"

#include "UpdateDateTime.h"
#include "UpdateDecision.h"
#include "UpdateGui.h"
#include "UpdatePaths.h"
#include "UpdateTransfer.h"
#include "UpdaterCommand.h"
#include "UpdaterCommandLine.h"
#include "UpdaterProgram.h"

#include "LanguageManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringList>
#include <QSysInfo>
#include <QTemporaryDir>

#include <exception>

namespace {

// A control file is a few hundred bytes; anything much larger is not one.
constexpr qint64 MaxControlFileSize = 1024 * 1024;

const QString SUpdate = QStringLiteral("update");
const QString SApplication = QStringLiteral("application");
const QString SFiles = QStringLiteral("files");

QString Msg(const char16_t *Text) {
  return QString::fromUtf16(Text);
}

// Transfer settings shared by the control file and the downloads.
TTransferOptions BaseOptions(const TWebUpdate &Update) {
  TTransferOptions Options;
  Options.TimeoutMs = Update.TimeoutMs();
  Options.UserAgent = Update.UserAgent();
  if (Update.Authenticate() == TWebUpdate::auAlways) {
    Options.UserName = Update.UserName();
    Options.Password = Update.Password();
  }
  return Options;
}

} // namespace

const char *const TWebUpdate::ControlFileUrlVariable = "LINGROVE_UPDATE_URL";

QString TWebUpdate::DefaultControlFileUrl() {
  return QStringLiteral("https://update.brisel-solutions.example/lingrove/controlfile.inf");
}

TWebUpdate::TWebUpdate(QObject *Owner)
    : QObject(Owner), FControlFileUrl(DefaultControlFileUrl()),
      FDateFormat(QStringLiteral("dd/mm/yyyy")), FTimeFormat(QStringLiteral("hh:nn")),
      FTempDirectory(QStringLiteral(".")), FUserAgent(QStringLiteral("TWebUpdate")),
      FLogFileName(QStringLiteral("WUPDATE.LOG")),
      FProgramFile(QCoreApplication::applicationFilePath()),
      FProgramDir(QCoreApplication::applicationDirPath()) {
  bool Ok = false;
  const int Limit = qEnvironmentVariableIntValue(CheckTimeLimitVariable, &Ok);
  if (Ok && Limit > 0)
    FCheckTimeLimitMs = Limit;
}

TWebUpdate::~TWebUpdate() = default;

const char *const TWebUpdate::CheckTimeLimitVariable = "LINGROVE_UPDATE_TIME_LIMIT_MS";

QString TWebUpdate::EffectiveControlFileUrl() const {
  const QString FromEnvironment = qEnvironmentVariable(ControlFileUrlVariable).trimmed();
  return FromEnvironment.isEmpty() ? FControlFileUrl : FromEnvironment;
}

QString TWebUpdate::TempFolder() const {
  return FUseSystemTempFolder ? QDir::tempPath() : QDir(FTempDirectory).absolutePath();
}

void TWebUpdate::Status(const QString &Text, int ErrorCode) {
  Log(ErrorCode ? QStringLiteral("%1 (%2)").arg(Text).arg(ErrorCode) : Text);
  if (OnStatus)
    OnStatus(Text, ErrorCode);
}

void TWebUpdate::Fail(const QString &Text, int ErrorCode) {
  FLastError = Text;
  Status(Text, ErrorCode);
}

void TWebUpdate::Log(const QString &Line) {
  if (!FLog)
    return;
  FLog->write(QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss ").toUtf8() +
              Line.toUtf8() + "\r\n");
  FLog->flush();
}

bool TWebUpdate::FetchControlFile() {
  FControl.Parse({});
  FApplication = {};
  if (FUpdateType != utWebDownload) {
    Fail(Msg(u"Update control file not found"));
    return false;
  }
  const QUrl Url(EffectiveControlFileUrl());
  const QString Name = FileNameFromUrl(Url);
  const QString Folder = TempFolder();
  TTransferResult Result;
  if (Name.isEmpty() || !QDir().mkpath(Folder)) {
    Result.ErrorCode = teWriteFailed;
    Result.ErrorText = QStringLiteral("No local name for %1").arg(Url.toDisplayString());
  } else {
    TTransferOptions Options = BaseOptions(*this);
    Options.MaxBytes = MaxControlFileSize;
    Options.MaxTotalMs = FCheckTimeLimitMs;
    std::unique_ptr<TUpdateProgressWindow> Window;
    if (!OnProgress && FShowDownloadProgress && UpdateHasGui()) {
      // Shown at once, so the other windows take no input while the check
      // waits; its Cancel ends the check.
      Window = std::make_unique<TUpdateProgressWindow>(LangConstant(u"SMessageUpdateChecking"));
      Options.AcceptUserInput = true;
      Options.OnProgress = [&Window](qint64 Received, qint64 Total) {
        return Window->Update(Received, Total);
      };
    }
    Result = DownloadToFile(Url, Folder + u'/' + Name, Options);
  }
  if (!Result.Ok || !FControl.LoadFromFile(Folder + u'/' + Name)) {
    FLastTransferError = Result.ErrorText;
    Log(Result.ErrorText);
    Fail(Msg(u"Update control file not found"), Result.ErrorCode);
    return false;
  }
  Status(Msg(u"Update control file found"));
  FApplication.AppUpdate = FControl.IntValue(SApplication, QStringLiteral("appupdate"), 0) == 1;
  FApplication.AppName = FControl.Value(SApplication, QStringLiteral("appname"));
  FApplication.AppParam = FControl.Value(SApplication, QStringLiteral("appparam"));
  if (FApplication.AppParam.isEmpty())
    FApplication.AppParam = QStringLiteral(" ");
  FApplication.AppComps =
      SplitComponentList(FControl.Value(SApplication, QStringLiteral("appcomps")));
  FApplication.SilentRestart =
      FControl.IntValue(SApplication, QStringLiteral("silentrestart"), 0) == 1;
  return true;
}

bool TWebUpdate::DecideUpdate() {
  FUpdateDescription = FControl.Value(SUpdate, QStringLiteral("descr"));
  const QString LocalVersion = FControl.Value(SUpdate, QStringLiteral("localversion"));
  const QString LocalPath = ResolveProgramPath(LocalVersion, FProgramDir);
  bool Available = false;

  if (FControl.Has(SUpdate, QStringLiteral("date"))) {
    const QString Date = FControl.Value(SUpdate, QStringLiteral("date"));
    const QString Time = FControl.Value(SUpdate, QStringLiteral("time"));
    FNewVersionDate = ParseControlDateTime(Date, Time, FDateFormat, FTimeFormat);
    // An unreadable date decides nothing; the other checks still may.
    if (FNewVersionDate.isValid()) {
      const QFileInfo Local(LocalPath);
      const QDateTime LocalDate =
          !LocalPath.isEmpty() && Local.exists() ? Local.lastModified() : NoFileDate();
      if (LocalDate >= FNewVersionDate) {
        Status(Msg(u"No new version found"));
      } else {
        Status(Msg(u"New version found : %1").arg((Date + u' ' + Time).trimmed()));
        Available = true;
      }
    }
  }

  if (!Available && FControl.Has(SUpdate, QStringLiteral("unconditional")))
    Available = true;

  const QString NewVersion = FControl.Value(SUpdate, QStringLiteral("newversion"));
  FNewVersionInfo = NewVersion;
  FCurrentVersionInfo = LocalVersion;
  if (!Available && !LocalVersion.trimmed().isEmpty()) {
    TLocalFileCheck Check;
    Check.LocalPath = LocalPath;
    Check.NewVersion = NewVersion;
    Check.NewSize = FControl.IntValue(SUpdate, QStringLiteral("newsize"), 0);
    Check.NewChecksum = ParseChecksumSpec(FControl.Value(SUpdate, QStringLiteral("newchecksum")));
    Check.ProgramFile = FProgramFile;
    Check.MissingNeedsUpdate = FVersionCheckMode == vcmNewOrUpdate;
    const TLocalFileResult Result = CompareLocalFile(Check);
    if (Result.Kind != ckNone) {
      Available = Result.NeedsUpdate;
      if (Available)
        Status(Msg(u"New version found : %1").arg(NewVersion));
      else
        Status(Msg(u"No new version found"));
    }
    if (Result.VersionsRead) {
      FNewVersionInfo = FormatFileVersion(Result.NewVersion);
      FCurrentVersionInfo = FormatFileVersion(Result.LocalVersion);
    }
  }
  return Available;
}

bool TWebUpdate::CheckForUpdate() {
  FCancelled = false;
  FLastError.clear();
  FLastTransferError.clear();
  FNewVersionInfo.clear();
  FCurrentVersionInfo.clear();
  FNewVersionDate = {};
  FUpdateDescription.clear();
  FFiles.clear();
  if (!FetchControlFile())
    return false;
  if (FSignatureCheck && FControl.Value(SUpdate, QStringLiteral("signature")) != FSignature) {
    Status(Msg(u"No new version found"));
    return false;
  }
  return DecideUpdate();
}

bool TWebUpdate::NewVersionAvailable() {
  return CheckForUpdate();
}

bool TWebUpdate::ReadFileEntries(QList<TUpdateFileEntry> &Entries) {
  Entries.clear();
  const qint64 Count = FControl.IntValue(SFiles, QStringLiteral("count"), 0);
  if (Count > MaxFileSections) {
    Fail(LangConstantFmt(u"SMessageUpdateMalformed", {QStringLiteral("count")}));
    return false;
  }
  for (qint64 I = 1; I <= Count; ++I) {
    const QString Section = QStringLiteral("file%1").arg(I);
    if (!FControl.HasSection(Section))
      continue;
    const auto Text = [&](const char16_t *Key, const QString &Default = QString()) {
      return FControl.Value(Section, QString::fromUtf16(Key), Default);
    };
    const auto Number = [&](const char16_t *Key, qint64 Default) {
      return FControl.IntValue(Section, QString::fromUtf16(Key), Default);
    };
    TUpdateFileEntry Entry;
    Entry.Url = Text(u"url").trimmed();
    Entry.LocalVersion = Text(u"localversion");
    Entry.NewVersion = Text(u"newversion");
    Entry.NewSize = Number(u"newsize", 0);
    Entry.NewChecksum = Text(u"newchecksum", QStringLiteral("-1"));
    Entry.CustomVersion = Text(u"customversion");
    Entry.Date = Text(u"date");
    Entry.Time = Text(u"time");
    Entry.Descr = Text(u"descr");
    Entry.TargetDir = Text(u"targetdir");
    Entry.Compressed = Number(u"compressed", 0) == 1;
    Entry.FileSize = Number(u"filesize", 0);
    Entry.Mandatory = Number(u"mandatory", 0) == 1;
    Entry.Preselect = Number(u"preselect", 1) == 1;
    Entry.Hidden = Number(u"hidden", 0) == 1;
    Entries.append(Entry);
  }
  return true;
}

bool TWebUpdate::CheckApplicationKeys(const QList<TUpdateFileEntry> &Entries) {
  QString BadKey;
  if (!FApplication.AppName.trimmed().isEmpty() &&
      ResolveProgramPath(FApplication.AppName, FProgramDir).isEmpty())
    BadKey = QStringLiteral("appname");
  QStringList Offered;
  for (const TUpdateFileEntry &Entry : Entries)
    Offered.append(FileNameFromUrl(QUrl(Entry.Url)));
  // A component is named exactly as the file that brings it, as the updater
  // looks for it.
  for (const QString &Name : std::as_const(FApplication.AppComps))
    if (!IsPlainFileName(Name) || !Offered.contains(Name))
      BadKey = QStringLiteral("appcomps");
  if (BadKey.isEmpty())
    return true;
  Fail(LangConstantFmt(u"SMessageUpdateMalformed", {BadKey}));
  return false;
}

bool TWebUpdate::MakeUpdateFolder() {
  FUpdateDir =
      std::make_unique<QTemporaryDir>(TempFolder() + QStringLiteral("/lingrove-update-XXXXXX"));
  // Only this user may put files where the updater takes them from.
  if (!FUpdateDir->isValid() ||
      !QFile::setPermissions(FUpdateDir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner)) {
    FUpdateDir.reset();
    return false;
  }
  FUpdateFolder = FUpdateDir->path();
  return true;
}

bool TWebUpdate::FileNeeded(const TUpdateFileEntry &Entry) const {
  const QString LocalPath = ResolveProgramPath(Entry.LocalVersion, FProgramDir);
  if (!Entry.LocalVersion.trimmed().isEmpty() && !Entry.Date.trimmed().isEmpty()) {
    const QDateTime NewDate =
        ParseControlDateTime(Entry.Date, Entry.Time, FDateFormat, FTimeFormat);
    const QFileInfo Local(LocalPath);
    return !(NewDate.isValid() && !LocalPath.isEmpty() && Local.exists() &&
             Local.lastModified() >= NewDate);
  }
  TLocalFileCheck Check;
  Check.LocalPath = LocalPath;
  Check.NewVersion = Entry.NewVersion;
  Check.NewSize = Entry.NewSize;
  Check.NewChecksum = ParseChecksumSpec(Entry.NewChecksum);
  Check.ProgramFile = FProgramFile;
  Check.MissingNeedsUpdate = FVersionCheckMode == vcmNewOrUpdate;
  return CompareLocalFile(Check).NeedsUpdate;
}

bool TWebUpdate::IsAppComponent(const QString &FileName) const {
  return FApplication.AppComps.contains(FileName, Qt::CaseSensitive);
}

bool TWebUpdate::VerifyDownload(const TUpdateFileEntry &Entry, const QString &FileName) {
  const TChecksumSpec Checksum = ParseChecksumSpec(Entry.NewChecksum);
  bool Matches = true;
  if (Entry.NewSize > 0 && QFileInfo(FileName).size() != Entry.NewSize)
    Matches = false;
  if (Checksum.Given) {
    const std::optional<quint32> Crc = FileCrc32(FileName);
    if (!Crc || !Checksum.Matches(*Crc))
      Matches = false;
  }
  if (!Matches) {
    QFile::remove(FileName);
    Fail(Msg(u"Downloaded update file does not match its size or checksum : %1").arg(Entry.Url));
  }
  return Matches;
}

bool TWebUpdate::DownloadFiles() {
  const QString Folder = FUpdateFolder;
  bool Ok = true;
  for (TUpdateFileEntry &Entry : FFiles) {
    const QUrl Url(Entry.Url);
    const QString Name = FileNameFromUrl(Url);
    if (Name.isEmpty() || Entry.Compressed) {
      Fail(Entry.Compressed ? Msg(u"Error decompressing CAB file : %1").arg(Entry.Url)
                            : Msg(u"Cannot download update file : %1").arg(Entry.Url),
           Entry.Compressed ? 0 : int(teUnsafeAddress));
      FCancelled = FCancelled || Entry.Compressed;
      Ok = false;
      continue;
    }
    TTransferOptions Options = BaseOptions(*this);
    // Never more than announced: a larger file cannot pass the check after.
    Options.MaxBytes = Entry.NewSize > 0 ? Entry.NewSize : FMaxDownloadSize;
    std::unique_ptr<TUpdateProgressWindow> Window;
    if (OnProgress) {
      Options.OnProgress = [this, &Name](qint64 Received, qint64 Total) {
        return OnProgress(Name, Received, Total);
      };
    } else if (FShowDownloadProgress && UpdateHasGui()) {
      Window = std::make_unique<TUpdateProgressWindow>(Name);
      Options.AcceptUserInput = true;
      Options.OnProgress = [&Window](qint64 Received, qint64 Total) {
        return Window->Update(Received, Total);
      };
    }
    const QString FileName = Folder + u'/' + Name;
    const TTransferResult Result = DownloadToFile(Url, FileName, Options);
    Window.reset();
    if (!Result.Ok && Result.ErrorCode == teTooLarge && Entry.NewSize > 0) {
      // Larger than announced: not the file the control file describes.
      Log(Result.ErrorText);
      Fail(Msg(u"Downloaded update file does not match its size or checksum : %1").arg(Entry.Url));
      FCancelled = true;
      return false;
    }
    if (!Result.Ok) {
      FLastTransferError = Result.ErrorText;
      Log(Result.ErrorText);
      Fail(Msg(u"Cannot download update file : %1").arg(Entry.Url), Result.ErrorCode);
      Ok = false;
      if (Result.ErrorCode == teOperationCancelled) {
        FCancelled = true;
        return false;
      }
      continue;
    }
    // A file that is not the one announced must never reach the updater.
    if (!VerifyDownload(Entry, FileName)) {
      FCancelled = true;
      return false;
    }
    Entry.DownloadedFile = FileName;
    Log(QStringLiteral("Downloaded file : %1").arg(FileName));
    if (IsAppComponent(Name) && !FDownloadedComponents.contains(Name))
      FDownloadedComponents.append(Name);
  }
  return Ok;
}

bool TWebUpdate::PlaceFiles() {
  // Components wait in the temporary folder for the updater; other files
  // with a target folder go there now.
  for (const TUpdateFileEntry &Entry : std::as_const(FFiles)) {
    if (Entry.DownloadedFile.isEmpty() || Entry.TargetDir.trimmed().isEmpty())
      continue;
    const QString Name = QFileInfo(Entry.DownloadedFile).fileName();
    if (IsAppComponent(Name))
      continue;
    const QString Dir = ResolveProgramFolder(Entry.TargetDir, FProgramDir);
    QFile Source(Entry.DownloadedFile);
    QSaveFile Target(Dir + u'/' + Name);
    bool Ok = !Dir.isEmpty() && QDir().mkpath(Dir) && Source.open(QIODevice::ReadOnly) &&
              Target.open(QIODevice::WriteOnly);
    if (Ok) {
      Ok = Target.write(Source.readAll()) == Source.size() && Target.commit();
    }
    if (!Ok) {
      Fail(Msg(u"Cannot install update file : %1").arg(Entry.Url));
      return false;
    }
    Log(QStringLiteral("Installed file : %1").arg(Target.fileName()));
  }
  return true;
}

bool TWebUpdate::ConfirmRestart() {
  const QString Question = Msg(u"Shutdown application to update executable files ?");
  if (OnConfirmRestart)
    return OnConfirmRestart(Question);
  return UpdateHasGui() && AskUpdateQuestion(Question);
}

bool TWebUpdate::StartUpdater(const QString &Program, const QStringList &Arguments) {
  if (OnStartUpdater)
    return OnStartUpdater(Program, Arguments);
  return QProcess::startDetached(Program, Arguments, FUpdateFolder);
}

void TWebUpdate::Terminate() {
  if (OnTerminate)
    OnTerminate();
  else
    QCoreApplication::exit(0);
}

bool TWebUpdate::HandOverToUpdater() {
  const QString Folder = FUpdateFolder;
  const QString AppPath = ResolveProgramPath(FApplication.AppName, FProgramDir);
  QString Program;
  try {
    if (AppPath.isEmpty())
      throw std::runtime_error("unsafe application name");
    Program = WriteUpdaterProgram(Folder);
  } catch (const std::exception &E) {
    Log(QString::fromUtf8(E.what()));
    Fail(Msg(u"Failed to spawn updater process : %1").arg(Folder + QStringLiteral("/wusetup.exe")));
    return false;
  }
  QSaveFile Ini(Folder + QStringLiteral("/WUPDATE.INI"));
  if (!Ini.open(QIODevice::WriteOnly) ||
      Ini.write("[CONFIG]\r\nLOGFILENAME=" + FLogFileName.toUtf8() + "\r\n") < 0 || !Ini.commit()) {
    Fail(Msg(u"Failed to spawn updater process : %1").arg(Program));
    return false;
  }
  TUpdaterHandOver HandOver;
  HandOver.Program = QDir::toNativeSeparators(Program);
  HandOver.ProcessId = QCoreApplication::applicationPid();
  HandOver.Log = !FLogFileName.trimmed().isEmpty();
  HandOver.AppPath = QDir::toNativeSeparators(AppPath);
  HandOver.AppParam = FApplication.AppParam;
  HandOver.TempDir = QDir::toNativeSeparators(Folder);
  // Exactly what was downloaded and verified in this run, nothing found lying
  // about.
  HandOver.Components = FDownloadedComponents;
  const QStringList Arguments = BuildUpdaterArguments(HandOver);
  Log(QStringLiteral("Starting updater : %1")
          .arg(UpdaterArgumentsForLog(HandOver.Program, Arguments)));
  if (!StartUpdater(HandOver.Program, Arguments)) {
    Fail(Msg(u"Failed to spawn updater process : %1").arg(Program));
    return false;
  }
  // The updater takes its files from the folder after this program ended.
  FUpdateDir->setAutoRemove(false);
  FLog.reset();
  Terminate();
  return true;
}

bool TWebUpdate::DoUpdate() {
  FLog.reset();
  FUpdateDir.reset();
  FUpdateFolder.clear();
  FDownloadedComponents.clear();
  QDir().mkpath(TempFolder());
  if (!MakeUpdateFolder()) {
    FLastError = Msg(u"Cannot download update file : %1").arg(TempFolder());
    Status(FLastError, teWriteFailed);
    return false;
  }
  if (!FLogFileName.trimmed().isEmpty() && IsPlainFileName(FLogFileName.trimmed())) {
    FLog = std::make_unique<QFile>(FUpdateFolder + u'/' + FLogFileName.trimmed());
    if (!FLog->open(QIODevice::WriteOnly | QIODevice::Append))
      FLog.reset();
  }
  // Closes the log however the update ends, and removes the update's folder
  // unless the updater took it over.
  const auto CloseLog = qScopeGuard([this] {
    FLog.reset();
    FUpdateDir.reset();
  });

  Log(QStringLiteral("Operating system : %1 (%2 %3)")
          .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion()));
  Log(QStringLiteral("Network library : Qt %1").arg(QString::fromLatin1(qVersion())));
  Log(QStringLiteral("Development environment : Qt %1").arg(QStringLiteral(QT_VERSION_STR)));
  Log(Msg(u"Start WebUpdate process with version : %1")
          .arg(FormatFileVersion(ProgramFileVersion())));

  if (!CheckForUpdate())
    return false;

  QList<TUpdateFileEntry> Entries;
  if (!ReadFileEntries(Entries) || !CheckApplicationKeys(Entries))
    return false;
  FFiles.clear();
  for (const TUpdateFileEntry &Entry : std::as_const(Entries)) {
    Log(Msg(u"Processing file : %1,%2,nv=%3,nd=%4,ns=%5,nc=%6")
            .arg(Entry.Url, Entry.LocalVersion, Entry.NewVersion,
                 (Entry.Date + u' ' + Entry.Time).trimmed(), QString::number(Entry.NewSize),
                 Entry.NewChecksum));
    if (FileNeeded(Entry))
      FFiles.append(Entry);
  }
  if (FFiles.isEmpty()) {
    Log(QStringLiteral("No files to update"));
    return false;
  }

  const bool Downloaded = DownloadFiles();
  if (!Downloaded || FCancelled) {
    Log(QStringLiteral("Update stopped"));
    return false;
  }
  if (!PlaceFiles())
    return false;

  if (FApplication.AppUpdate && !FApplication.AppName.trimmed().isEmpty() &&
      !FDownloadedComponents.isEmpty()) {
    if (!FApplication.SilentRestart && !ConfirmRestart()) {
      Log(QStringLiteral("Restart declined"));
      return true;
    }
    return HandOverToUpdater();
  }
  return true;
}
