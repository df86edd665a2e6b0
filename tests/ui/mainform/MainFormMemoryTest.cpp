// The translation memory in the main window: Tools > Pre-translate, the
// differences dialog's offer to pre-translate, and the settings naming the
// memory's file and the recovery folder.
#include "MainFormTestSupport.h"

#include "Action.h"
#include "AppAttribs.h"
#include "DifferencesDialog.h"
#include "LanguageManager.h"
#include "OptionsDialog.h"
#include "PretranslateDialog.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

const QString Source = Examples + u"Example.zrlang"_s;
const QString German = Examples + u"Example.de.lng"_s;

// A memory of the test's own, named by the MemoryPath setting while it lives.
class TTestMemory {
public:
  TTestMemory() { Attribs->SetMemoryPath(Path()); }
  ~TTestMemory() { Attribs->SetMemoryPath(QString()); }
  QString Path() const { return FDir.filePath(u"memory.sqlite"_s); }
  void Add(const QString &From, const QString &To) const {
    TTranslationMemory(Path()).Add({TMemoryUnit{u"en-US"_s, u"de-DE"_s, From, To, {}, {}, 1}});
  }

private:
  QTemporaryDir FDir;
};

// Every entry's translation and states.
QStringList EntryValues(TTranslationDocument &Doc) {
  QStringList Values;
  const TEntryTable &Table = Doc.Entries();
  for (int P = 0; P < Table.Count(); ++P)
    Values.append(Table.TranslatedValue(P) + u'|' + QString::number(Table.States(P).AsByte()));
  return Values;
}

// The untranslated entries of the German example whose source texts no other
// entry has, longest text first.
std::vector<int> LoneUntranslated(TTranslationDocument &Doc) {
  const TEntryTable &Table = Doc.Entries();
  QHash<QString, int> Uses;
  for (int P = 0; P < Table.Count(); ++P)
    ++Uses[Table.SourceValue(P)];
  std::vector<int> Found;
  for (int P = 0; P < Table.Count(); ++P)
    if (Table.IsEditable(P) && Table.States(P).Contains(zrtsUntranslated) &&
        Uses[Table.SourceValue(P)] == 1 && Table.SourceValue(P).size() >= 8)
      Found.push_back(P);
  std::sort(Found.begin(), Found.end(), [&](int A, int B) {
    return Table.SourceValue(A).size() > Table.SourceValue(B).size();
  });
  return Found;
}

// Runs Tools > Pre-translate with MinSimilarity (100: exact only) and gives
// the summary it shows.
QString Pretranslate(TTestMainForm &Form, int MinSimilarity) {
  QString Summary;
  AnswerNextDialog<TUIPretranslateDialog>([&](TUIPretranslateDialog &D) {
    (MinSimilarity < 100 ? D.FuzzyRadio : D.ExactRadio)->setChecked(true);
    D.SimilaritySpin->setValue(MinSimilarity);
    AnswerNextMessageBox(QMessageBox::Ok, &Summary);
    D.DialogButtons->BtnOK()->click();
  });
  ActionNamed(Form, "ActionToolsPretranslate")->trigger();
  return Summary;
}

struct TPretranslateCase {
  const char *Name;
  int MinSimilarity;
  bool bFuzzyFilled;
};

class MainFormPretranslate : public testing::TestWithParam<TPretranslateCase> {};

TEST_P(MainFormPretranslate, FillsAsOneUndoStepAndCountsWhatItFilled) {
  const TTestMemory Memory;
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  EXPECT_FALSE(ActionNamed(Form, "ActionToolsPretranslate")->isEnabled());
  Form.LoadTranslation(Source, QString(), German);
  ASSERT_TRUE(ActionNamed(Form, "ActionToolsPretranslate")->isEnabled());
  TTranslationDocument &Doc = Form.Document();
  const std::vector<int> Lone = LoneUntranslated(Doc);
  ASSERT_GE(Lone.size(), 2u);
  const QString ExactText = Doc.Entries().SourceValue(Lone[1]);
  QString FuzzyText = Doc.Entries().SourceValue(Lone[0]);
  FuzzyText.chop(1);
  Memory.Add(ExactText, u"Genau"_s);
  Memory.Add(FuzzyText, u"Ähnlich"_s);
  const QStringList Before = EntryValues(Doc);

  const QString Summary = Pretranslate(Form, GetParam().MinSimilarity);
  const TEntryTable &Table = Doc.Entries();
  EXPECT_EQ(Table.TranslatedValue(Lone[1]), u"Genau"_s);
  EXPECT_TRUE(Table.States(Lone[1]).Contains(zrtsAutotranslated));
  EXPECT_FALSE(Table.States(Lone[1]).Contains(zrtsUntranslated));
  EXPECT_EQ(Table.TranslatedValue(Lone[0]) == u"Ähnlich"_s, GetParam().bFuzzyFilled);
  const QStringList After = EntryValues(Doc);
  int Changed = 0;
  for (qsizetype I = 0; I < Before.size(); ++I)
    Changed += Before[I] != After[I] ? 1 : 0;
  const int Fuzzy = GetParam().bFuzzyFilled ? 1 : 0;
  EXPECT_EQ(Summary, LangConstantFmt(u"SMessagePretranslated", {Changed, Changed - Fuzzy, Fuzzy}));
  EXPECT_EQ(Form.statusBar()->currentMessage(), Summary);
  EXPECT_TRUE(Form.Modified());

  Form.UndoStack().undo();
  EXPECT_EQ(EntryValues(Doc), Before);
}

INSTANTIATE_TEST_SUITE_P(Matches, MainFormPretranslate,
                         testing::Values(TPretranslateCase{"ExactOnly", 100, false},
                                         TPretranslateCase{"AlsoFuzzy", 70, true}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TOpenCase {
  const char *Name;
  bool bPairHeld;
  bool bChecked;
};

class MainFormPretranslateOnOpen : public testing::TestWithParam<TOpenCase> {};

TEST_P(MainFormPretranslateOnOpen, IsOfferedWhenThePairIsHeldAndDoneWhenChecked) {
  const TTestMemory Memory;
  TTranslationDocument Probe;
  Probe.Load(Source, QString(), German);
  const int Entry = LoneUntranslated(Probe).front();
  if (GetParam().bPairHeld)
    Memory.Add(Probe.Entries().SourceValue(Entry), u"Aus dem Speicher"_s);
  Attribs->SetAutoTranslateOnOpen(false);

  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.RealDifferences = true;
  bool bEnabled = false;
  AnswerNextDialog<TUIDifferencesDialog>([&](TUIDifferencesDialog &D) {
    bEnabled = D.AutoTranslateCheck->isEnabled();
    D.AutoTranslateCheck->setChecked(GetParam().bChecked);
    D.DialogButtons->BtnOK()->click();
  });
  Form.LoadTranslation(Source, QString(), German);
  ASSERT_EQ(Form.DifferencesShown, 1);
  EXPECT_EQ(bEnabled, GetParam().bPairHeld);
  const bool bDone = GetParam().bPairHeld && GetParam().bChecked;
  TTranslationDocument &Doc = Form.Document();
  EXPECT_EQ(Doc.Entries().TranslatedValue(Entry) == u"Aus dem Speicher"_s, bDone);
  EXPECT_EQ(Attribs->AutoTranslateOnOpen(), bDone);
  EXPECT_EQ(Form.Modified(), bDone);
  if (bDone) {
    EXPECT_EQ(Form.UndoStack().undoText(), LangConstant(u"SUndoPretranslate"));
    Form.UndoStack().undo();
    EXPECT_TRUE(Doc.Entries().States(Entry).Contains(zrtsUntranslated));
    EXPECT_FALSE(Form.Modified());
  }
}

INSTANTIATE_TEST_SUITE_P(Memories, MainFormPretranslateOnOpen,
                         testing::Values(TOpenCase{"PairNotHeld", false, true},
                                         TOpenCase{"HeldNotChecked", true, false},
                                         TOpenCase{"HeldChecked", true, true}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

// A memory named in Options takes over at once: what it holds pre-translates.
TEST(MainFormMemory, FollowsTheMemoryPathChosenInOptions) {
  const TTestMemory Old;
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Source, QString(), German);
  const int Entry = LoneUntranslated(Form.Document()).front();
  QTemporaryDir Other;
  const QString NewPath = Other.filePath(u"other.sqlite"_s);
  TTranslationMemory(NewPath).Add({TMemoryUnit{u"en-US"_s, u"de-DE"_s,
                                               Form.Document().Entries().SourceValue(Entry),
                                               u"Aus dem anderen"_s, {}, {}, 1}});
  AnswerNextDialog<TUIOptionsDialog>([&](TUIOptionsDialog &D) {
    D.MemoryPathEdit->setText(QDir::toNativeSeparators(NewPath));
    D.DialogButtons->BtnOK()->click();
  });
  ActionNamed(Form, "ActionToolsOptions")->trigger();
  EXPECT_EQ(TUIMainForm::MemoryPath(), NewPath);
  Pretranslate(Form, 100);
  EXPECT_EQ(Form.Document().Entries().TranslatedValue(Entry), u"Aus dem anderen"_s);
}

QStringList RecoveryFilesIn(const QString &Folder) {
  return QDir(Folder).entryList({u"*.lngrecovery"_s}, QDir::Files);
}

// Unsaved work goes to the folder the settings name, and moves with it.
TEST(MainFormMemory, RecoveryFilesFollowTheFolderSetting) {
  QTemporaryDir First, Second;
  Attribs->SetRecoveryFolder(First.path());
  Attribs->SetRecoveryDelay(1);
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  EXPECT_EQ(TUIMainForm::RecoveryFolder(), First.path());
  Form.LoadTranslation(Source, QString(), German);
  TTranslationDocument &Doc = Form.Document();
  Doc.SetValues({LoneUntranslated(Doc).front()}, u"Ungesichert"_s, u"Typing"_s);
  EXPECT_TRUE(QTest::qWaitFor([&] { return RecoveryFilesIn(First.path()).size() == 1; }, 5000));
  Attribs->SetRecoveryFolder(Second.path());
  Form.ApplyOptions();
  EXPECT_TRUE(QTest::qWaitFor([&] { return RecoveryFilesIn(Second.path()).size() == 1; }, 5000));
  EXPECT_TRUE(RecoveryFilesIn(First.path()).isEmpty());
  Attribs->SetRecoveryFolder(QString());
  Attribs->SetRecoveryDelay(5);
}

} // namespace
