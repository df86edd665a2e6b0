#include "IniFiles.h"

#include "CoreError.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QSettings>
#include <QStringDecoder>

namespace {

QChar FoldAscii(QChar C) {
  return (C >= u'a' && C <= u'z') ? QChar(C.unicode() - 32) : C;
}

// Names compare code unit by code unit with only the ASCII letters folded.
bool SameName(QStringView A, QStringView B) {
  if (A.size() != B.size())
    return false;
  for (qsizetype I = 0; I < A.size(); ++I)
    if (FoldAscii(A[I]) != FoldAscii(B[I]))
      return false;
  return true;
}

QStringView TrimBlanks(QStringView S) {
  qsizetype First = 0, Last = S.size();
  while (First < Last && S[First].unicode() <= 32)
    ++First;
  while (Last > First && S[Last - 1].unicode() <= 32)
    --Last;
  return S.sliced(First, Last - First);
}

QString ToHex(const QByteArray &Bytes) {
  return QString::fromLatin1(Bytes.toHex().toUpper());
}

// Strict: an even number of hexadecimal digits and nothing else.
bool FromHex(const QString &Text, QByteArray &Bytes) {
  if (Text.size() % 2 != 0)
    return false;
  for (QChar C : Text)
    if (!C.isDigit() && !((C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F')))
      return false;
  Bytes = QByteArray::fromHex(Text.toLatin1());
  return true;
}

qint64 PutBytes(QIODevice &Value, const QByteArray &Bytes) {
  if (Bytes.isEmpty())
    return 0;
  const qint64 Start = Value.pos();
  const qint64 Written = Value.write(Bytes);
  if (Written > 0 && !Value.isSequential())
    Value.seek(Start);
  return qMax<qint64>(Written, 0);
}

// The text form of an INI file shared by the classic and the in-memory file.

struct TIniEntry {
  QString Section, Name, Value;
};
using TIniSections = QList<std::pair<QString, QList<std::pair<QString, QString>>>>;

QString DecodeIniText(const QByteArray &Bytes) {
  if (Bytes.startsWith("\xEF\xBB\xBF"))
    return QString::fromUtf8(Bytes.mid(3));
  if (Bytes.startsWith("\xFF\xFE"))
    return QStringDecoder(QStringDecoder::Utf16LE)(Bytes.mid(2));
  if (Bytes.startsWith("\xFE\xFF"))
    return QStringDecoder(QStringDecoder::Utf16BE)(Bytes.mid(2));
  return QString::fromUtf8(Bytes);
}

// Blank lines, ";" comments and lines without "=" are skipped; blanks around
// names and values are dropped, and one pair of double quotes enclosing a
// value as well. Section headers without entries are reported with an empty
// name.
QList<TIniEntry> ParseIniText(const QString &Text) {
  QList<TIniEntry> Entries;
  QString Section;
  for (QStringView Line : QStringView(Text).split(u'\n')) {
    Line = TrimBlanks(Line);
    if (Line.isEmpty() || Line[0] == u';')
      continue;
    if (Line[0] == u'[') {
      const qsizetype End = Line.lastIndexOf(u']');
      Section = TrimBlanks(End > 0 ? Line.sliced(1, End - 1) : Line.sliced(1)).toString();
      Entries.append({Section, QString(), QString()});
      continue;
    }
    const qsizetype Eq = Line.indexOf(u'=');
    if (Eq <= 0)
      continue;
    QStringView Value = TrimBlanks(Line.sliced(Eq + 1));
    if (Value.size() >= 2 && Value.front() == u'"' && Value.back() == u'"')
      Value = Value.sliced(1, Value.size() - 2);
    Entries.append({Section, TrimBlanks(Line.first(Eq)).toString(), Value.toString()});
  }
  return Entries;
}

QString QuoteIniValue(const QString &Value) {
  const bool Padded =
      !Value.isEmpty() && (Value.front().unicode() <= 32 || Value.back().unicode() <= 32);
  const bool LooksQuoted = Value.size() >= 2 && Value.front() == u'"' && Value.back() == u'"';
  return (Padded || LooksQuoted) ? u'"' + Value + u'"' : Value;
}

// Entries of the section without a name come first, without a header.
QByteArray FormatIniText(const TIniSections &Sections) {
  QString Text;
  for (int Pass = 0; Pass < 2; ++Pass)
    for (const auto &[Name, Values] : Sections) {
      if (Name.isEmpty() != (Pass == 0))
        continue;
      if (Pass == 1) {
        if (!Text.isEmpty())
          Text += u'\n';
        Text += u'[' + Name + QStringLiteral("]\n");
      }
      for (const auto &[Ident, Value] : Values)
        Text += Ident + u'=' + QuoteIniValue(Value) + u'\n';
    }
  return Text.toUtf8();
}

bool HasLineBreak(const QString &S) {
  return S.contains(u'\n') || S.contains(u'\r');
}

// What the text form cannot hold back unchanged.
void CheckStorable(const QString &FileName, const QString &Section, const QString &Ident,
                   const QString &Value) {
  QString Bad;
  if (HasLineBreak(Section) || Section.contains(u']') || TrimBlanks(Section) != Section)
    Bad = Section;
  else if (Ident.isEmpty() || HasLineBreak(Ident) || Ident.contains(u'=') || Ident.contains(u'/') ||
           Ident.contains(u'\\') || Ident[0] == u'[' || Ident[0] == u';' ||
           TrimBlanks(Ident) != Ident)
    Bad = Ident;
  else if (HasLineBreak(Value))
    Bad = Value;
  else
    return;
  throw EIniFileException(QStringLiteral("\"%1\" cannot be stored in %2").arg(Bad, FileName));
}

// QSettings keys: "/" separates groups, "\" counts as "/", no empty parts.
QString SettingsPath(const QString &A, const QString &B = QString()) {
  QStringList Parts;
  for (const QString &S : {A, B})
    for (const QString &Part : QString(S).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts))
      Parts.append(Part);
  return Parts.join(u'/');
}

QString SectionOfKey(const QString &Key) {
  const qsizetype Slash = Key.lastIndexOf(u'/');
  return Slash < 0 ? QString() : Key.left(Slash).replace(u'/', u'\\');
}

// Writes all of Bytes and, on a file, flushes them. QSaveFile::commit()
// reports success even when flushing its buffered tail failed (a full disk),
// which would replace the old file with a cut one, so the flush is checked
// before any commit.
bool WriteAllChecked(QIODevice &Device, const QByteArray &Bytes) {
  if (Device.write(Bytes) != Bytes.size())
    return false;
  auto *File = qobject_cast<QFileDevice *>(&Device);
  return !File || (File->flush() && File->error() == QFileDevice::NoError);
}

bool ReadClassicIni(QIODevice &Device, QSettings::SettingsMap &Map) {
  for (const TIniEntry &Entry : ParseIniText(DecodeIniText(Device.readAll())))
    if (!Entry.Name.isEmpty())
      Map.insert(SettingsPath(Entry.Section, Entry.Name), Entry.Value);
  return true;
}

bool WriteClassicIni(QIODevice &Device, const QSettings::SettingsMap &Map) {
  TIniSections Sections;
  for (auto It = Map.cbegin(); It != Map.cend(); ++It) {
    const QString Section = SectionOfKey(It.key());
    const QString Ident = It.key().mid(It.key().lastIndexOf(u'/') + 1);
    auto Found = std::find_if(Sections.begin(), Sections.end(),
                              [&](const auto &S) { return S.first == Section; });
    if (Found == Sections.end())
      Found = Sections.insert(Sections.end(), {Section, {}});
    Found->second.append({Ident, It.value().toString()});
  }
  return WriteAllChecked(Device, FormatIniText(Sections));
}

QSettings::Format ClassicIniFormat() {
  static const QSettings::Format Format =
      QSettings::registerFormat(QStringLiteral("ini"), ReadClassicIni, WriteClassicIni);
  return Format;
}

} // namespace

// TCustomIniFile

int TCustomIniFile::ReadInteger(const QString &Section, const QString &Ident, int Default) const {
  const QString Text = ReadString(Section, Ident, QString());
  bool Ok = false;
  int Value;
  if (Text.startsWith(u"0x", Qt::CaseInsensitive))
    Value = Text.mid(2).toInt(&Ok, 16);
  else
    Value = Text.toInt(&Ok, 10);
  return Ok ? Value : Default;
}

void TCustomIniFile::WriteInteger(const QString &Section, const QString &Ident, int Value) {
  WriteString(Section, Ident, QString::number(Value));
}

bool TCustomIniFile::ReadBool(const QString &Section, const QString &Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString &Section, const QString &Ident, bool Value) {
  WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

qint64 TCustomIniFile::ReadBinaryStream(const QString &Section, const QString &Ident,
                                        QIODevice &Value) const {
  QByteArray Bytes;
  if (!FromHex(ReadString(Section, Ident, QString()), Bytes))
    return 0;
  return PutBytes(Value, Bytes);
}

QDate TCustomIniFile::ReadDate(const QString &Section, const QString &Ident,
                               const QDate &Default) const {
  const QDate Value = QDate::fromString(ReadString(Section, Ident, QString()), Qt::ISODate);
  return Value.isValid() ? Value : Default;
}

QDateTime TCustomIniFile::ReadDateTime(const QString &Section, const QString &Ident,
                                       const QDateTime &Default) const {
  const QDateTime Value =
      QDateTime::fromString(ReadString(Section, Ident, QString()), Qt::ISODateWithMs);
  return Value.isValid() ? Value : Default;
}

double TCustomIniFile::ReadFloat(const QString &Section, const QString &Ident,
                                 double Default) const {
  bool Ok = false;
  const double Value = ReadString(Section, Ident, QString()).toDouble(&Ok);
  return Ok ? Value : Default;
}

QTime TCustomIniFile::ReadTime(const QString &Section, const QString &Ident,
                               const QTime &Default) const {
  const QTime Value = QTime::fromString(ReadString(Section, Ident, QString()), Qt::ISODateWithMs);
  return Value.isValid() ? Value : Default;
}

void TCustomIniFile::WriteBinaryStream(const QString &Section, const QString &Ident,
                                       QIODevice &Value) {
  WriteString(Section, Ident, ToHex(Value.readAll()));
}

void TCustomIniFile::WriteDate(const QString &Section, const QString &Ident, const QDate &Value) {
  WriteString(Section, Ident, Value.toString(Qt::ISODate));
}

void TCustomIniFile::WriteDateTime(const QString &Section, const QString &Ident,
                                   const QDateTime &Value) {
  WriteString(Section, Ident, Value.toString(Qt::ISODateWithMs));
}

void TCustomIniFile::WriteFloat(const QString &Section, const QString &Ident, double Value) {
  WriteString(Section, Ident, QString::number(Value, 'g', QLocale::FloatingPointShortest));
}

void TCustomIniFile::WriteTime(const QString &Section, const QString &Ident, const QTime &Value) {
  WriteString(Section, Ident, Value.toString(Qt::ISODateWithMs));
}

void TCustomIniFile::ReadSections(const QString &Section, QStringList &Strings) const {
  ReadSubSections(Section, Strings, false);
}

void TCustomIniFile::ReadSubSections(const QString &Section, QStringList &Strings,
                                     bool Recurse) const {
  QStringList All;
  ReadSections(All);
  Strings.clear();
  const QString Prefix = Section.isEmpty() ? QString() : Section + u'\\';
  for (const QString &Name : std::as_const(All)) {
    if (Name.size() <= Prefix.size() || !SameName(QStringView(Name).first(Prefix.size()), Prefix))
      continue;
    QString Rest = Name.mid(Prefix.size());
    if (!Recurse)
      Rest = Rest.section(u'\\', 0, 0);
    if (!Rest.isEmpty() && !Strings.contains(Rest))
      Strings.append(Rest);
  }
}

bool TCustomIniFile::ValueExists(const QString &Section, const QString &Ident) const {
  QStringList Idents;
  ReadSection(Section, Idents);
  return std::any_of(Idents.cbegin(), Idents.cend(),
                     [&](const QString &Name) { return SameName(Name, Ident); });
}

bool TCustomIniFile::SectionExists(const QString &Section) const {
  QStringList Idents;
  ReadSection(Section, Idents);
  return !Idents.isEmpty();
}

// TRegistryIniFile

TRegistryIniFile::TRegistryIniFile(const QString &Key) : TCustomIniFile(Key) {
#ifdef Q_OS_WIN
  FSettings = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + Key,
                                          QSettings::NativeFormat);
#else
  // "Software\Organization\Application\Rest": the settings of the
  // organization and application, and "Rest" a group inside them.
  QStringList Parts = Key.split(u'\\', Qt::SkipEmptyParts);
  if (!Parts.isEmpty() && Parts.first().compare(u"Software", Qt::CaseInsensitive) == 0)
    Parts.removeFirst();
  FPrefix = Parts.mid(2).join(u'/');
  FSettings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          Parts.value(0), Parts.value(1));
#endif
}

TRegistryIniFile::~TRegistryIniFile() = default;

QString TRegistryIniFile::SettingsKey(const QString &Section, const QString &Ident) const {
  return SettingsPath(FPrefix, SettingsPath(Section, Ident));
}

QVariant TRegistryIniFile::ReadValue(const QString &Section, const QString &Ident) const {
  return FSettings->value(SettingsKey(Section, Ident));
}

bool TRegistryIniFile::WriteValue(const QString &Section, const QString &Ident,
                                  const QVariant &Value) {
  FSettings->setValue(SettingsKey(Section, Ident), Value);
  FSettings->sync();
  return FSettings->status() == QSettings::NoError;
}

void TRegistryIniFile::Store(const QString &Ident) {
  FSettings->sync();
  if (FSettings->status() != QSettings::NoError)
    throw EIniFileException(QStringLiteral("Failed to set data for '%1'").arg(Ident));
}

void TRegistryIniFile::Refresh() {
  FSettings->sync();
}

QString TRegistryIniFile::ReadString(const QString &Section, const QString &Ident,
                                     const QString &Default) const {
  const QVariant Value = ReadValue(Section, Ident);
  if (!Value.isValid())
    return Default;
  if (Value.typeId() != QMetaType::QString)
    throw EIniFileException(QStringLiteral("Invalid data type for '%1'").arg(Ident));
  return Value.toString();
}

void TRegistryIniFile::WriteString(const QString &Section, const QString &Ident,
                                   const QString &Value) {
  FSettings->setValue(SettingsKey(Section, Ident), Value);
  Store(Ident);
}

qint64 TRegistryIniFile::ReadBinaryStream(const QString &Section, const QString &Ident,
                                          QIODevice &Value) const {
  const QVariant Stored = ReadValue(Section, Ident);
  if (Stored.typeId() == QMetaType::QByteArray)
    return PutBytes(Value, Stored.toByteArray());
  return TCustomIniFile::ReadBinaryStream(Section, Ident, Value);
}

void TRegistryIniFile::WriteBinaryStream(const QString &Section, const QString &Ident,
                                         QIODevice &Value) {
  FSettings->setValue(SettingsKey(Section, Ident), Value.readAll());
  Store(Ident);
}

void TRegistryIniFile::ReadSections(QStringList &Strings) const {
  FSettings->beginGroup(FPrefix);
  Strings = FSettings->childGroups();
  FSettings->endGroup();
}

void TRegistryIniFile::ReadSubSections(const QString &Section, QStringList &Strings,
                                       bool Recurse) const {
  Strings.clear();
  QStringList Pending{QString()};
  while (!Pending.isEmpty()) {
    const QString Path = Pending.takeFirst();
    FSettings->beginGroup(SettingsKey(Section, Path));
    const QStringList Children = FSettings->childGroups();
    FSettings->endGroup();
    for (const QString &Child : Children) {
      const QString Sub = Path.isEmpty() ? Child : Path + u'\\' + Child;
      Strings.append(Sub);
      if (Recurse)
        Pending.append(Sub);
    }
  }
}

void TRegistryIniFile::ReadSection(const QString &Section, QStringList &Strings) const {
  FSettings->beginGroup(SettingsKey(Section));
  Strings = FSettings->childKeys();
  FSettings->endGroup();
}

void TRegistryIniFile::ReadSectionValues(const QString &Section, QStringList &Strings) const {
  FSettings->beginGroup(SettingsKey(Section));
  Strings.clear();
  for (const QString &Ident : FSettings->childKeys())
    Strings.append(Ident + u'=' + FSettings->value(Ident).toString());
  FSettings->endGroup();
}

void TRegistryIniFile::EraseSection(const QString &Section) {
  const QString Path = SettingsKey(Section);
  // An empty path would name every value of the key.
  if (Path == SettingsPath(FPrefix))
    return;
  FSettings->remove(Path);
  Store(Section);
}

void TRegistryIniFile::DeleteKey(const QString &Section, const QString &Ident) {
  if (Ident.isEmpty())
    return;
  FSettings->remove(SettingsKey(Section, Ident));
  Store(Ident);
}

bool TRegistryIniFile::ValueExists(const QString &Section, const QString &Ident) const {
  return !Ident.isEmpty() && FSettings->contains(SettingsKey(Section, Ident));
}

bool TRegistryIniFile::KeyExists(const QString &Key) const {
  const QString Path = SettingsPath(Key);
  if (Path.isEmpty())
    return true;
  const qsizetype Slash = Path.lastIndexOf(u'/');
  FSettings->beginGroup(SettingsPath(FPrefix, Slash < 0 ? QString() : Path.left(Slash)));
  const QStringList Children = FSettings->childGroups();
  FSettings->endGroup();
#ifdef Q_OS_WIN
  const Qt::CaseSensitivity Case = Qt::CaseInsensitive; // registry key names
#else
  const Qt::CaseSensitivity Case = Qt::CaseSensitive;
#endif
  return Children.contains(Path.mid(Slash + 1), Case);
}

void TRegistryIniFile::DeleteKey(const QString &Key) {
  EraseSection(Key);
}

// TIniFile

TIniFile::TIniFile(const QString &FileName)
    : TCustomIniFile(FileName),
      FSettings(std::make_unique<QSettings>(FileName, ClassicIniFormat())) {}

TIniFile::~TIniFile() = default;

void TIniFile::Store() {
  FSettings->sync();
  if (FSettings->status() != QSettings::NoError)
    throw EIniFileException(QStringLiteral("Unable to write to %1").arg(FileName()));
}

QString TIniFile::ReadString(const QString &Section, const QString &Ident,
                             const QString &Default) const {
  const QVariant Value = FSettings->value(SettingsPath(Section, Ident));
  return Value.isValid() ? Value.toString() : Default;
}

void TIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value) {
  CheckStorable(FileName(), Section, Ident, Value);
  FSettings->setValue(SettingsPath(Section, Ident), Value);
  Store();
}

void TIniFile::ReadSection(const QString &Section, QStringList &Strings) const {
  FSettings->beginGroup(SettingsPath(Section));
  Strings = FSettings->childKeys();
  FSettings->endGroup();
}

void TIniFile::ReadSections(QStringList &Strings) const {
  Strings.clear();
  for (const QString &Key : FSettings->allKeys()) {
    const QString Section = SectionOfKey(Key);
    if (!Strings.contains(Section))
      Strings.append(Section);
  }
}

void TIniFile::ReadSectionValues(const QString &Section, QStringList &Strings) const {
  FSettings->beginGroup(SettingsPath(Section));
  Strings.clear();
  for (const QString &Ident : FSettings->childKeys())
    Strings.append(Ident + u'=' + FSettings->value(Ident).toString());
  FSettings->endGroup();
}

void TIniFile::EraseSection(const QString &Section) {
  QStringList Idents;
  ReadSection(Section, Idents);
  if (Idents.isEmpty())
    return;
  for (const QString &Ident : std::as_const(Idents))
    FSettings->remove(SettingsPath(Section, Ident));
  Store();
}

void TIniFile::DeleteKey(const QString &Section, const QString &Ident) {
  if (Ident.isEmpty() || !ValueExists(Section, Ident))
    return;
  FSettings->remove(SettingsPath(Section, Ident));
  Store();
}

void TIniFile::UpdateFile() {
  Store();
}

bool TIniFile::ValueExists(const QString &Section, const QString &Ident) const {
  return !Ident.isEmpty() && FSettings->contains(SettingsPath(Section, Ident));
}

// TMemIniFile

TMemIniFile::TMemIniFile(const QString &FileName) : TCustomIniFile(FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly))
    return;
  for (const TIniEntry &Entry : ParseIniText(DecodeIniText(File.readAll()))) {
    TSection *S = FindSection(Entry.Section);
    if (!S)
      S = &FSections.emplace_back(TSection{Entry.Section, {}});
    if (Entry.Name.isEmpty())
      continue;
    if (TValue *V = FindValue(Entry.Section, Entry.Name))
      V->Value = Entry.Value;
    else
      S->Values.append({Entry.Name, Entry.Value});
  }
}

TMemIniFile::TSection *TMemIniFile::FindSection(const QString &Section) {
  for (TSection &S : FSections)
    if (SameName(S.Name, Section))
      return &S;
  return nullptr;
}

const TMemIniFile::TSection *TMemIniFile::FindSection(const QString &Section) const {
  return const_cast<TMemIniFile *>(this)->FindSection(Section);
}

TMemIniFile::TValue *TMemIniFile::FindValue(const QString &Section, const QString &Ident) {
  if (TSection *S = FindSection(Section))
    for (TValue &V : S->Values)
      if (SameName(V.Name, Ident))
        return &V;
  return nullptr;
}

const TMemIniFile::TValue *TMemIniFile::FindValue(const QString &Section,
                                                  const QString &Ident) const {
  return const_cast<TMemIniFile *>(this)->FindValue(Section, Ident);
}

QString TMemIniFile::ReadString(const QString &Section, const QString &Ident,
                                const QString &Default) const {
  const TValue *V = FindValue(Section, Ident);
  return V ? V->Value : Default;
}

void TMemIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value) {
  CheckStorable(FileName(), Section, Ident, Value);
  if (TValue *V = FindValue(Section, Ident)) {
    V->Value = Value;
    return;
  }
  TSection *S = FindSection(Section);
  if (!S)
    S = &FSections.emplace_back(TSection{Section, {}});
  S->Values.append({Ident, Value});
}

void TMemIniFile::ReadSection(const QString &Section, QStringList &Strings) const {
  Strings.clear();
  if (const TSection *S = FindSection(Section))
    for (const TValue &V : S->Values)
      Strings.append(V.Name);
}

void TMemIniFile::ReadSections(QStringList &Strings) const {
  Strings.clear();
  for (const TSection &S : FSections)
    Strings.append(S.Name);
}

void TMemIniFile::ReadSectionValues(const QString &Section, QStringList &Strings) const {
  Strings.clear();
  if (const TSection *S = FindSection(Section))
    for (const TValue &V : S->Values)
      Strings.append(V.Name + u'=' + V.Value);
}

void TMemIniFile::EraseSection(const QString &Section) {
  FSections.removeIf([&](const TSection &S) { return SameName(S.Name, Section); });
}

void TMemIniFile::DeleteKey(const QString &Section, const QString &Ident) {
  for (TSection &S : FSections)
    if (SameName(S.Name, Section))
      S.Values.removeIf([&](const TValue &V) { return SameName(V.Name, Ident); });
}

void TMemIniFile::UpdateFile() {
  TIniSections Sections;
  for (const TSection &S : std::as_const(FSections)) {
    QList<std::pair<QString, QString>> Values;
    for (const TValue &V : S.Values)
      Values.append({V.Name, V.Value});
    Sections.append({S.Name, Values});
  }
  QSaveFile File(FileName());
  if (!File.open(QIODevice::WriteOnly) || !WriteAllChecked(File, FormatIniText(Sections)) ||
      !File.commit())
    throw EIniFileException(
        QStringLiteral("Cannot create file \"%1\". %2").arg(FileName(), File.errorString()));
}

bool TMemIniFile::ValueExists(const QString &Section, const QString &Ident) const {
  return FindValue(Section, Ident) != nullptr;
}
