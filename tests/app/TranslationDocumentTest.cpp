// The open translation: loading all or nothing, reconciling and saving.
#include "TranslationDocument.h"
#include "LangSource.h"
#include "TestSupport.h"
#include "Translations.h"
#include "UndoDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Source = "[F]\r\nA=1,a\r\nB=2,b\r\n[G]\r\nC=3,c\r\n[$CONSTANTS]\r\nSX=x\r\n";
const QByteArray Matching = "LANGID=1031\r\nSourceLANGID=1033\r\n\r\n[F]\r\n00000001=A1\r\n"
                            "00000002=B1\r\n[G]\r\n00000003=C1\r\n[$CONSTANTS]\r\nSX=X1\r\n";

class TranslationDocumentTest : public testing::Test {
protected:
  QString Path(const QString &Name) const { return Dir.filePath(Name); }
  QString Write(const QString &Name, const QByteArray &Bytes) const {
    QFile F(Path(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
    return Path(Name);
  }
  QByteArray Read(const QString &Name) const {
    QFile F(Path(Name));
    EXPECT_TRUE(F.open(QIODevice::ReadOnly));
    return F.readAll();
  }
  QTemporaryDir Dir;
};

// ---- Load: all or nothing ----

enum TBrokenFile { bfSource, bfDisplay, bfTranslation };

struct TLoadFailureCase {
  const char *Name;
  TBrokenFile Broken;
  const char *Contents; // nullptr: the file is missing
  const char16_t *Reason;
};

void PrintTo(const TLoadFailureCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class DocumentLoadFailureTest : public TranslationDocumentTest,
                                public testing::WithParamInterface<TLoadFailureCase> {};

TEST_P(DocumentLoadFailureTest, LeavesTheDocumentEmptyAndNamesTheFile) {
  const TLoadFailureCase &C = GetParam();
  const QString Files[] = {u"app.zrlang"_s, u"display.lng"_s, u"tran.lng"_s};
  Write(Files[bfSource], Source);
  Write(Files[bfDisplay], Matching);
  Write(Files[bfTranslation], Matching);
  TTranslationDocument Doc;
  Doc.Load(Path(Files[bfSource]), Path(Files[bfDisplay]), Path(Files[bfTranslation]));
  Doc.SetModified(true);
  ASSERT_TRUE(Doc.IsOpen());

  const QString Broken = Path(Files[C.Broken]);
  C.Contents ? (void)Write(Files[C.Broken], C.Contents) : (void)QFile::remove(Broken);
  try {
    Doc.Load(Path(Files[bfSource]), Path(Files[bfDisplay]), Path(Files[bfTranslation]));
    FAIL() << "no error";
  } catch (const ETranslationFileError &E) {
    ASSERT_TRUE(C.Contents);
    EXPECT_EQ(E.Message(), QDir::toNativeSeparators(Broken) + u"\r\n\r\n"_s + E.Reason());
    EXPECT_TRUE(E.Reason().endsWith(QString::fromUtf16(C.Reason))) << E.what();
  } catch (const EFOpenError &E) {
    ASSERT_FALSE(C.Contents);
    EXPECT_TRUE(E.Message().contains(QDir::toNativeSeparators(Broken))) << E.what();
  }
  EXPECT_FALSE(Doc.IsOpen());
  EXPECT_EQ(Doc.DisplayTranslation(), nullptr);
  EXPECT_TRUE(Doc.SourceFilename().isEmpty());
  EXPECT_TRUE(Doc.TranslationFilename().isEmpty());
  EXPECT_EQ(Doc.Languages().LangIDTranslation, 0);
  EXPECT_TRUE(Doc.Reconciliation().Log.isEmpty());
  EXPECT_FALSE(Doc.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocumentLoadFailureTest,
    testing::Values(TLoadFailureCase{"SourceMissing", bfSource, nullptr, nullptr},
                    TLoadFailureCase{"SourceBadConstant", bfSource, "[$CONSTANTS]\r\nA b=x\r\n",
                                     u"Invalid constant name (\"A b\")"},
                    TLoadFailureCase{"DisplayMissing", bfDisplay, nullptr, nullptr},
                    TLoadFailureCase{"DisplayDuplicateID", bfDisplay,
                                     "[F]\r\n00000001=a\r\n00000001=b\r\n",
                                     u"Duplicate property value translation ID (1)"},
                    TLoadFailureCase{"TranslationMissing", bfTranslation, nullptr, nullptr},
                    TLoadFailureCase{"TranslationDuplicateID", bfTranslation,
                                     "[F]\r\n00000001=a\r\n00000001=b\r\n",
                                     u"Duplicate property value translation ID (1)"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// The files are read side by side; when more than one is broken, the error
// is still that of the first in reading order.
TEST_F(TranslationDocumentTest, TheFirstBrokenFileInReadingOrderIsReported) {
  const QByteArray Duplicate = "[F]\r\n00000001=a\r\n00000001=b\r\n";
  const struct {
    QByteArray Source, Display;
    const char16_t *Named;
  } Cases[] = {{"[$CONSTANTS]\r\nA b=x\r\n", Duplicate, u"app.zrlang"},
               {Source, Duplicate, u"display.lng"}};
  for (const auto &C : Cases) {
    const QString Named = Path(QString::fromUtf16(C.Named));
    try {
      TTranslationDocument Doc;
      Doc.Load(Write(u"app.zrlang"_s, C.Source), Write(u"display.lng"_s, C.Display),
               Write(u"tran.lng"_s, Duplicate));
      ADD_FAILURE() << "no error";
    } catch (const ETranslationFileError &E) {
      EXPECT_TRUE(E.Message().startsWith(QDir::toNativeSeparators(Named))) << E.what();
    }
  }
}

// ---- Reconciliation ----

struct TReconcileCase {
  const char *Name;
  const char *Translation; // nullptr: a new translation
  std::array<int, 9> Counts;
  TTranslationCounts Entries; // what the status bar then shows
  quint16 LangIDTranslation;
};

void PrintTo(const TReconcileCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class DocumentReconcileTest : public TranslationDocumentTest,
                              public testing::WithParamInterface<TReconcileCase> {};

TEST_P(DocumentReconcileTest, CountsTheDifferencesAndTheEntries) {
  const TReconcileCase &C = GetParam();
  const QString Translation = C.Translation ? Write(u"tran.lng"_s, C.Translation) : QString();
  TTranslationDocument Doc;
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Translation);
  EXPECT_EQ(Doc.IsNewTranslation(), C.Translation == nullptr);
  EXPECT_EQ(Doc.Reconciliation().Counts, C.Counts);
  const bool bChanged =
      std::any_of(C.Counts.begin(), C.Counts.begin() + 6, [](int N) { return N; });
  EXPECT_EQ(Doc.Reconciliation().Log.isEmpty(), !bChanged)
      << Doc.Reconciliation().Log.toStdString();
  const TTranslationCounts N = Doc.CountEntries();
  EXPECT_EQ(N.Components, C.Entries.Components);
  EXPECT_EQ(N.Properties, C.Entries.Properties);
  EXPECT_EQ(N.UntranslatedProperties, C.Entries.UntranslatedProperties);
  EXPECT_EQ(N.Constants, C.Entries.Constants);
  EXPECT_EQ(N.UntranslatedConstants, C.Entries.UntranslatedConstants);
  EXPECT_EQ(Doc.Languages().LangIDSource, 1033);
  EXPECT_EQ(Doc.Languages().LangIDTranslation, C.LangIDTranslation);
  EXPECT_FALSE(Doc.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocumentReconcileTest,
    testing::Values(
        TReconcileCase{"New", nullptr, {2, 3, 1, 0, 0, 0, 2, 3, 1}, {2, 3, 3, 1, 1}, 0},
        TReconcileCase{
            "Matching", Matching.constData(), {0, 0, 0, 0, 0, 0, 2, 3, 1}, {2, 3, 0, 1, 0}, 1031},
        TReconcileCase{"MissingAndObsolete",
                       "LANGID=1049\r\n\r\n[F]\r\n00000001=A1\r\n00000009=Z\r\n[H]\r\n"
                       "00000004=h\r\n[$CONSTANTS]\r\nSY=y\r\n",
                       {1, 2, 1, 1, 2, 1, 2, 3, 1},
                       {2, 3, 2, 1, 1},
                       1049}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// ---- Save ----

struct TSaveCase {
  const char *Name;
  bool bUnicode;
  TSaveHeader Header;
  quint16 LangIDTranslation; // set before the save
  quint16 ReadBack;          // the LANGID the saved file holds
};

void PrintTo(const TSaveCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class DocumentSaveTest : public TranslationDocumentTest,
                         public testing::WithParamInterface<TSaveCase> {};

TEST_P(DocumentSaveTest, WritesWhatReloadsTheSame) {
  const TSaveCase &C = GetParam();
  // Property B is missing, so it is added untranslated and left out of the save.
  TTranslationDocument Doc;
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(),
           Write(u"tran.lng"_s, QByteArray(Matching).replace("00000002=B1\r\n", "")));
  ASSERT_EQ(Doc.Reconciliation().Counts[1], 1);
  Doc.SetLanguages({1033, C.LangIDTranslation});
  Doc.SetModified(true);
  Doc.Save(Path(u"out.lng"_s), C.bUnicode, C.Header);
  EXPECT_FALSE(Doc.Modified());
  EXPECT_EQ(Doc.TranslationFilename(), Path(u"out.lng"_s));
  EXPECT_FALSE(Doc.IsNewTranslation());
  EXPECT_EQ(Read(u"out.lng"_s).startsWith("\xFF\xFE"), C.bUnicode);

  TTranslationDocument Again;
  Again.Load(Path(u"app.zrlang"_s), QString(), Path(u"out.lng"_s));
  EXPECT_EQ(Again.Reconciliation().Counts, (std::array<int, 9>{0, 1, 0, 0, 0, 0, 2, 3, 1}));
  EXPECT_EQ(Again.Languages().LangIDTranslation, C.ReadBack);
  EXPECT_EQ(Again.Translation().Params().Values(u"Generator").isEmpty(),
            C.Header == TSaveHeader::Keep);
  EXPECT_EQ(Again.DefaultUnicode(), C.bUnicode);
  EXPECT_EQ(Again.CountEntries().UntranslatedProperties, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocumentSaveTest,
    testing::Values(TSaveCase{"AnsiStamped", false, TSaveHeader::Stamp, 1049, 1049},
                    TSaveCase{"UnicodeStamped", true, TSaveHeader::Stamp, 1049, 1049},
                    TSaveCase{"UnknownLanguageLeftOut", true, TSaveHeader::Stamp, 0, 0},
                    TSaveCase{"HeaderKept", false, TSaveHeader::Keep, 1049, 1031}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(TranslationDocumentTest, AFailedSaveKeepsTheNameAndTheChanges) {
  TTranslationDocument Doc;
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Write(u"tran.lng"_s, Matching));
  Doc.SetModified(true);
  EXPECT_THROW(Doc.Save(Path(u"no/dir/out.lng"_s), true), EFCreateError);
  EXPECT_TRUE(Doc.Modified());
  EXPECT_EQ(Doc.TranslationFilename(), Path(u"tran.lng"_s));
}

// Rows: 0 [F], 1 A, 2 B, 3 [G], 4 C, 5 Constants, 6 SX.
TEST_F(TranslationDocumentTest, EditsAndTheirUndoMarkEntriesChangedUntilTheNextLoad) {
  TUndoDocument Doc;
  const QString SourcePath = Write(u"app.zrlang"_s, Source);
  const QString TranslationPath = Write(u"tran.lng"_s, Matching);
  Doc.Load(SourcePath, QString(), TranslationPath);
  const auto Changed = [&Doc] {
    std::vector<int> Positions;
    for (int P = -1; P <= Doc.Entries().Count(); ++P)
      if (Doc.ChangedInSession(P))
        Positions.push_back(P);
    return Positions;
  };
  EXPECT_EQ(Changed(), std::vector<int>{});
  // Storing the value an entry has already changes nothing.
  EXPECT_EQ(Doc.SetValues({1}, u"A1"_s, u"Edit"_s), 0);
  EXPECT_EQ(Doc.SetValues({2}, u"B2"_s, u"Edit"_s), 1);
  EXPECT_EQ(Doc.ChangeStates({6}, {zrtsUntranslated}, {}, u"Mark"_s), 1);
  Doc.UndoStack().undo();
  Doc.UndoStack().undo();
  EXPECT_EQ(Changed(), (std::vector<int>{2, 6}));
  Doc.Load(SourcePath, QString(), TranslationPath);
  EXPECT_EQ(Changed(), std::vector<int>{});
}

// Texts taken from the document (the grid's, the undo stack's, a recovery
// snapshot's) stay valid after it reads its files anew or closes.
TEST_F(TranslationDocumentTest, TextsTakenFromTheDocumentOutliveAReloadAndTheClose) {
  TUndoDocument Doc;
  const QString SourcePath = Write(u"app.zrlang"_s, Source);
  const QString TranslationPath = Write(u"tran.lng"_s, Matching);
  Doc.Load(SourcePath, QString(), TranslationPath);
  ASSERT_EQ(Doc.SetValues({2}, u"B2"_s, u"Edit"_s), 1);
  const QString Edited = Doc.Entries().TranslatedValue(2);
  const QString Unedited = Doc.Entries().TranslatedValue(4);
  const QString SourceValue = Doc.Entries().SourceValue(1);
  const QString Name = Doc.Entries().Name(6);
  Doc.Load(SourcePath, QString(), TranslationPath);
  EXPECT_EQ(Doc.Entries().TranslatedValue(2), u"B1"_s);
  Doc.Close();
  EXPECT_EQ(Edited, u"B2"_s);
  EXPECT_EQ(Unedited, u"C1"_s);
  EXPECT_EQ(SourceValue, u"a"_s);
  EXPECT_EQ(Name, u"SX"_s);
}

// Without an undo history (the command-line tool's document) an edit is done
// at once, and the document is modified from the first edit until a save or
// the close, each change told once.
TEST_F(TranslationDocumentTest, WithoutUndoEditsAreDoneAndModifyUntilSaved) {
  TTranslationDocument Doc;
  std::vector<bool> Told;
  QObject::connect(&Doc, &TTranslationDocument::ModifiedChanged,
                   [&Told](bool Modified) { Told.push_back(Modified); });
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Write(u"tran.lng"_s, Matching));
  EXPECT_EQ(Doc.SetValues({2}, u"B2"_s, u"Edit"_s), 1);
  EXPECT_EQ(Doc.ChangeStates({6}, {zrtsUntranslated}, {}, u"Mark"_s), 1);
  EXPECT_EQ(Doc.Entries().TranslatedValue(2), u"B2"_s);
  EXPECT_TRUE(Doc.Modified());
  Doc.Save(Path(u"out.lng"_s), true);
  EXPECT_FALSE(Doc.Modified());
  EXPECT_EQ(Doc.SetValues({4}, u"C2"_s, u"Edit"_s), 1);
  Doc.Close();
  EXPECT_FALSE(Doc.Modified());
  EXPECT_EQ(Told, (std::vector<bool>{true, false, true, false}));
}

} // namespace
