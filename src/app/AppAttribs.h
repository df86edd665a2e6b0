#pragma once

#include "IniFiles.h"
#include "NamedMutex.h"

#include <QObject>

// The registry key of the program's settings below HKEY_CURRENT_USER.
inline const QString AppRegistryKey = QStringLiteral("Software\\Brisel Solutions\\Lingrove");

// The folder of the program's settings files beside its settings store: the
// user's application-data folder + "Brisel Solutions/Lingrove/" (where the
// store keeps "Lingrove.conf" outside Windows). Ends with a delimiter; empty
// when the platform has no application-data folder.
QString AppSettingsFolder();

// The program's own settings store over AppRegistryKey. It holds the mutex
// "Lingrove-IDE-Config-Mutex" from construction to destruction, so create
// one for one load or save and destroy it at once. Integers and Booleans are
// stored as text; only ReadDWORD and WriteDWORD use the integer type.
class TAppConfigIniFile : public TRegistryIniFile {
public:
  TAppConfigIniFile();
  ~TAppConfigIniFile() override;

  bool AcquiredMutex() const { return FAcquiredMutex; }

  // The stored 4 bytes as an integer whatever the value's type; Default when
  // the value is missing or does not fit in 4 bytes.
  qint32 ReadDWORD(const QString &Section, const QString &Ident, qint32 Default) const;
  // Stores an integer; does nothing when the store cannot be written.
  void WriteDWORD(const QString &Section, const QString &Ident, qint32 Value);

private:
  NamedMutex FMutex;
  bool FAcquiredMutex = false;
};

class TBaseAttribs : public QObject {
public:
  explicit TBaseAttribs(QObject *AOwner = nullptr) : QObject(AOwner) {}

  qint32 Version() const { return FVersion; }
  void SetVersion(qint32 Value) { FVersion = Value; }

private:
  qint32 FVersion = 1;
};

// The program's settings, read at start and written at the end (and when the
// interface language changes). Several instances share them: a save writes
// only what this object changed since it last loaded or saved, and what the
// store does not hold in a readable form, so that it never puts back a stale
// value over one another instance saved meanwhile.
class TAttribs : public TBaseAttribs {
public:
  explicit TAttribs(QObject *AOwner = nullptr) : TBaseAttribs(AOwner) {}

  // Reads everything in one store; false after an error, in which case
  // LoadDefaults has run. Removes the obsolete key "User".
  bool LoadAttribs();
  // IgnoreEncodingConficts false, AskSaveWithErrors true, Language 1033,
  // Theme "Default".
  void LoadDefaults();
  // Writes IsFirstRun as false, and IgnoreEncodingConficts,
  // AskSaveWithErrors, Language and Version where changed or not held by the store, all under the store's
  // lock. With StoreAttribs false it writes nothing and tells the user so.
  void SaveAttribs();

  bool StoreAttribs() const { return FStoreAttribs; }
  void SetStoreAttribs(bool Value) { FStoreAttribs = Value; }
  bool IgnoreEncodingConficts() const { return FIgnoreEncodingConficts; }
  void SetIgnoreEncodingConficts(bool Value) { FIgnoreEncodingConficts = Value; }
  // A save of a translation with errors asks first.
  bool AskSaveWithErrors() const { return FAskSaveWithErrors; }
  void SetAskSaveWithErrors(bool Value) { FAskSaveWithErrors = Value; }
  bool IsFirstRun() const { return FIsFirstRun; }
  void SetIsFirstRun(bool Value) { FIsFirstRun = Value; }
  quint16 Language() const { return FLanguage; }
  void SetLanguage(quint16 Value) { FLanguage = Value; }
  const QString &Theme() const { return FTheme; }
  void SetTheme(const QString &Value) { FTheme = Value; }

  // The encoding a new translation is first saved in.
  enum TNewEncoding : qint32 { neLikeSource = 0, neAnsi = 1, neUnicode = 2 };
  TNewEncoding NewTranslationEncoding() const { return TNewEncoding(FNewEncoding.Value); }
  void SetNewTranslationEncoding(TNewEncoding Value) { FNewEncoding.Value = Value; }
  // The identifiers of the checks the editor leaves out, comma-separated
  // ("unchanged,spelling"); checks added later are on.
  const QString &DisabledChecks() const { return FDisabledChecks.Value; }
  void SetDisabledChecks(const QString &Value) { FDisabledChecks.Value = Value; }
  bool CheckSpelling() const { return FCheckSpelling.Value; }
  void SetCheckSpelling(bool Value) { FCheckSpelling.Value = Value; }
  // Seconds after the last edit until the recovery file is written.
  int RecoveryDelay() const { return FRecoveryDelay.Value; }
  void SetRecoveryDelay(int Value) { FRecoveryDelay.Value = Value; }
  // The folder of the recovery files; empty for the default one.
  const QString &RecoveryFolder() const { return FRecoveryFolder.Value; }
  void SetRecoveryFolder(const QString &Value) { FRecoveryFolder.Value = Value; }
  // The translation memory's file; empty for the default one.
  const QString &MemoryPath() const { return FMemoryPath.Value; }
  void SetMemoryPath(const QString &Value) { FMemoryPath.Value = Value; }
  // The least similarity, in percent, of a fuzzy match a pre-translation
  // takes when the user asks for fuzzy matches.
  int MemoryMinSimilarity() const { return FMemoryMinSimilarity.Value; }
  void SetMemoryMinSimilarity(int Value) { FMemoryMinSimilarity.Value = Value; }
  // An opened translation is filled with the memory's exact matches once
  // its differences are shown.
  bool AutoTranslateOnOpen() const { return FAutoTranslateOnOpen.Value; }
  void SetAutoTranslateOnOpen(bool Value) { FAutoTranslateOnOpen.Value = Value; }

  // A setting under "Options": its key and default, declared once; Stored
  // is the value as last loaded or saved.
  template <typename T> struct TOption {
    const char16_t *Key;
    T Default;
    T Value = Default;
    T Stored = Default;
  };

private:
  // The values that are written back, as last loaded or saved.
  struct TStoredValues {
    bool IgnoreEncodingConficts;
    bool AskSaveWithErrors;
    quint16 Language;
    qint32 Version;
  };
  TStoredValues CurrentValues() const;

  TStoredValues FStored{false, true, 1033, 1};
  bool FStoreAttribs = true;
  bool FIgnoreEncodingConficts = false;
  bool FAskSaveWithErrors = true;
  bool FIsFirstRun = true;
  quint16 FLanguage = 1033;
  QString FTheme = QStringLiteral("Default");
  TOption<qint32> FNewEncoding{u"NewTranslationEncoding", neLikeSource};
  TOption<QString> FDisabledChecks{u"DisabledChecks", QString()};
  TOption<bool> FCheckSpelling{u"CheckSpelling", true};
  TOption<qint32> FRecoveryDelay{u"RecoveryDelay", 5};
  TOption<QString> FRecoveryFolder{u"RecoveryFolder", QString()};
  TOption<QString> FMemoryPath{u"MemoryPath", QString()};
  TOption<qint32> FMemoryMinSimilarity{u"MemoryMinSimilarity", 70};
  TOption<bool> FAutoTranslateOnOpen{u"AutoTranslateOnOpen", false};
};

// The process-wide settings, from InitializeAttribs at program start to
// FinalizeAttribs at program end.
extern TAttribs *Attribs;
// Creates Attribs and loads it (the defaults when loading fails).
void InitializeAttribs();
// Saves Attribs and destroys it; an error in saving is shown to the user.
void FinalizeAttribs();
