#pragma once

#include "IniFiles.h"
#include "NamedMutex.h"

#include <QtGlobal>
#include <utility>

enum TIniType : quint8 { itRegistryInifile = 0, itInifile = 1, itMemInifile = 2 };

// The framework's settings store: one of the three backends behind the INI
// operations, and a named mutex held from construction to destruction, so
// that stores of other processes (or of other threads) with the same mutex
// name wait until this one is gone. The wait has no time limit; when the
// mutex cannot be created, the store works without it.
class TCustomConfigIniFile : public TCustomIniFile {
public:
  // Filename is the INI file, or for the registry backend the registry key
  // below HKEY_CURRENT_USER.
  TCustomConfigIniFile(const QString &Filename, TIniType IniClass);
  ~TCustomConfigIniFile() override;

  using TCustomIniFile::ReadSections;

  TIniType IniType() const { return FIniType; }
  bool AcquiredMutex() const { return FAcquiredMutex; }

  QString ReadString(const QString &Section, const QString &Ident,
                     const QString &Default) const override;
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  int ReadInteger(const QString &Section, const QString &Ident, int Default) const override;
  void WriteInteger(const QString &Section, const QString &Ident, int Value) override;
  bool ReadBool(const QString &Section, const QString &Ident, bool Default) const override;
  // Not forwarded: "1" or "0" through WriteString, over every backend.
  void WriteBool(const QString &Section, const QString &Ident, bool Value) override;
  qint64 ReadBinaryStream(const QString &Section, const QString &Ident,
                          QIODevice &Value) const override;
  QDate ReadDate(const QString &Section, const QString &Ident, const QDate &Default) const override;
  QDateTime ReadDateTime(const QString &Section, const QString &Ident,
                         const QDateTime &Default) const override;
  double ReadFloat(const QString &Section, const QString &Ident, double Default) const override;
  QTime ReadTime(const QString &Section, const QString &Ident, const QTime &Default) const override;
  void WriteBinaryStream(const QString &Section, const QString &Ident, QIODevice &Value) override;
  void WriteDate(const QString &Section, const QString &Ident, const QDate &Value) override;
  void WriteDateTime(const QString &Section, const QString &Ident, const QDateTime &Value) override;
  void WriteFloat(const QString &Section, const QString &Ident, double Value) override;
  void WriteTime(const QString &Section, const QString &Ident, const QTime &Value) override;
  void ReadSection(const QString &Section, QStringList &Strings) const override;
  void ReadSections(QStringList &Strings) const override;
  void ReadSectionValues(const QString &Section, QStringList &Strings) const override;
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
  // Nothing for the registry; a file backend is written when the file's
  // folder is writable.
  void UpdateFile() override;
  bool ValueExists(const QString &Section, const QString &Ident) const override;

  // "Brisel-Default-Config-Mutex".
  virtual QString GetMutexName() const;

protected:
  // For derived classes whose mutex name differs: they call Open at the end
  // of their constructor, when GetMutexName is theirs.
  struct TOpenLater {};
  TCustomConfigIniFile(const QString &Filename, TIniType IniClass, TOpenLater);
  // Takes the mutex, then creates the backend, so that the backend reads
  // what the previous holder wrote.
  void Open();
  TCustomIniFile &Ini() const { return *FIni; }

private:
  bool FAcquiredMutex = false;
  std::unique_ptr<TCustomIniFile> FIni;
  TIniType FIniType;
  NamedMutex FMutex;
};

// A store that chooses its backend: the settings file when UseSettingsFile,
// kept in memory; otherwise the registry key GetRegistryKey.
class TConfigIniFile : public TCustomConfigIniFile {
public:
  TConfigIniFile();
  // The in-memory INI file Filename.
  explicit TConfigIniFile(const QString &Filename);

  // The application's title with every blank replaced by "-", followed by
  // "-Config-Mutex" ("Lingrove" gives "Lingrove-Config-Mutex").
  QString GetMutexName() const override;
  // GetAppRegistryKey.
  virtual QString GetRegistryKey() const;
  // Over the registry, whether the subkey path Key exists below the store's
  // key; over a file, whether the section Key exists.
  bool KeyExists(const QString &Key) const;
  // Writes an in-memory file back; a failure is shown as "Failed to save
  // configuration file" and goes no further. Nothing for other backends.
  void UpdateFile() override;

protected:
  // Chooses the backend with FileType as the file backend.
  explicit TConfigIniFile(TIniType FileType);
  TConfigIniFile(const QString &Filename, TIniType FileType);

private:
  explicit TConfigIniFile(const std::pair<QString, TIniType> &Backend);
  static std::pair<QString, TIniType> ChooseBackend(TIniType FileType);
};

// Used where settings are only read.
class TReaderIniFile : public TConfigIniFile {
public:
  using TConfigIniFile::TConfigIniFile;
};

// Like TConfigIniFile, but a file backend is the classic INI file, which has
// written every value when the call returns.
class TWriterIniFile : public TConfigIniFile {
public:
  TWriterIniFile();
  explicit TWriterIniFile(const QString &Filename);
};
