#include "ConfigIniFile.h"
#include "CoreApplication.h"
#include "CoreError.h"
#include "SettingsTestSupport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

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
  QString FileName() const { return ConfigFolder() + QStringLiteral("/Settings.dat"); }
  std::unique_ptr<TCustomIniFile> Create() const {
    switch (GetParam()) {
    case bkRegistry:
      return std::make_unique<TRegistryIniFile>(
          QStringLiteral("Software\\Brisel Solutions\\Probe"));
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

const QString S = QStringLiteral("Dialogs\\TOpenFiles");

TEST_P(BackendTest, TextComesBackUnchanged) {
  const QString Values[] = {QStringLiteral(" padded "),
                            QStringLiteral("\"quoted\""),
                            QStringLiteral("a=b;c,d"),
                            QStringLiteral("C:\\temp\\new.lng"),
                            QString(),
                            QStringLiteral("@Variant(x)"),
                            QStringLiteral("\u00e4\u20ac\U0001F600")};
  auto Ini = Create();
  for (int I = 0; I < int(std::size(Values)); ++I)
    Ini->WriteString(S, QStringLiteral("V%1").arg(I), Values[I]);
  Ini = Reopen(std::move(Ini));
  for (int I = 0; I < int(std::size(Values)); ++I)
    EXPECT_EQ(Ini->ReadString(S, QStringLiteral("V%1").arg(I), QStringLiteral("-")), Values[I])
        << I;
  EXPECT_EQ(Ini->ReadString(S, QStringLiteral("Missing"), QStringLiteral("-")), u"-");
  EXPECT_EQ(Ini->ReadString(QStringLiteral("Nowhere"), QStringLiteral("V0"), QStringLiteral("-")),
            u"-");
}

TEST_P(BackendTest, TypedValuesAreStoredAsText) {
  auto Ini = Create();
  Ini->WriteBool(S, QStringLiteral("Yes"), true);
  Ini->WriteBool(S, QStringLiteral("No"), false);
  Ini->WriteInteger(S, QStringLiteral("Left"), -1033);
  Ini->WriteString(S, QStringLiteral("Hex"), QStringLiteral("0x1F"));
  Ini->WriteString(S, QStringLiteral("Bad"), QStringLiteral("12abc"));
  Ini->WriteFloat(S, QStringLiteral("Float"), 0.1);
  Ini->WriteDate(S, QStringLiteral("Date"), QDate(2024, 2, 29));
  Ini->WriteDateTime(S, QStringLiteral("DateTime"),
                     QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 7)));
  Ini->WriteTime(S, QStringLiteral("Time"), QTime(1, 2, 3, 4));
  Ini = Reopen(std::move(Ini));
  EXPECT_EQ(Ini->ReadString(S, QStringLiteral("Yes"), QString()), u"1");
  EXPECT_EQ(Ini->ReadString(S, QStringLiteral("No"), QString()), u"0");
  EXPECT_TRUE(Ini->ReadBool(S, QStringLiteral("Yes"), false));
  EXPECT_FALSE(Ini->ReadBool(S, QStringLiteral("No"), true));
  EXPECT_TRUE(Ini->ReadBool(S, QStringLiteral("Bad"), true)); // not a number: the default
  EXPECT_EQ(Ini->ReadString(S, QStringLiteral("Left"), QString()), u"-1033");
  EXPECT_EQ(Ini->ReadInteger(S, QStringLiteral("Left"), 0), -1033);
  EXPECT_EQ(Ini->ReadInteger(S, QStringLiteral("Hex"), 0), 31);
  EXPECT_EQ(Ini->ReadInteger(S, QStringLiteral("Bad"), 7), 7);
  EXPECT_EQ(Ini->ReadFloat(S, QStringLiteral("Float"), 0), 0.1);
  EXPECT_EQ(Ini->ReadDate(S, QStringLiteral("Date"), QDate()), QDate(2024, 2, 29));
  EXPECT_EQ(Ini->ReadDateTime(S, QStringLiteral("DateTime"), QDateTime()),
            QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 7)));
  EXPECT_EQ(Ini->ReadTime(S, QStringLiteral("Time"), QTime()), QTime(1, 2, 3, 4));
  EXPECT_EQ(Ini->ReadDate(S, QStringLiteral("Bad"), QDate(2000, 1, 1)), QDate(2000, 1, 1));
}

TEST_P(BackendTest, BinaryStreams) {
  auto Ini = Create();
  QByteArray Data("\x00\x01\xFFzz", 5);
  QBuffer Source(&Data);
  Source.open(QIODevice::ReadOnly);
  Source.seek(1); // what is left from the position
  Ini->WriteBinaryStream(S, QStringLiteral("Bin"), Source);
  Ini->WriteString(S, QStringLiteral("NotHex"), QStringLiteral("0G"));
  Ini = Reopen(std::move(Ini));
  QBuffer Target;
  Target.open(QIODevice::ReadWrite);
  Target.write("ab");
  EXPECT_EQ(Ini->ReadBinaryStream(S, QStringLiteral("Bin"), Target), 4);
  EXPECT_EQ(Target.pos(), 2);
  EXPECT_EQ(Target.data(), QByteArray("ab\x01\xFFzz", 6));
  EXPECT_EQ(Ini->ReadBinaryStream(S, QStringLiteral("NotHex"), Target), 0);
  EXPECT_EQ(Ini->ReadBinaryStream(S, QStringLiteral("Missing"), Target), 0);
}

TEST_P(BackendTest, SectionsAndValues) {
  auto Ini = Create();
  Ini->WriteString(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("1"));
  Ini->WriteString(QStringLiteral("A"), QStringLiteral("Y"), QStringLiteral("2"));
  Ini->WriteString(QStringLiteral("A\\B"), QStringLiteral("Z"), QStringLiteral("3"));
  Ini->WriteString(QStringLiteral("A\\B\\C"), QStringLiteral("W"), QStringLiteral("4"));
  Ini->WriteString(QStringLiteral("D"), QStringLiteral("V"), QStringLiteral("5"));
  Ini = Reopen(std::move(Ini));
  QStringList L;
  Ini->ReadSection(QStringLiteral("A"), L);
  EXPECT_EQ(L, QStringList({QStringLiteral("X"), QStringLiteral("Y")}));
  Ini->ReadSectionValues(QStringLiteral("A"), L);
  EXPECT_EQ(L, QStringList({QStringLiteral("X=1"), QStringLiteral("Y=2")}));
  Ini->ReadSections(QStringLiteral("A"), L);
  EXPECT_EQ(L, QStringList({QStringLiteral("B")}));
  Ini->ReadSubSections(QStringLiteral("A"), L, true);
  L.sort();
  EXPECT_EQ(L, QStringList({QStringLiteral("B"), QStringLiteral("B\\C")}));
  Ini->ReadSection(QStringLiteral("Nowhere"), L);
  EXPECT_TRUE(L.isEmpty());
  EXPECT_TRUE(Ini->ValueExists(QStringLiteral("A\\B"), QStringLiteral("Z")));
  EXPECT_FALSE(Ini->ValueExists(QStringLiteral("A"), QStringLiteral("Z")));

  Ini->DeleteKey(QStringLiteral("A"), QStringLiteral("X"));
  Ini->EraseSection(QStringLiteral("D"));
  Ini = Reopen(std::move(Ini));
  EXPECT_FALSE(Ini->ValueExists(QStringLiteral("A"), QStringLiteral("X")));
  EXPECT_TRUE(Ini->ValueExists(QStringLiteral("A"), QStringLiteral("Y")));
  EXPECT_FALSE(Ini->SectionExists(QStringLiteral("D")));
  // Over the registry a section is a key, erased with the keys below it; in
  // a file sections stand side by side.
  Ini->EraseSection(QStringLiteral("A\\B"));
  EXPECT_EQ(Ini->ValueExists(QStringLiteral("A\\B\\C"), QStringLiteral("W")),
            GetParam() != bkRegistry);
}

INSTANTIATE_TEST_SUITE_P(Backends, BackendTest,
                         testing::Values(bkRegistry, bkIniFile, bkMemIniFile));

// The two file backends share one file.

TEST(IniFileText, BothFileBackendsReadAHandWrittenFile) {
  const QString Name = ConfigFolder() + QStringLiteral("/Hand.ini");
  PutFile(Name, "\xEF\xBB\xBF; comment\r\nTop=1\r\n[Dialogs\\TAbout]\r\n  WindowLeft = 10 \r\n"
                "Path=C:\\temp\\new\r\nQuoted=\" x \"\r\nno value line\r\n[Empty]\r\n");
  TIniFile Classic(Name);
  TMemIniFile Mem(Name);
  for (TCustomIniFile *Ini :
       {static_cast<TCustomIniFile *>(&Classic), static_cast<TCustomIniFile *>(&Mem)}) {
    EXPECT_EQ(Ini->ReadInteger(QStringLiteral("Dialogs\\TAbout"), QStringLiteral("WindowLeft"), 0),
              10);
    EXPECT_EQ(Ini->ReadString(QStringLiteral("Dialogs\\TAbout"), QStringLiteral("Path"), QString()),
              u"C:\\temp\\new");
    EXPECT_EQ(
        Ini->ReadString(QStringLiteral("Dialogs\\TAbout"), QStringLiteral("Quoted"), QString()),
        u" x ");
    EXPECT_EQ(Ini->ReadString(QString(), QStringLiteral("Top"), QString()), u"1");
  }
  // Names fold the ASCII letters in memory.
  EXPECT_EQ(
      Mem.ReadString(QStringLiteral("DIALOGS\\tabout"), QStringLiteral("windowleft"), QString()),
      u"10");
}

TEST(IniFileText, MemoryFileWritesOnlyOnUpdate) {
  const QString Name = ConfigFolder() + QStringLiteral("/Mem.ini");
  PutFile(Name, "[S]\nA=1\n");
  TMemIniFile Mem(Name);
  Mem.WriteString(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("2"));
  EXPECT_EQ(FileText(Name), "[S]\nA=1\n");
  Mem.UpdateFile();
  EXPECT_EQ(TIniFile(Name).ReadString(QStringLiteral("S"), QStringLiteral("B"), QString()), u"2");
  // The classic file writes at once.
  TIniFile(Name).WriteString(QStringLiteral("S"), QStringLiteral("C"), QStringLiteral("3"));
  EXPECT_EQ(TMemIniFile(Name).ReadString(QStringLiteral("S"), QStringLiteral("C"), QString()),
            u"3");
}

TEST(IniFileText, WhatALineCannotHoldIsRefused) {
  TMemIniFile Mem(ConfigFolder() + QStringLiteral("/Refused.ini"));
  const std::array<QString, 3> Bad[] = {
      {QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("two\nlines")},
      {QStringLiteral("S"), QStringLiteral("A=B"), QString()},
      {QStringLiteral("S]"), QStringLiteral("A"), QString()}};
  for (const auto &[Section, Ident, Value] : Bad)
    EXPECT_THROW(Mem.WriteString(Section, Ident, Value), EIniFileException) << Ident.toStdString();
}

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
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("Brisel Solutions"), AppName());
  }
};

TEST_F(ConfigStoreTest, WithoutSettingsFileTheRegistryKeyOfTheExecutable) {
  EXPECT_EQ(GetAppRegistryKey(), QStringLiteral("Software\\Brisel Solutions\\") + AppName());
  {
    TConfigIniFile Ini;
    EXPECT_EQ(Ini.IniType(), itRegistryInifile);
    EXPECT_EQ(Ini.FileName(), GetAppRegistryKey());
    EXPECT_TRUE(Ini.AcquiredMutex());
    Ini.WriteBool(QStringLiteral("State\\OpenFiles"), QStringLiteral("Shown"), true);
  }
  const QVariant Raw = Registry().value(QStringLiteral("State/OpenFiles/Shown"));
  EXPECT_EQ(Raw.typeId(), QMetaType::QString);
  EXPECT_EQ(Raw.toString(), u"1");
  EXPECT_EQ(TWriterIniFile().IniType(), itRegistryInifile);
}

TEST_F(ConfigStoreTest, KeyExistsOverTheRegistry) {
  // The same subkey below another application's key does not count.
  QSettings Other(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brisel Solutions"),
                  QStringLiteral("Other"));
  Other.setValue(QStringLiteral("State/OpenFiles/Left"), QStringLiteral("1"));
  Other.sync();
  EXPECT_FALSE(TReaderIniFile().KeyExists(QStringLiteral("State\\OpenFiles")));
  TWriterIniFile().WriteInteger(QStringLiteral("State\\OpenFiles"), QStringLiteral("Left"), 1);
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
  PutFile(Folder + QStringLiteral("Settings.dat"), "[Dialogs]\nLeft=5\n");
  EXPECT_TRUE(UseSettingsFile());
  EXPECT_EQ(GetSettingsFolder(), Folder);
  {
    TWriterIniFile Writer;
    EXPECT_EQ(Writer.IniType(), itInifile);
    EXPECT_EQ(Writer.FileName(), Folder + QStringLiteral("Settings.dat"));
    Writer.WriteInteger(QStringLiteral("Dialogs"), QStringLiteral("Top"), 6);
  }
  TReaderIniFile Reader;
  EXPECT_EQ(Reader.IniType(), itMemInifile);
  EXPECT_EQ(Reader.ReadInteger(QStringLiteral("Dialogs"), QStringLiteral("Left"), 0), 5);
  EXPECT_EQ(Reader.ReadInteger(QStringLiteral("Dialogs"), QStringLiteral("Top"), 0), 6);
  EXPECT_TRUE(Reader.KeyExists(QStringLiteral("Dialogs")));
  EXPECT_FALSE(Reader.KeyExists(QStringLiteral("State")));
}

// The program folder is the executable's: copies of the test executable in
// folders of their own report what they chose.
class ProgramFolderTest : public ConfigStoreTest {
protected:
  void SetUp() override {
    ConfigStoreTest::SetUp();
    Program = RootFolder() + QStringLiteral("/program");
    QDir(Program).removeRecursively();
    QDir().mkpath(Program);
    ASSERT_TRUE(
        QFile::copy(QCoreApplication::applicationFilePath(), Program + QStringLiteral("/probe")));
    PutFile(Program + QStringLiteral("/Settings.dat"), "[S]\nA=1\n");
  }
  void TearDown() override {
    QFile::setPermissions(Program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ConfigStoreTest::TearDown();
  }
  QString Probe(bool AsUnprivileged = false) const {
    return RunChild({QStringLiteral("settings-location")}, Program + QStringLiteral("/probe"),
                    AsUnprivileged);
  }
  QString Program;
};

TEST_F(ProgramFolderTest, WritableProgramFolder) {
  EXPECT_EQ(Probe(), QStringLiteral("1 %1/Settings.dat 2 1").arg(Program));
}

TEST_F(ProgramFolderTest, ReadOnlyProgramFolderFallsBackToTheRegistry) {
  // The folders above must be passable for an unprivileged child.
  QFile::setPermissions(RootFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ExeGroup | QFile::ExeOther);
  const auto ReadOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                        QFile::ReadOther | QFile::ExeOther;
  QFile::setPermissions(Program, ReadOnly);
  EXPECT_EQ(Probe(true), QStringLiteral("0 %1/Settings.dat 0 0").arg(Program));
}

TEST_F(ProgramFolderTest, ApplicationDataFolderWins) {
  const QString Folder = ConfigFolder() + QStringLiteral("/probe/");
  PutFile(Folder + QStringLiteral("Settings.dat"), "");
  EXPECT_EQ(Probe(), QStringLiteral("1 %1Settings.dat 2 1").arg(Folder));
}

TEST_F(ConfigStoreTest, FailedWriteBackIsShown) {
  // A folder where the file should be: the folder is writable, the file not.
  const QString Name = ConfigFolder() + QStringLiteral("/Blocked.dat");
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
    Ini.WriteString(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("1"));
    Ini.UpdateFile();
  }
  SetMessageBoxHandler(Old);
  EXPECT_EQ(Shown, QStringList{QStringLiteral("Failed to save configuration file")});
}

TEST(ConfigMutexName, FollowsTheTitle) {
  const QString Name = ConfigFolder() + QStringLiteral("/Any.ini");
  EXPECT_EQ(TConfigIniFile(Name).GetMutexName(), u"Lingrove-Config-Mutex");
  EXPECT_EQ(TCustomConfigIniFile(Name, itMemInifile).GetMutexName(),
            u"Brisel-Default-Config-Mutex");
  SetApplicationTitle(QStringLiteral("Lingrove - a b.lng"));
  EXPECT_EQ(TWriterIniFile(Name).GetMutexName(), u"Lingrove---a-b.lng-Config-Mutex");
  SetApplicationTitle(QStringLiteral("Lingrove"));
}

// A store of another process holds the mutex until it is freed; the store
// made meanwhile waits and then sees what the other one wrote.
TEST_F(ConfigStoreTest, StoreWaitsForTheStoreOfAnotherProcess) {
  auto Child = StartChild({QStringLiteral("hold-store")});
  ASSERT_TRUE(WaitForLine(*Child, "held"));
  QString Seen;
  TBackground Reader([&] {
    TReaderIniFile Ini;
    Seen = Ini.ReadString(QStringLiteral("Cross"), QStringLiteral("Value"), QStringLiteral("none"));
  });
  EXPECT_FALSE(Reader.WaitFinished(500));
  Child->closeWriteChannel();
  ASSERT_TRUE(Reader.WaitFinished(20000));
  EXPECT_EQ(Seen, u"child");
  EXPECT_TRUE(Child->waitForFinished(20000));
  EXPECT_EQ(Child->exitCode(), 0);
}

} // namespace
