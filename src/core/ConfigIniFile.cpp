#include "ConfigIniFile.h"

#include "CoreApplication.h"
#include "CoreError.h"
#include "SystemServices.h"

#include <QFileInfo>

// TCustomConfigIniFile

TCustomConfigIniFile::TCustomConfigIniFile(const QString &Filename, TIniType IniClass)
    : TCustomIniFile(Filename), FIniType(IniClass) {
  Open();
}

TCustomConfigIniFile::TCustomConfigIniFile(const QString &Filename, TIniType IniClass, TOpenLater)
    : TCustomIniFile(Filename), FIniType(IniClass) {}

TCustomConfigIniFile::~TCustomConfigIniFile() {
  // The backend first: whatever it still holds is stored while the mutex is
  // ours.
  FIni.reset();
  if (FMutex.IsOpen()) {
    if (FAcquiredMutex)
      FMutex.Release();
    FMutex.Close();
  }
}

void TCustomConfigIniFile::Open() {
  if (FMutex.Open(GetMutexName()))
    FAcquiredMutex = FMutex.Wait();
  switch (FIniType) {
  case itRegistryInifile:
    FIni = std::make_unique<TRegistryIniFile>(FileName());
    break;
  case itInifile:
    FIni = std::make_unique<TIniFile>(FileName());
    break;
  case itMemInifile:
    FIni = std::make_unique<TMemIniFile>(FileName());
    break;
  }
}

QString TCustomConfigIniFile::GetMutexName() const {
  return QStringLiteral("Brisel-Default-Config-Mutex");
}

QString TCustomConfigIniFile::ReadString(const QString &Section, const QString &Ident,
                                         const QString &Default) const {
  return Ini().ReadString(Section, Ident, Default);
}

void TCustomConfigIniFile::WriteString(const QString &Section, const QString &Ident,
                                       const QString &Value) {
  Ini().WriteString(Section, Ident, Value);
}

int TCustomConfigIniFile::ReadInteger(const QString &Section, const QString &Ident,
                                      int Default) const {
  return Ini().ReadInteger(Section, Ident, Default);
}

void TCustomConfigIniFile::WriteInteger(const QString &Section, const QString &Ident, int Value) {
  Ini().WriteInteger(Section, Ident, Value);
}

bool TCustomConfigIniFile::ReadBool(const QString &Section, const QString &Ident,
                                    bool Default) const {
  return Ini().ReadBool(Section, Ident, Default);
}

void TCustomConfigIniFile::WriteBool(const QString &Section, const QString &Ident, bool Value) {
  TCustomIniFile::WriteBool(Section, Ident, Value);
}

qint64 TCustomConfigIniFile::ReadBinaryStream(const QString &Section, const QString &Ident,
                                              QIODevice &Value) const {
  return Ini().ReadBinaryStream(Section, Ident, Value);
}

QDate TCustomConfigIniFile::ReadDate(const QString &Section, const QString &Ident,
                                     const QDate &Default) const {
  return Ini().ReadDate(Section, Ident, Default);
}

QDateTime TCustomConfigIniFile::ReadDateTime(const QString &Section, const QString &Ident,
                                             const QDateTime &Default) const {
  return Ini().ReadDateTime(Section, Ident, Default);
}

double TCustomConfigIniFile::ReadFloat(const QString &Section, const QString &Ident,
                                       double Default) const {
  return Ini().ReadFloat(Section, Ident, Default);
}

QTime TCustomConfigIniFile::ReadTime(const QString &Section, const QString &Ident,
                                     const QTime &Default) const {
  return Ini().ReadTime(Section, Ident, Default);
}

void TCustomConfigIniFile::WriteBinaryStream(const QString &Section, const QString &Ident,
                                             QIODevice &Value) {
  Ini().WriteBinaryStream(Section, Ident, Value);
}

void TCustomConfigIniFile::WriteDate(const QString &Section, const QString &Ident,
                                     const QDate &Value) {
  Ini().WriteDate(Section, Ident, Value);
}

void TCustomConfigIniFile::WriteDateTime(const QString &Section, const QString &Ident,
                                         const QDateTime &Value) {
  Ini().WriteDateTime(Section, Ident, Value);
}

void TCustomConfigIniFile::WriteFloat(const QString &Section, const QString &Ident, double Value) {
  Ini().WriteFloat(Section, Ident, Value);
}

void TCustomConfigIniFile::WriteTime(const QString &Section, const QString &Ident,
                                     const QTime &Value) {
  Ini().WriteTime(Section, Ident, Value);
}

void TCustomConfigIniFile::ReadSection(const QString &Section, QStringList &Strings) const {
  Ini().ReadSection(Section, Strings);
}

void TCustomConfigIniFile::ReadSections(QStringList &Strings) const {
  Ini().ReadSections(Strings);
}

void TCustomConfigIniFile::ReadSectionValues(const QString &Section, QStringList &Strings) const {
  Ini().ReadSectionValues(Section, Strings);
}

void TCustomConfigIniFile::EraseSection(const QString &Section) {
  Ini().EraseSection(Section);
}

void TCustomConfigIniFile::DeleteKey(const QString &Section, const QString &Ident) {
  Ini().DeleteKey(Section, Ident);
}

void TCustomConfigIniFile::UpdateFile() {
  if (FIniType == itRegistryInifile)
    return;
  if (IsDirectoryWritable(QFileInfo(FileName()).path()))
    Ini().UpdateFile();
}

bool TCustomConfigIniFile::ValueExists(const QString &Section, const QString &Ident) const {
  return Ini().ValueExists(Section, Ident);
}

// TConfigIniFile

std::pair<QString, TIniType> TConfigIniFile::ChooseBackend(TIniType FileType) {
  if (UseSettingsFile())
    return {GetSettingsFileName(), FileType};
  return {GetAppRegistryKey(), itRegistryInifile};
}

TConfigIniFile::TConfigIniFile() : TConfigIniFile(itMemInifile) {}

TConfigIniFile::TConfigIniFile(const QString &Filename) : TConfigIniFile(Filename, itMemInifile) {}

TConfigIniFile::TConfigIniFile(TIniType FileType) : TConfigIniFile(ChooseBackend(FileType)) {}

TConfigIniFile::TConfigIniFile(const std::pair<QString, TIniType> &Backend)
    : TConfigIniFile(Backend.first, Backend.second) {}

TConfigIniFile::TConfigIniFile(const QString &Filename, TIniType FileType)
    : TCustomConfigIniFile(Filename, FileType, TOpenLater()) {
  Open();
}

QString TConfigIniFile::GetMutexName() const {
  return ApplicationTitle().replace(u' ', u'-') + QStringLiteral("-Config-Mutex");
}

QString TConfigIniFile::GetRegistryKey() const {
  return GetAppRegistryKey();
}

bool TConfigIniFile::KeyExists(const QString &Key) const {
  if (IniType() == itRegistryInifile)
    return static_cast<const TRegistryIniFile &>(Ini()).KeyExists(Key);
  return SectionExists(Key);
}

void TConfigIniFile::UpdateFile() {
  if (IniType() != itMemInifile)
    return;
  try {
    TCustomConfigIniFile::UpdateFile();
  } catch (const std::exception &) {
    ShowMessageBox(mbkError, QString(), QStringLiteral("Failed to save configuration file"));
  }
}

// TWriterIniFile

TWriterIniFile::TWriterIniFile() : TConfigIniFile(itInifile) {}

TWriterIniFile::TWriterIniFile(const QString &Filename) : TConfigIniFile(Filename, itInifile) {}
