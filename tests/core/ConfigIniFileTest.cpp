#include "ConfigIniFile.h"
#include "CoreApplication.h"
#include "CoreError.h"
#include "SettingsTestSupport.h"
#include "TestFileSystem.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace SettingsTest;

namespace {

QString ConfigFolder() {
  return qEnvironmentVariable("XDG_CONFIG_HOME");
}

QByteArray FileText(const QString &Name) {
  QFile File(Name);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void PutFile(const QString &Name, const QByteArray &Text) {
  QDir().mkpath(QFileInfo(Name).path());
  QFile File(Name);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.write(Text);
}

// The same operations over each backend.

enum TBackendKind { bkRegistry, bkIniFile, bkMemIniFile };

class BackendTest : public testing::TestWithParam<TBackendKind> {
protected:
  void SetUp() override {
    QDir(ConfigFolder()).removeRecursively();
    QDir().mkpath(ConfigFolder());
  }
  QString FileName() const { return ConfigFolder() + u"/Settings.dat"_s; }
  std::unique_ptr<TCustomIniFile> Create() const {
    switch (GetParam()) {
    case bkRegistry:
      return std::make_unique<TRegistryIniFile>(u"Software\\Brisel Solutions\\Probe"_s);
    case bkIniFile:
      return std::make_unique<TIniFile>(FileName());
    case bkMemIniFile:
      break;
    }
    return std::make_unique<TMemIniFile>(FileName());
  }
  // A new object over the same store, after the first one has finished.
  std::unique_ptr<TCustomIniFile> Reopen(std::unique_ptr<TCustomIniFile> Ini) const {
    Ini->UpdateFile();
    Ini.reset();
    return Create();
  }
};

const QString S = u"Dialogs\\TOpenFiles"_s;

TEST_P(BackendTest, TextComesBackUnchanged) {
  const QString Values[] = {u" padded "_s,
                            u"\"quoted\""_s,
                            u"a=b;c,d"_s,
                            u"C:\\temp\\new.lng"_s,
                            QString(),
                            u"@Variant(x)"_s,
                            u"\u00e4\u20ac\U0001F600"_s};
  auto Ini = Create();
  for (int I = 0; I < int(std::size(Values)); ++I)
    Ini->WriteString(S, u"V%1"_s.arg(I), Values[I]);
  Ini = Reopen(std::move(Ini));
  for (int I = 0; I < int(std::size(Values)); ++I)
    EXPECT_EQ(Ini->ReadString(S, u"V%1"_s.arg(I), u"-"_s), Values[I]) << I;
  EXPECT_EQ(Ini->ReadString(S, u"Missing"_s, u"-"_s), u"-");
  EXPECT_EQ(Ini->ReadString(u"Nowhere"_s, u"V0"_s, u"-"_s), u"-");
}

TEST_P(BackendTest, TypedValuesAreStoredAsText) {
  auto Ini = Create();
  Ini->WriteBool(S, u"Yes"_s, true);
  Ini->WriteBool(S, u"No"_s, false);
  Ini->WriteInteger(S, u"Left"_s, -1033);
  Ini->WriteString(S, u"Hex"_s, u"0x1F"_s);
  Ini->WriteString(S, u"Bad"_s, u"12abc"_s);
  Ini->WriteFloat(S, u"Float"_s, 0.1);
  const QDateTime When(QDate(2024, 2, 29), QTime(23, 59, 58, 7));
  Ini->WriteDateTime(S, u"When"_s, When);
  Ini = Reopen(std::move(Ini));
  EXPECT_EQ(Ini->ReadString(S, u"Yes"_s, QString()), u"1");
  EXPECT_EQ(Ini->ReadString(S, u"No"_s, QString()), u"0");
  EXPECT_TRUE(Ini->ReadBool(S, u"Yes"_s, false));
  EXPECT_FALSE(Ini->ReadBool(S, u"No"_s, true));
  EXPECT_TRUE(Ini->ReadBool(S, u"Bad"_s, true)); // not a number: the default
  EXPECT_EQ(Ini->ReadString(S, u"Left"_s, QString()), u"-1033");
  EXPECT_EQ(Ini->ReadInteger(S, u"Left"_s, 0), -1033);
  EXPECT_EQ(Ini->ReadInteger(S, u"Hex"_s, 0), 31);
  EXPECT_EQ(Ini->ReadInteger(S, u"Bad"_s, 7), 7);
  EXPECT_EQ(Ini->ReadFloat(S, u"Float"_s, 0), 0.1);
  EXPECT_EQ(Ini->ReadDateTime(S, u"When"_s, QDateTime()), When);
  EXPECT_EQ(Ini->ReadDate(S, u"Bad"_s, QDate(2000, 1, 1)), QDate(2000, 1, 1));
}

TEST_P(BackendTest, BinaryStreams) {
  auto Ini = Create();
  QByteArray Data("\x00\x01\xFFzz", 5);
  QBuffer Source(&Data);
  Source.open(QIODevice::ReadOnly);
  Source.seek(1); // what is left from the position
  Ini->WriteBinaryStream(S, u"Bin"_s, Source);
  Ini->WriteString(S, u"NotHex"_s, u"0G"_s);
  Ini = Reopen(std::move(Ini));
  QBuffer Target;
  Target.open(QIODevice::ReadWrite);
  Target.write("ab");
  EXPECT_EQ(Ini->ReadBinaryStream(S, u"Bin"_s, Target), 4);
  EXPECT_EQ(Target.pos(), 2);
  EXPECT_EQ(Target.data(), QByteArray("ab\x01\xFFzz", 6));
  EXPECT_EQ(Ini->ReadBinaryStream(S, u"NotHex"_s, Target), 0);
  EXPECT_EQ(Ini->ReadBinaryStream(S, u"Missing"_s, Target), 0);
}

TEST_P(BackendTest, SectionsAndValues) {
  auto Ini = Create();
  Ini->WriteString(u"A"_s, u"X"_s, u"1"_s);
  Ini->WriteString(u"A"_s, u"Y"_s, u"2"_s);
  Ini->WriteString(u"A\\B"_s, u"Z"_s, u"3"_s);
  Ini->WriteString(u"A\\B\\C"_s, u"W"_s, u"4"_s);
  Ini->WriteString(u"D"_s, u"V"_s, u"5"_s);
  Ini = Reopen(std::move(Ini));
  QStringList L;
  Ini->ReadSection(u"A"_s, L);
  EXPECT_EQ(L, QStringList({u"X"_s, u"Y"_s}));
  Ini->ReadSectionValues(u"A"_s, L);
  EXPECT_EQ(L, QStringList({u"X=1"_s, u"Y=2"_s}));
  Ini->ReadSections(u"A"_s, L);
  EXPECT_EQ(L, QStringList({u"B"_s}));
  Ini->ReadSubSections(u"A"_s, L, true);
  L.sort();
  EXPECT_EQ(L, QStringList({u"B"_s, u"B\\C"_s}));
  Ini->ReadSection(u"Nowhere"_s, L);
  EXPECT_TRUE(L.isEmpty());
  EXPECT_TRUE(Ini->ValueExists(u"A\\B"_s, u"Z"_s));
  EXPECT_FALSE(Ini->ValueExists(u"A"_s, u"Z"_s));

  Ini->DeleteKey(u"A"_s, u"X"_s);
  Ini->EraseSection(u"D"_s);
  Ini = Reopen(std::move(Ini));
  EXPECT_FALSE(Ini->ValueExists(u"A"_s, u"X"_s));
  EXPECT_TRUE(Ini->ValueExists(u"A"_s, u"Y"_s));
  EXPECT_FALSE(Ini->SectionExists(u"D"_s));
  // Over the registry a section is a key, erased with the keys below it; in
  // a file sections stand side by side.
  Ini->EraseSection(u"A\\B"_s);
  EXPECT_EQ(Ini->ValueExists(u"A\\B\\C"_s, u"W"_s), GetParam() != bkRegistry);
}

INSTANTIATE_TEST_SUITE_P(Backends, BackendTest,
                         testing::Values(bkRegistry, bkIniFile, bkMemIniFile));

// The two file backends share one file.

TEST(IniFileText, BothFileBackendsReadAHandWrittenFile) {
  const QString Name = ConfigFolder() + u"/Hand.ini"_s;
  PutFile(Name, "\xEF\xBB\xBF; comment\r\nTop=1\r\n[Dialogs\\TAbout]\r\n  WindowLeft = 10 \r\n"
                "Path=C:\\temp\\new\r\nQuoted=\" x \"\r\nno value line\r\n[Empty]\r\n");
  TIniFile Classic(Name);
  TMemIniFile Mem(Name);
  for (TCustomIniFile *Ini :
       {static_cast<TCustomIniFile *>(&Classic), static_cast<TCustomIniFile *>(&Mem)}) {
    EXPECT_EQ(Ini->ReadInteger(u"Dialogs\\TAbout"_s, u"WindowLeft"_s, 0), 10);
    EXPECT_EQ(Ini->ReadString(u"Dialogs\\TAbout"_s, u"Path"_s, QString()), u"C:\\temp\\new");
    EXPECT_EQ(Ini->ReadString(u"Dialogs\\TAbout"_s, u"Quoted"_s, QString()), u" x ");
    EXPECT_EQ(Ini->ReadString(QString(), u"Top"_s, QString()), u"1");
  }
  // Names fold the ASCII letters in memory.
  EXPECT_EQ(Mem.ReadString(u"DIALOGS\\tabout"_s, u"windowleft"_s, QString()), u"10");
}

TEST(IniFileText, MemoryFileWritesOnlyOnUpdate) {
  const QString Name = ConfigFolder() + u"/Mem.ini"_s;
  PutFile(Name, "[S]\nA=1\n");
  TMemIniFile Mem(Name);
  Mem.WriteString(u"S"_s, u"B"_s, u"2"_s);
  EXPECT_EQ(FileText(Name), "[S]\nA=1\n");
  Mem.UpdateFile();
  EXPECT_EQ(TIniFile(Name).ReadString(u"S"_s, u"B"_s, QString()), u"2");
  // The classic file writes at once.
  TIniFile(Name).WriteString(u"S"_s, u"C"_s, u"3"_s);
  EXPECT_EQ(TMemIniFile(Name).ReadString(u"S"_s, u"C"_s, QString()), u"3");
}

TEST(IniFileText, WhatALineCannotHoldIsRefused) {
  TMemIniFile Mem(ConfigFolder() + u"/Refused.ini"_s);
  const std::array<QString, 3> Bad[] = {{u"S"_s, u"A"_s, u"two\nlines"_s},
                                        {u"S"_s, u"A=B"_s, QString()},
                                        {u"S]"_s, u"A"_s, QString()}};
  for (const auto &[Section, Ident, Value] : Bad)
    EXPECT_THROW(Mem.WriteString(Section, Ident, Value), EIniFileException) << Ident.toStdString();
}

// A settings file on a full disk: the write fails and the old file stays.
class FullDiskIniTest : public testing::TestWithParam<TBackendKind> {};

TEST_P(FullDiskIniTest, FailedWriteKeepsTheOldFile) {
  TTestTmpfs Fs(64 * 1024);
  if (!Fs.Mounted())
    GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  const QString Name = Fs.Path(u"Settings.dat"_s);
  const QByteArray Old = "[S]\r\nA=1\r\n";
  PutFile(Name, Old);
  ASSERT_TRUE(Fs.LeaveFree(0));
  const QString Big(3000, u'v');
  if (GetParam() == bkMemIniFile) {
    TMemIniFile Mem(Name);
    Mem.WriteString(u"S"_s, u"B"_s, Big);
    EXPECT_THROW(Mem.UpdateFile(), EIniFileException);
  } else {
    TIniFile Classic(Name);
    EXPECT_THROW(Classic.WriteString(u"S"_s, u"B"_s, Big), EIniFileException);
  }
  EXPECT_EQ(FileText(Name), Old);
}
INSTANTIATE_TEST_SUITE_P(FileBackends, FullDiskIniTest, testing::Values(bkIniFile, bkMemIniFile));

// The store and its backend choice.

class ConfigStoreTest : public testing::Test {
protected:
  void SetUp() override {
    QDir(ConfigFolder()).removeRecursively();
    QDir().mkpath(ConfigFolder());
    ClearSettingsLocation();
  }
  void TearDown() override { ClearSettingsLocation(); }
  static QSettings Registry() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Brisel Solutions"_s,
                     AppName());
  }
};

TEST_F(ConfigStoreTest, WithoutSettingsFileTheRegistryKeyOfTheExecutable) {
  EXPECT_EQ(GetAppRegistryKey(), u"Software\\Brisel Solutions\\"_s + AppName());
  {
    TConfigIniFile Ini;
    EXPECT_EQ(Ini.IniType(), itRegistryInifile);
    EXPECT_EQ(Ini.FileName(), GetAppRegistryKey());
    EXPECT_TRUE(Ini.AcquiredMutex());
    Ini.WriteBool(u"State\\OpenFiles"_s, u"Shown"_s, true);
  }
  const QVariant Raw = Registry().value(u"State/OpenFiles/Shown"_s);
  EXPECT_EQ(Raw.typeId(), QMetaType::QString);
  EXPECT_EQ(Raw.toString(), u"1");
  EXPECT_EQ(TWriterIniFile().IniType(), itRegistryInifile);
}

TEST_F(ConfigStoreTest, KeyExistsOverTheRegistry) {
  // The same subkey below another application's key does not count.
  QSettings Other(QSettings::NativeFormat, QSettings::UserScope, u"Brisel Solutions"_s, u"Other"_s);
  Other.setValue(u"State/OpenFiles/Left"_s, u"1"_s);
  Other.sync();
  EXPECT_FALSE(TReaderIniFile().KeyExists(u"State\\OpenFiles"_s));
  TWriterIniFile().WriteInteger(u"State\\OpenFiles"_s, u"Left"_s, 1);
  const TReaderIniFile Ini;
  const std::pair<const char16_t *, bool> Cases[] = {{u"State\\OpenFiles", true},
                                                     {u"State", true},
                                                     {u"OpenFiles", false},
                                                     {u"State\\Other", false},
                                                     {u"State\\OpenFiles\\Left", false}};
  for (const auto &[Key, Exists] : Cases)
    EXPECT_EQ(Ini.KeyExists(QString::fromUtf16(Key)), Exists)
        << QString::fromUtf16(Key).toStdString();
}

TEST_F(ConfigStoreTest, SettingsFileInTheApplicationDataFolder) {
  const QString Folder = ConfigFolder() + u'/' + AppName() + u'/';
  PutFile(Folder + u"Settings.dat"_s, "[Dialogs]\nLeft=5\n");
  EXPECT_TRUE(UseSettingsFile());
  EXPECT_EQ(GetSettingsFolder(), Folder);
  {
    TWriterIniFile Writer;
    EXPECT_EQ(Writer.IniType(), itInifile);
    EXPECT_EQ(Writer.FileName(), Folder + u"Settings.dat"_s);
    Writer.WriteInteger(u"Dialogs"_s, u"Top"_s, 6);
  }
  TReaderIniFile Reader;
  EXPECT_EQ(Reader.IniType(), itMemInifile);
  EXPECT_EQ(Reader.ReadInteger(u"Dialogs"_s, u"Left"_s, 0), 5);
  EXPECT_EQ(Reader.ReadInteger(u"Dialogs"_s, u"Top"_s, 0), 6);
  EXPECT_TRUE(Reader.KeyExists(u"Dialogs"_s));
  EXPECT_FALSE(Reader.KeyExists(u"State"_s));
}

// The program folder is the executable's: copies of the test executable in
// folders of their own report what they chose.
class ProgramFolderTest : public ConfigStoreTest {
protected:
  void SetUp() override {
    ConfigStoreTest::SetUp();
    Program = RootFolder() + u"/program"_s;
    QDir(Program).removeRecursively();
    QDir().mkpath(Program);
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), Program + u"/probe"_s));
    PutFile(Program + u"/Settings.dat"_s, "[S]\nA=1\n");
  }
  void TearDown() override {
    QFile::setPermissions(Program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ConfigStoreTest::TearDown();
  }
  QString Probe(bool AsUnprivileged = false) const {
    return RunChild({u"settings-location"_s}, Program + u"/probe"_s, AsUnprivileged);
  }
  QString Program;
};

TEST_F(ProgramFolderTest, WritableProgramFolder) {
  EXPECT_EQ(Probe(), u"1 %1/Settings.dat 2 1"_s.arg(Program));
}

TEST_F(ProgramFolderTest, ReadOnlyProgramFolderFallsBackToTheRegistry) {
  // The folders above must be passable for an unprivileged child.
  QFile::setPermissions(RootFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ExeGroup | QFile::ExeOther);
  const auto ReadOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                        QFile::ReadOther | QFile::ExeOther;
  QFile::setPermissions(Program, ReadOnly);
  EXPECT_EQ(Probe(true), u"0 %1/Settings.dat 0 0"_s.arg(Program));
}

TEST_F(ProgramFolderTest, ApplicationDataFolderWins) {
  const QString Folder = ConfigFolder() + u"/probe/"_s;
  PutFile(Folder + u"Settings.dat"_s, "");
  EXPECT_EQ(Probe(), u"1 %1Settings.dat 2 1"_s.arg(Folder));
}

TEST_F(ConfigStoreTest, FailedWriteBackIsShown) {
  // A folder where the file should be: the folder is writable, the file not.
  const QString Name = ConfigFolder() + u"/Blocked.dat"_s;
  QDir().mkpath(Name);
  QStringList Shown;
  const TMessageBoxHandler Old =
      SetMessageBoxHandler([&](TMessageBoxKind Kind, const QString &, const QString &Text) {
        EXPECT_EQ(Kind, mbkError);
        Shown.append(Text);
      });
  {
    TConfigIniFile Ini(Name);
    EXPECT_EQ(Ini.IniType(), itMemInifile);
    Ini.WriteString(u"S"_s, u"A"_s, u"1"_s);
    Ini.UpdateFile();
  }
  SetMessageBoxHandler(Old);
  EXPECT_EQ(Shown, QStringList{u"Failed to save configuration file"_s});
}

TEST(ConfigMutexName, FollowsTheTitle) {
  const QString Name = ConfigFolder() + u"/Any.ini"_s;
  EXPECT_EQ(TConfigIniFile(Name).GetMutexName(), u"Lingrove-Config-Mutex");
  EXPECT_EQ(TCustomConfigIniFile(Name, itMemInifile).GetMutexName(),
            u"Brisel-Default-Config-Mutex");
  SetApplicationTitle(u"Lingrove - a b.lng"_s);
  EXPECT_EQ(TWriterIniFile(Name).GetMutexName(), u"Lingrove---a-b.lng-Config-Mutex");
  SetApplicationTitle(u"Lingrove"_s);
}

// A store of another process holds the mutex until it is freed; the store
// made meanwhile waits and then sees what the other one wrote.
TEST_F(ConfigStoreTest, StoreWaitsForTheStoreOfAnotherProcess) {
  auto Child = StartChild({u"hold-store"_s});
  ASSERT_TRUE(WaitForLine(*Child, "held"));
  QString Seen;
  TBackground Reader([&] {
    TReaderIniFile Ini;
    Seen = Ini.ReadString(u"Cross"_s, u"Value"_s, u"none"_s);
  });
  EXPECT_FALSE(Reader.WaitFinished(500));
  Child->closeWriteChannel();
  ASSERT_TRUE(Reader.WaitFinished(20000));
  EXPECT_EQ(Seen, u"child");
  EXPECT_TRUE(Child->waitForFinished(20000));
  EXPECT_EQ(Child->exitCode(), 0);
}

} // namespace
