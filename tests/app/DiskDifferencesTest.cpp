// The translation on disk against the open one: exactly the entries that
// differ, in tree order, with both texts.
#include "DiskDifferences.h"
#include "TranslationDocument.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Source = "[F]\r\nA=1,a\r\nB=2,b\r\n[G]\r\nC=3,c\r\n[$CONSTANTS]\r\nSX=x\r\n";
const QByteArray Open = "LANGID=1031\r\nSourceLANGID=1033\r\n\r\n[F]\r\n00000001=A1\r\n"
                        "00000002=B1\r\n[G]\r\n00000003=C1\r\n[$CONSTANTS]\r\nSX=X1\r\n";

struct TCompareCase {
  const char *Name;
  const char *EditA; // typed into A in the open document first; none: nullptr
  const char *Disk;
  const char *Expected; // "component/name:disk:open" joined by "|"
};

void PrintTo(const TCompareCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class DiskDifferencesTest : public testing::TestWithParam<TCompareCase> {};

TEST_P(DiskDifferencesTest, ListsExactlyTheChangedEntries) {
  const TCompareCase &C = GetParam();
  QTemporaryDir Dir;
  const auto Write = [&](const QString &Name, const QByteArray &Bytes) {
    QFile F(Dir.filePath(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
    return Dir.filePath(Name);
  };
  TTranslationDocument Doc;
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Write(u"tran.lng"_s, Open));
  if (C.EditA)
    Doc.SetValues({Doc.FindEntryKey(u"F/1"_s)}, QString::fromUtf8(C.EditA), u"Typing"_s);
  QByteArray Disk = C.Disk;
  QBuffer Stream(&Disk);
  ASSERT_TRUE(Stream.open(QIODevice::ReadOnly));
  QStringList Found;
  for (const TDiskDifference &D : CompareWithDisk(Doc, Stream, u"tran.lng"_s))
    Found.append(D.Component + u'/' + D.Name + u':' + D.DiskText + u':' + D.OpenText);
  EXPECT_EQ(Found.join(u'|').toStdString(), C.Expected);
  EXPECT_FALSE(Doc.Modified() && !C.EditA);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiskDifferencesTest,
    testing::Values(
        TCompareCase{"Same", nullptr, Open.constData(), ""},
        TCompareCase{"PropertyChangedOnDisk", nullptr,
                     "[F]\r\n00000001=A1\r\n00000002=B2\r\n[G]\r\n00000003=C1\r\n"
                     "[$CONSTANTS]\r\nSX=X1\r\n",
                     "F/B:B2:B1"},
        TCompareCase{"ConstantChangedOnDisk", nullptr,
                     "[F]\r\n00000001=A1\r\n00000002=B1\r\n[G]\r\n00000003=C1\r\n"
                     "[$CONSTANTS]\r\nSX=X2\r\n",
                     "/SX:X2:X1"},
        TCompareCase{"ComponentMissingOnDisk", nullptr,
                     "[F]\r\n00000001=A1\r\n00000002=B1\r\n[$CONSTANTS]\r\nSX=X1\r\n",
                     "G/C:c:C1"},
        TCompareCase{"EditedInTheOpenDocument", "A9", Open.constData(), "F/A:A1:A9"},
        TCompareCase{"BothSides", "A9",
                     "[F]\r\n00000001=A1\r\n00000002=B2\r\n[G]\r\n00000003=C1\r\n"
                     "[$CONSTANTS]\r\nSX=X1\r\n",
                     "F/A:A1:A9|F/B:B2:B1"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(DiskDifferences, AFaultyFileNamesIt) {
  QTemporaryDir Dir;
  QFile S(Dir.filePath(u"app.zrlang"_s));
  ASSERT_TRUE(S.open(QIODevice::WriteOnly));
  S.write(Source);
  S.close();
  TTranslationDocument Doc;
  Doc.Load(S.fileName(), QString(), QString());
  QByteArray Disk = "[F]\r\n00000001=a\r\n00000001=b\r\n";
  QBuffer Stream(&Disk);
  ASSERT_TRUE(Stream.open(QIODevice::ReadOnly));
  EXPECT_THROW(CompareWithDisk(Doc, Stream, u"tran.lng"_s), ETranslationFileError);
}

} // namespace
