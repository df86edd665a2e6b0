#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <memory>

class QIODevice;
class QSettings;

// Settings with INI semantics: named sections, each holding named values.
// Everything is stored as text: integers in decimal, Booleans as "1"/"0",
// dates and times in ISO form, binary data as upper-case hexadecimal digits.
// A missing value reads as the caller's default, a missing section as empty
// lists. Errors raise EIniFileException.
class TCustomIniFile {
public:
  explicit TCustomIniFile(const QString &FileName) : FFileName(FileName) {}
  virtual ~TCustomIniFile() = default;
  TCustomIniFile(const TCustomIniFile &) = delete;
  TCustomIniFile &operator=(const TCustomIniFile &) = delete;

  const QString &FileName() const { return FFileName; }

  virtual QString ReadString(const QString &Section, const QString &Ident,
                             const QString &Default) const = 0;
  virtual void WriteString(const QString &Section, const QString &Ident, const QString &Value) = 0;
  // Decimal text, or hexadecimal after "0x"; anything else gives Default.
  virtual int ReadInteger(const QString &Section, const QString &Ident, int Default) const;
  virtual void WriteInteger(const QString &Section, const QString &Ident, int Value);
  // True when the value reads as an integer other than 0.
  virtual bool ReadBool(const QString &Section, const QString &Ident, bool Default) const;
  virtual void WriteBool(const QString &Section, const QString &Ident, bool Value);
  // Writes the stored bytes into Value at its position, puts the position
  // back to their start and returns how many bytes were written; 0 when the
  // value is missing or not hexadecimal digits.
  virtual qint64 ReadBinaryStream(const QString &Section, const QString &Ident,
                                  QIODevice &Value) const;
  virtual QDate ReadDate(const QString &Section, const QString &Ident, const QDate &Default) const;
  virtual QDateTime ReadDateTime(const QString &Section, const QString &Ident,
                                 const QDateTime &Default) const;
  virtual double ReadFloat(const QString &Section, const QString &Ident, double Default) const;
  virtual QTime ReadTime(const QString &Section, const QString &Ident, const QTime &Default) const;
  // Stores what is left of Value from its position.
  virtual void WriteBinaryStream(const QString &Section, const QString &Ident, QIODevice &Value);
  virtual void WriteDate(const QString &Section, const QString &Ident, const QDate &Value);
  virtual void WriteDateTime(const QString &Section, const QString &Ident, const QDateTime &Value);
  virtual void WriteFloat(const QString &Section, const QString &Ident, double Value);
  virtual void WriteTime(const QString &Section, const QString &Ident, const QTime &Value);

  // Each list operation replaces the contents of Strings.
  virtual void ReadSection(const QString &Section, QStringList &Strings) const = 0;
  virtual void ReadSections(QStringList &Strings) const = 0;
  // The sections below Section ("A" lists "B" of a section "A\B"), one level
  // deep or, with Recurse, every path below it.
  virtual void ReadSections(const QString &Section, QStringList &Strings) const;
  virtual void ReadSubSections(const QString &Section, QStringList &Strings,
                               bool Recurse = false) const;
  // "name=value" lines.
  virtual void ReadSectionValues(const QString &Section, QStringList &Strings) const = 0;
  virtual void EraseSection(const QString &Section) = 0;
  virtual void DeleteKey(const QString &Section, const QString &Ident) = 0;
  virtual void UpdateFile() = 0;
  virtual bool ValueExists(const QString &Section, const QString &Ident) const;

  bool SectionExists(const QString &Section) const;

private:
  QString FFileName;
};

// The per-user registry key FileName ("Software\Organization\Application",
// below HKEY_CURRENT_USER) through QSettings in the native format: on Windows
// that is the registry key, elsewhere the settings file of the organization
// and application in the user's config folder. A section is a subkey (a path
// "A\B" is the settings group "A/B"), an ident a value in it. Every write is
// stored at once. Reading a string, integer or Boolean from a value that is
// stored with another type than text raises EIniFileException.
class TRegistryIniFile : public TCustomIniFile {
public:
  explicit TRegistryIniFile(const QString &Key);
  ~TRegistryIniFile() override;

  using TCustomIniFile::DeleteKey;
  using TCustomIniFile::ReadSections;

  QString ReadString(const QString &Section, const QString &Ident,
                     const QString &Default) const override;
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  // Binary data is stored as binary, and text of hexadecimal digits is read too.
  qint64 ReadBinaryStream(const QString &Section, const QString &Ident,
                          QIODevice &Value) const override;
  void WriteBinaryStream(const QString &Section, const QString &Ident, QIODevice &Value) override;
  // The subkeys of the key.
  void ReadSections(QStringList &Strings) const override;
  void ReadSubSections(const QString &Section, QStringList &Strings,
                       bool Recurse = false) const override;
  void ReadSection(const QString &Section, QStringList &Strings) const override;
  void ReadSectionValues(const QString &Section, QStringList &Strings) const override;
  // Removes the subkey with everything below it.
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
  void UpdateFile() override {}
  bool ValueExists(const QString &Section, const QString &Ident) const override;

  // Whether the subkey path Key ("State\OpenFiles") exists below the key.
  bool KeyExists(const QString &Key) const;
  // Removes the subkey path Key with everything below it.
  void DeleteKey(const QString &Key);
  // Reads again what other processes stored since the key was opened.
  void Refresh();

protected:
  // The stored value (invalid when missing), with its own type.
  QVariant ReadValue(const QString &Section, const QString &Ident) const;
  // Stores the value as it is; false when the store cannot be written.
  bool WriteValue(const QString &Section, const QString &Ident, const QVariant &Value);
  QString SettingsKey(const QString &Section, const QString &Ident = QString()) const;

private:
  void Store(const QString &Ident);
  std::unique_ptr<QSettings> FSettings;
  QString FPrefix; // group of the key inside the settings, "" or ending in "/"
};

// A classic INI file (the form of the Windows private-profile functions:
// "[Section]" lines followed by "Ident=Value" lines) through QSettings; every
// write goes to disk at once. A value with blanks at either end or enclosed in
// double quotes is stored in double quotes. Line breaks cannot be stored.
class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(const QString &FileName);
  ~TIniFile() override;

  using TCustomIniFile::ReadSections;

  QString ReadString(const QString &Section, const QString &Ident,
                     const QString &Default) const override;
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  void ReadSection(const QString &Section, QStringList &Strings) const override;
  void ReadSections(QStringList &Strings) const override;
  void ReadSectionValues(const QString &Section, QStringList &Strings) const override;
  // Removes the values of Section only, not those of sections below it.
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
  void UpdateFile() override;
  bool ValueExists(const QString &Section, const QString &Ident) const override;

private:
  void Store();
  std::unique_ptr<QSettings> FSettings;
};

// An INI file held in memory: loaded when created (when the file exists),
// written back only by UpdateFile, which replaces the file as a whole.
// Section and ident names compare with only the ASCII letters folded.
class TMemIniFile : public TCustomIniFile {
public:
  explicit TMemIniFile(const QString &FileName);

  using TCustomIniFile::ReadSections;

  QString ReadString(const QString &Section, const QString &Ident,
                     const QString &Default) const override;
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  void ReadSection(const QString &Section, QStringList &Strings) const override;
  void ReadSections(QStringList &Strings) const override;
  void ReadSectionValues(const QString &Section, QStringList &Strings) const override;
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
  void UpdateFile() override;
  bool ValueExists(const QString &Section, const QString &Ident) const override;

  void Clear() { FSections.clear(); }

private:
  struct TValue {
    QString Name;
    QString Value;
  };
  struct TSection {
    QString Name;
    QList<TValue> Values;
  };
  TSection *FindSection(const QString &Section);
  const TSection *FindSection(const QString &Section) const;
  TValue *FindValue(const QString &Section, const QString &Ident);
  const TValue *FindValue(const QString &Section, const QString &Ident) const;
  QList<TSection> FSections;
};
