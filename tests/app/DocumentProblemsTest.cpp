// The problems of an open document: the whole document, then each edit and
// its undo.
#include "DocumentChecks.h"
#include "DocumentProblems.h"
#include "TranslationDocument.h"
#include "Translations.h"
#include "UndoDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Rows: 0 [F], 1 A (format error), 2 B (punctuation warning), 3 C (unchanged
// info), 4 D (none), 5 Constants, 6 SX (empty error, untranslated: none).
const QByteArray Source = "[F]\r\nA=1,Open %s\r\nB=2,Done.\r\nC=3,Name\r\nD=4,Cut\r\n"
                          "[$CONSTANTS]\r\nSX=Exit\r\n";
const QByteArray Translation = "LANGID=1031\r\nSourceLANGID=1033\r\n\r\n[F]\r\n00000001=Offen\r\n"
                               "00000002=Fertig\r\n00000003=Name\r\n00000004=Schneiden\r\n";
using L = TDocumentProblems;

class DocumentProblemsTest : public testing::Test {
protected:
  void SetUp() override {
    const auto Write = [this](const QString &Name, const QByteArray &Bytes) {
      QFile F(Dir.filePath(Name));
      EXPECT_TRUE(F.open(QIODevice::WriteOnly));
      F.write(Bytes);
      return F.fileName();
    };
    Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Write(u"tran.lng"_s, Translation));
    Problems.Attach(&Doc);
  }
  std::vector<L::TLevel> Levels() const {
    std::vector<L::TLevel> Result;
    for (int P = 0; P < 7; ++P)
      Result.push_back(Problems.Level(P));
    return Result;
  }
  QTemporaryDir Dir;
  TUndoDocument Doc;
  TDocumentProblems Problems;
};

const std::vector<L::TLevel> Initial = {L::plNone, L::plError, L::plWarning, L::plInfo,
                                        L::plNone, L::plNone,  L::plNone};

TEST_F(DocumentProblemsTest, ChecksTheWholeDocumentInSlicesAndCountsErrorsAndWarnings) {
  EXPECT_FALSE(Problems.CheckSlice(2));
  EXPECT_EQ(Problems.ProblemCount(), 1);
  EXPECT_TRUE(Problems.CheckSlice(100));
  EXPECT_EQ(Levels(), Initial);
  EXPECT_EQ(Problems.ProblemCount(), 2);
  EXPECT_EQ(Problems.ErrorCount(), 1);
  EXPECT_EQ(Problems.FirstError(), 1);
  EXPECT_EQ(Problems.Describe(1), u"format: "_s + Problems.Problems(1).at(0).Message);
  EXPECT_TRUE(Problems.Problems(4).empty());
  // Checking anew announces the entries that had problems.
  std::vector<int> Announced;
  QObject::connect(&Problems, &TDocumentProblems::ProblemsChanged,
                   [&Announced](const std::vector<int> &P) { Announced = P; });
  Problems.Attach(&Doc);
  EXPECT_EQ(Announced, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Problems.ProblemCount(), 0);
  EXPECT_EQ(Problems.Level(1), L::plNone);
}

// Entries edited while the worker checks them keep the result of their new
// text: the worker's, for the text it copied before, arrives later and is
// dropped.
TEST_F(DocumentProblemsTest, AnEditWhileTheWorkerChecksWinsOverItsOlderResult) {
  int Argc = 1;
  char Name[] = "app_tests";
  char *Argv[] = {Name, nullptr};
  QCoreApplication App(Argc, Argv);
  Problems.Start();
  EXPECT_FALSE(Problems.IsComplete());
  Doc.SetValues({1}, u"Offen %s"_s, u"Edit"_s);
  Doc.SetValues({4}, u""_s, u"Edit"_s);
  while (!Problems.IsComplete())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_EQ(Problems.Level(1), L::plNone);
  EXPECT_EQ(Problems.Level(2), L::plWarning);
  EXPECT_EQ(Problems.Level(4), L::plError);
  EXPECT_EQ(Problems.ProblemCount(), 2);
}

struct TEditCase {
  const char *Name;
  int Position;
  const char16_t *Value; // nullptr: mark the entry untranslated
  L::TLevel Level;
  int ProblemCount;
};

void PrintTo(const TEditCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class DocumentProblemsEditTest : public DocumentProblemsTest,
                                 public testing::WithParamInterface<TEditCase> {};

TEST_P(DocumentProblemsEditTest, RechecksTheEditedEntryAndItsUndo) {
  const TEditCase &C = GetParam();
  Problems.Finish();
  std::vector<int> Announced;
  QObject::connect(&Problems, &TDocumentProblems::ProblemsChanged,
                   [&Announced](const std::vector<int> &P) { Announced = P; });
  if (C.Value)
    Doc.SetValues({C.Position}, QString::fromUtf16(C.Value), u"Edit"_s);
  else
    Doc.ChangeStates({C.Position}, {zrtsUntranslated}, {}, u"Mark"_s);
  EXPECT_EQ(Announced, std::vector<int>{C.Position});
  EXPECT_EQ(Problems.Level(C.Position), C.Level);
  EXPECT_EQ(Problems.ProblemCount(), C.ProblemCount);
  EXPECT_EQ(Problems.Problems(C.Position).empty(), C.Level == L::plNone);
  Doc.UndoStack().undo();
  EXPECT_EQ(Levels(), Initial);
  EXPECT_EQ(Problems.ProblemCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, DocumentProblemsEditTest,
    testing::Values(TEditCase{"ErrorMended", 1, u"Offen %s", L::plNone, 1},
                    TEditCase{"ErrorMadeWarning", 1, u"&\u00d6ffnen %s", L::plWarning, 2},
                    TEditCase{"WarningMended", 2, u"Fertig.", L::plNone, 1},
                    TEditCase{"CleanGetsError", 4, u"", L::plError, 3},
                    TEditCase{"ConstantTranslatedWrongly", 6, u"Ende %d", L::plError, 3},
                    TEditCase{"UntranslatedIsNotChecked", 1, nullptr, L::plNone, 1}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// An ignored problem stays ignored while the entry's texts are those it was
// ignored with, also for the command-line checks and after saving and
// reopening; the header carries it.
TEST_F(DocumentProblemsTest, IgnoredProblemsFollowTheTextsAndTravelWithTheFile) {
  Problems.Finish();
  Doc.IgnoreProblems(1, Problems.Problems(1));
  Doc.IgnoreProblems(6, {{tcEmpty, TCheckSeverity::Error, {}}});
  EXPECT_EQ(Problems.Level(1), L::plNone);
  EXPECT_EQ(Problems.ErrorCount(), 0);
  EXPECT_TRUE(Doc.HasIgnoredProblems(1));
  EXPECT_TRUE(Doc.Modified());
  EXPECT_EQ(CheckDocumentEntries(Doc, TTranslationCheckSet::All()).size(), 2u);

  Doc.SetValues({1}, u"Offen %d"_s, u"Edit"_s);
  EXPECT_EQ(Problems.Level(1), L::plError);
  EXPECT_FALSE(Doc.HasIgnoredProblems(1));
  Doc.UndoStack().undo();
  EXPECT_EQ(Problems.Level(1), L::plNone);

  const QString Path = Dir.filePath(u"saved.lng"_s);
  Doc.Save(Path, true);
  Doc.Close();
  Doc.Load(Dir.filePath(u"app.zrlang"_s), QString(), Path);
  EXPECT_TRUE(QRegularExpression(u"^format:F/1:[0-9a-f]{8};empty:\\$CONSTANTS/SX:[0-9a-f]{8}$"_s)
                  .match(Doc.Translation().Params().Values(u"IgnoredProblems"))
                  .hasMatch());
  Problems.Attach(&Doc);
  Problems.Finish();
  EXPECT_EQ(Problems.Level(1), L::plNone);
  EXPECT_EQ(Problems.Level(2), L::plWarning);

  Doc.StopIgnoringProblems(1);
  EXPECT_EQ(Problems.Level(1), L::plError);
  EXPECT_EQ(Doc.Translation().Params().Values(u"IgnoredProblems").count(u';'), 0);
}

} // namespace
