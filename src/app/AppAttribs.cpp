#include "AppAttribs.h"

#include "CoreApplication.h"
#include "CoreError.h"
#include "ShellFolders.h"

#include <QtEndian>

namespace {

const QString Options = QStringLiteral("Options");
const QString VersionKey = QStringLiteral("Version");
const QString IgnoreEncodingConfictsKey = QStringLiteral("IgnoreEncodingConficts");
const QString AskSaveWithErrorsKey = QStringLiteral("AskSaveWithErrors");
const QString LanguageKey = QStringLiteral("Language");

// Whether the store holds a value that reads back as itself: Read gives the
// same whichever of two defaults it is given, and raises nothing.
template <typename TRead> bool HoldsReadable(const TRead &Read) {
  try {
    return Read(0) == Read(1);
  } catch (const std::exception &) {
    return false;
  }
}

// An option as the store holds it, Default when it holds none or an
// unreadable one.
bool ReadOption(const TAppConfigIniFile &Ini, const QString &Key, bool Default) {
  return Ini.ReadBool(Options, Key, Default);
}
qint32 ReadOption(const TAppConfigIniFile &Ini, const QString &Key, qint32 Default) {
  return Ini.ReadInteger(Options, Key, Default);
}
QString ReadOption(const TAppConfigIniFile &Ini, const QString &Key, const QString &Default) {
  return Ini.ReadString(Options, Key, Default);
}
void WriteOption(TAppConfigIniFile &Ini, const QString &Key, bool Value) {
  Ini.WriteBool(Options, Key, Value);
}
void WriteOption(TAppConfigIniFile &Ini, const QString &Key, qint32 Value) {
  Ini.WriteInteger(Options, Key, Value);
}
void WriteOption(TAppConfigIniFile &Ini, const QString &Key, const QString &Value) {
  Ini.WriteString(Options, Key, Value);
}

template <typename T> void LoadOption(const TAppConfigIniFile &Ini, TAttribs::TOption<T> &Option) {
  Option.Value = ReadOption(Ini, QString::fromUtf16(Option.Key), Option.Default);
  Option.Stored = Option.Value;
}

// Writes an option this instance changed; one another instance changed
// meanwhile is left as it is.
template <typename T> void SaveOption(TAppConfigIniFile &Ini, TAttribs::TOption<T> &Option) {
  const QString Key = QString::fromUtf16(Option.Key);
  if (Option.Value != Option.Stored || !Ini.ValueExists(Options, Key))
    WriteOption(Ini, Key, Option.Value);
  Option.Stored = Option.Value;
}

} // namespace

TAttribs *Attribs = nullptr;

QString AppSettingsFolder() {
  const QString AppData = TUserShellFolders::GetAppData();
  if (AppData.isEmpty())
    return QString();
  // The key's parts below "Software" name the folders.
  return AppData + u'/' + AppRegistryKey.section(u'\\', 1).replace(u'\\', u'/') + u'/';
}

// TAppConfigIniFile

TAppConfigIniFile::TAppConfigIniFile() : TRegistryIniFile(AppRegistryKey) {
  if (FMutex.Open(QStringLiteral("Lingrove-IDE-Config-Mutex"))) {
    FAcquiredMutex = FMutex.Wait();
    // What the previous holder wrote while we waited.
    Refresh();
  }
}

TAppConfigIniFile::~TAppConfigIniFile() {
  if (FMutex.IsOpen()) {
    if (FAcquiredMutex)
      FMutex.Release();
    FMutex.Close();
  }
}

qint32 TAppConfigIniFile::ReadDWORD(const QString &Section, const QString &Ident,
                                    qint32 Default) const {
  const QVariant Value = ReadValue(Section, Ident);
  QByteArray Bytes;
  switch (Value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
    return qint32(Value.toUInt());
  case QMetaType::QByteArray:
    Bytes = Value.toByteArray();
    break;
  case QMetaType::QString: {
    const QString Text = Value.toString();
#ifndef Q_OS_WIN
    // Where settings are text, an integer is stored as its decimal text.
    bool Ok = false;
    const qint64 Number = Text.toLongLong(&Ok);
    if (Ok && Number >= INT32_MIN && Number <= qint64(UINT32_MAX))
      return qint32(quint32(Number));
#endif
    // Text as the registry holds it: UTF-16 with its terminating NUL.
    for (QChar C : Text + QChar(0)) {
      Bytes.append(char(C.unicode() & 0xFF));
      Bytes.append(char(C.unicode() >> 8));
    }
    break;
  }
  default:
    return Default;
  }
  if (Bytes.isEmpty() || Bytes.size() > 4)
    return Default;
  Bytes.resize(4, '\0');
  return qFromLittleEndian<qint32>(Bytes.constData());
}

void TAppConfigIniFile::WriteDWORD(const QString &Section, const QString &Ident, qint32 Value) {
  WriteValue(Section, Ident, QVariant::fromValue(quint32(Value)));
}

// TAttribs

bool TAttribs::LoadAttribs() {
  TAppConfigIniFile Ini;
  try {
    FIgnoreEncodingConficts = Ini.ReadBool(Options, IgnoreEncodingConfictsKey, false);
    FAskSaveWithErrors = Ini.ReadBool(Options, AskSaveWithErrorsKey, true);
    FIsFirstRun = Ini.ReadBool(Options, QStringLiteral("IsFirstRun"), true);
    FLanguage = quint16(Ini.ReadInteger(Options, LanguageKey, 1033));
    FTheme = Ini.ReadString(Options, QStringLiteral("Theme"), QStringLiteral("Default"));
    SetVersion(Ini.ReadDWORD(VersionKey, VersionKey, 1));
    LoadOption(Ini, FNewEncoding);
    LoadOption(Ini, FDisabledChecks);
    LoadOption(Ini, FCheckSpelling);
    LoadOption(Ini, FRecoveryDelay);
    LoadOption(Ini, FRecoveryFolder);
    LoadOption(Ini, FMemoryPath);
    LoadOption(Ini, FMemoryMinSimilarity);
    LoadOption(Ini, FAutoTranslateOnOpen);
    const QString User = QStringLiteral("User");
    if (Ini.KeyExists(User))
      Ini.DeleteKey(User);
    FStored = CurrentValues();
    return true;
  } catch (const std::exception &) {
    LoadDefaults();
    FStored = CurrentValues();
    return false;
  }
}

TAttribs::TStoredValues TAttribs::CurrentValues() const {
  return {FIgnoreEncodingConficts, FAskSaveWithErrors, FLanguage, Version()};
}

void TAttribs::LoadDefaults() {
  FIgnoreEncodingConficts = false;
  FAskSaveWithErrors = true;
  FLanguage = 1033;
  FTheme = QStringLiteral("Default");
  for (auto *Option : {&FNewEncoding, &FRecoveryDelay, &FMemoryMinSimilarity})
    Option->Value = Option->Default;
  for (auto *Option : {&FDisabledChecks, &FRecoveryFolder, &FMemoryPath})
    Option->Value = Option->Default;
  for (auto *Option : {&FCheckSpelling, &FAutoTranslateOnOpen})
    Option->Value = Option->Default;
}

void TAttribs::SaveAttribs() {
  if (!FStoreAttribs) {
    ShowMessageBox(mbkInformation, QStringLiteral("Attribs"),
                   QStringLiteral("Attribs are not being saved"));
    return;
  }
  // Deciding and writing happen under one lock, so that what another
  // instance saves is either seen here or saved after this.
  TAppConfigIniFile Ini;
  const TStoredValues Current = CurrentValues();
  if (Current.IgnoreEncodingConficts != FStored.IgnoreEncodingConficts ||
      !HoldsReadable([&](int D) { return Ini.ReadBool(Options, IgnoreEncodingConfictsKey, D); }))
    Ini.WriteBool(Options, IgnoreEncodingConfictsKey, Current.IgnoreEncodingConficts);
  if (Current.AskSaveWithErrors != FStored.AskSaveWithErrors ||
      !HoldsReadable([&](int D) { return Ini.ReadBool(Options, AskSaveWithErrorsKey, D); }))
    Ini.WriteBool(Options, AskSaveWithErrorsKey, Current.AskSaveWithErrors);
  Ini.WriteBool(Options, QStringLiteral("IsFirstRun"), false);
  if (Current.Language != FStored.Language ||
      !HoldsReadable([&](int D) { return Ini.ReadInteger(Options, LanguageKey, D); }))
    Ini.WriteInteger(Options, LanguageKey, Current.Language);
  if (Current.Version != FStored.Version ||
      !HoldsReadable([&](int D) { return Ini.ReadDWORD(VersionKey, VersionKey, D); }))
    Ini.WriteDWORD(VersionKey, VersionKey, Current.Version);
  SaveOption(Ini, FNewEncoding);
  SaveOption(Ini, FDisabledChecks);
  SaveOption(Ini, FCheckSpelling);
  SaveOption(Ini, FRecoveryDelay);
  SaveOption(Ini, FRecoveryFolder);
  SaveOption(Ini, FMemoryPath);
  SaveOption(Ini, FMemoryMinSimilarity);
  SaveOption(Ini, FAutoTranslateOnOpen);
  FStored = Current;
}

void InitializeAttribs() {
  delete Attribs;
  Attribs = new TAttribs(nullptr);
  if (!Attribs->LoadAttribs())
    Attribs->LoadDefaults();
}

void FinalizeAttribs() {
  if (!Attribs)
    return;
  try {
    Attribs->SaveAttribs();
  } catch (const std::exception &E) {
    ShowMessageBox(mbkError, QString(), ExceptionMessage(E));
  }
  delete Attribs;
  Attribs = nullptr;
}
