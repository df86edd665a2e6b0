// Saving files: a failed save never costs the old file, special files are
// written in place, and every failure names its reason.
#include "SaveFile.h"
#include "Exceptions.h"
#include "StreamIO.h"
#include "TestFileSystem.h"
#include "TestSupport.h"
#include "Translations.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Takes Limit bytes, then fails every write as a full disk does.
class TFullDevice : public QIODevice {
public:
  explicit TFullDevice(qint64 Limit) : FLimit(Limit) { open(QIODevice::WriteOnly); }
  QByteArray Taken;

protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *Data, qint64 Len) override {
    const qint64 Room = FLimit - Taken.size();
    if (Room <= 0) {
      setErrorString(u"No space left on device"_s);
      return -1;
    }
    Taken.append(Data, std::min(Len, Room));
    return std::min(Len, Room);
  }

private:
  qint64 FLimit;
};

// A translation whose ANSI file form is a little over Size bytes.
void Fill(TZrLang_CompTranslations &T, int Size) {
  T.Params().SetValue(u"LANGID", u"1031");
  for (int I = 0; I * 24 < Size; ++I)
    T.Constants().Add(u"C%1"_s.arg(I, 6, 10, QChar(u'0')), u"Wert Nummer %1"_s.arg(I), {});
}

QByteArray Content(TZrLang_CompTranslations &T, bool bUnicode) {
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  T.Text_SaveToStream(Buffer, bUnicode, false);
  return Buffer.data();
}

QByteArray ReadAll(const QString &FileName) {
  QFile F(FileName);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
}

struct TFailAtCase {
  const char *Name;
  qint64 Limit; // bytes the device takes; -1: one less than the content
};

void PrintTo(const TFailAtCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class WriteCheckedTest : public testing::TestWithParam<TFailAtCase> {};

TEST_P(WriteCheckedTest, FailingByteNamesFileAndReason) {
  TZrLang_CompTranslations T;
  Fill(T, 3000);
  const QByteArray Expected = Content(T, true);
  const qint64 Limit = GetParam().Limit < 0 ? Expected.size() - 1 : GetParam().Limit;
  TFullDevice Device(Limit);
  try {
    ZrLang_WriteChecked(Device, u"out.lng"_s,
                        [&T](QIODevice &S) { T.Text_SaveToStream(S, true, false); });
    FAIL() << "no error";
  } catch (const EFCreateError &E) {
    EXPECT_EQ(E.Message(), u"Cannot create file \"out.lng\". No space left on device"_s);
  }
  EXPECT_EQ(Device.Taken, Expected.first(Limit));
}
INSTANTIATE_TEST_SUITE_P(Bytes, WriteCheckedTest,
                         testing::Values(TFailAtCase{"First", 0}, TFailAtCase{"Second", 1},
                                         TFailAtCase{"Middle", 2049}, TFailAtCase{"Last", -1}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(WriteCheckedTest, DeviceWithRoomTakesEverything) {
  TZrLang_CompTranslations T;
  Fill(T, 3000);
  const QByteArray Expected = Content(T, false);
  TFullDevice Device(Expected.size());
  ZrLang_WriteChecked(Device, u"out.lng"_s,
                      [&T](QIODevice &S) { T.Text_SaveToStream(S, false, false); });
  EXPECT_EQ(Device.Taken, Expected);
}

struct TFullDiskCase {
  const char *Name;
  int Size;    // of the new file, roughly
  qint64 Free; // bytes left on the file system before saving
  bool bUnicode;
};

void PrintTo(const TFullDiskCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class FullDiskSaveTest : public testing::TestWithParam<TFullDiskCase> {};

// Files small enough to stay in the device's buffer until the commit are the
// ones a full disk used to cut while the save reported success.
TEST_P(FullDiskSaveTest, OldFileSurvivesOrNewOneIsComplete) {
  const TFullDiskCase &C = GetParam();
  TTestTmpfs Fs(256 * 1024);
  if (!Fs.Mounted())
    GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  const QString File = Fs.Path(u"ru.lng"_s);
  const QByteArray Old(3000, 'o');
  {
    QFile F(File);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly) && F.write(Old) == Old.size());
  }
  ASSERT_TRUE(Fs.LeaveFree(C.Free));
  TZrLang_CompTranslations T, Same;
  Fill(T, C.Size);
  Fill(Same, C.Size);
  const QByteArray Expected = Content(Same, C.bUnicode);
  bool bFailed = false;
  try {
    T.Text_SaveToFile(File, C.bUnicode, false);
  } catch (const EFCreateError &E) {
    bFailed = true;
    EXPECT_TRUE(E.Message().endsWith(u"No space left on device"_s)) << E.what();
  }
  EXPECT_EQ(ReadAll(File), bFailed ? Old : Expected);
  EXPECT_EQ(Fs.Names(), QStringList({u"filler"_s, u"ru.lng"_s})); // nothing left beside it
  EXPECT_EQ(bFailed, qint64(Expected.size()) > C.Free);
  EXPECT_EQ(T.IsStreamUnicode(), bFailed ? false : C.bUnicode);
}
INSTANTIATE_TEST_SUITE_P(Sizes, FullDiskSaveTest,
                         testing::Values(TFullDiskCase{"NoRoomAnsi", 2000, 0, false},
                                         TFullDiskCase{"NoRoomUnicode", 2000, 0, true},
                                         TFullDiskCase{"TailDoesNotFit", 6000, 4096, false},
                                         TFullDiskCase{"Utf16TailDoesNotFit", 6000, 8192, true},
                                         TFullDiskCase{"LargerThanBuffer", 40000, 16384, false},
                                         TFullDiskCase{"Fits", 2000, 8192, false}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(SpecialFileSaveTest, FifoIsWrittenInPlace) {
  QTemporaryDir Dir;
  const QString Fifo = Dir.filePath(u"pipe.lng"_s);
  ASSERT_TRUE(MakeFifo(Fifo));
  TFifoReader Reader(Fifo, true);
  ASSERT_TRUE(Reader.IsOpen());
  TZrLang_CompTranslations T;
  Fill(T, 2000);
  const QByteArray Expected = Content(T, true);
  T.Text_SaveToFile(Fifo, true, false);
  EXPECT_EQ(Reader.Drain(), Expected);
  EXPECT_TRUE(IsFifo(Fifo));
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            QStringList{u"pipe.lng"_s});
}

TEST(QuotedNameTest, LongNamesAreCutInMessages) {
  const QString Long = QString(100000, u'n');
  const QString Pair = QString(199, u'p') + u"\U0001F600"_s + u"tail"_s;
  try {
    TZrLang_Constants Constants([] { return quint16(1033); });
    Constants.Add(Long + u"-"_s, u"v"_s, {});
    FAIL() << "no error";
  } catch (const EZrLangError &E) {
    EXPECT_EQ(E.Message(), u"Invalid constant name (\""_s + QString(200, u'n') + u"...\")"_s);
  }
  EXPECT_LT(EFCreateError(Long, u"Reason"_s).Message().size(), 300);
  EXPECT_EQ(ZrLang_QuotedName(Pair), QString(199, u'p') + u"..."_s); // no half pair
  EXPECT_EQ(ZrLang_QuotedName(u"short"), u"short"_s);
}

} // namespace
