// Problems of the translated entries in the grid, the status bar and Edit >
// Next / Previous Problem, on the example project with its German
// translation (which has no errors or warnings of its own).
#include "MainFormTestSupport.h"

#include "EntryTreeModel.h"
#include "AppAttribs.h"
#include "Images.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

QModelIndex RowOf(QWidget &Form, const char *Parent, const char *Child) {
  const QAbstractItemModel &Model = ModelOf(Form);
  for (int Top = 0; Top < Model.rowCount(); ++Top) {
    const QModelIndex TopRow = Model.index(Top, 0);
    if (TopRow.data().toString() == QLatin1StringView(Parent))
      for (int Row = 0; Row < Model.rowCount(TopRow); ++Row)
        if (Model.index(Row, 0, TopRow).data().toString() == QLatin1StringView(Child))
          return Model.index(Row, 0, TopRow);
  }
  ADD_FAILURE() << "no row " << Parent << "/" << Child;
  return {};
}

QString ProblemsText(QWidget &Form) {
  return Form.findChild<QLabel *>(QStringLiteral("SBProblems"))->text();
}

// Opened, checked, then given a warning, an error and a second error.
std::unique_ptr<TTestMainForm> OpenGermanWithProblems(const QString &Folder = Examples) {
  auto Form = NewForm();
  Form->show();
  Form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->LoadTranslation(Folder + QStringLiteral("Example.zrlang"), QString(),
                        Folder + QStringLiteral("Example.de.lng"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ProblemsText(*Form) == u"Problems: 0"; }));
  const struct {
    const char *Parent, *Child;
    const char16_t *Value;
  } Edits[] = {{"Application.MainForm", "actFileNew.Caption", u"Neu"},
               {"Application.MainForm", "mHelp.Caption", u""},
               {"Dialog.About", "Caption", u"%s"}};
  for (const auto &E : Edits)
    ModelOf(*Form).SetEntriesValue({RowOf(*Form, E.Parent, E.Child)},
                                   QString::fromUtf16(E.Value));
  return Form;
}

QVariant Cell(const QModelIndex &Row, int Role) {
  return Row.siblingAtColumn(TEntryTreeModel::ecTranslatedValue).data(Role);
}

struct TCellCase {
  const char *Parent, *Child;
  int Icon;
  const char *ToolTipStart; // null: no tooltip
  int UndoneIcon;           // the entry's state before the edits
};

class MainFormProblemCell : public testing::TestWithParam<TCellCase> {};

TEST_P(MainFormProblemCell, ShowsTheProblemIconAndListsTheMessagesUntilUndone) {
  const TCellCase &C = GetParam();
  auto FormPtr = OpenGermanWithProblems();
  TTestMainForm &Form = *FormPtr;
  EXPECT_EQ(ProblemsText(Form), u"Problems: 3");
  const QModelIndex Row = RowOf(Form, C.Parent, C.Child);
  EXPECT_EQ(Cell(Row, Qt::DecorationRole).value<QIcon>().cacheKey(),
            ImageListIcon(C.Icon).cacheKey());
  const QString Tip = Cell(Row, Qt::ToolTipRole).toString();
  if (C.ToolTipStart) {
    EXPECT_TRUE(Tip.startsWith(QLatin1StringView(C.ToolTipStart))) << Tip.toStdString();
    EXPECT_FALSE(Tip.contains(u'\n')) << Tip.toStdString();
  } else {
    EXPECT_TRUE(Tip.isEmpty()) << Tip.toStdString();
  }
  for (int Undo = 0; Undo < 3; ++Undo)
    QTest::keyClick(&TreeOf(Form), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ProblemsText(Form), u"Problems: 0");
  EXPECT_EQ(Cell(Row, Qt::DecorationRole).value<QIcon>().cacheKey(),
            ImageListIcon(C.UndoneIcon).cacheKey());
  EXPECT_TRUE(Cell(Row, Qt::ToolTipRole).toString().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cells, MainFormProblemCell,
    testing::Values(
        TCellCase{"Application.MainForm", "actFileNew.Caption", iiProblemWarning, "accelerator: ",
                  iiTranslated},
        TCellCase{"Application.MainForm", "mHelp.Caption", iiProblemError, "empty: ",
                  iiTranslated},
        TCellCase{"Dialog.About", "Caption", iiProblemError, "format: ", iiUntranslated},
        TCellCase{"Application.MainForm", "actFileOpen.Caption", iiTranslated, nullptr,
                  iiTranslated}));

struct TNavigationCase {
  const char *Name;
  const char16_t *FilterText; // hides rows whose texts lack it
  bool Backward;
  std::vector<const char *> Visited; // "Parent/Child"
};

void PrintTo(const TNavigationCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class MainFormNextProblem : public testing::TestWithParam<TNavigationCase> {};

TEST_P(MainFormNextProblem, VisitsTheShownEntriesWithErrorsOrWarningsInTreeOrderAndWraps) {
  const TNavigationCase &C = GetParam();
  auto FormPtr = OpenGermanWithProblems();
  TTestMainForm &Form = *FormPtr;
  if (C.FilterText)
    ModelOf(Form).SetFilter({esfAll, QString::fromUtf16(C.FilterText)});
  TreeOf(Form).setCurrentIndex(ModelOf(Form).index(0, 0));
  TreeOf(Form).setFocus();
  for (const char *Expected : C.Visited) {
    QTest::keyClick(&TreeOf(Form), C.Backward ? Qt::Key_Up : Qt::Key_Down,
                    Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(CurrentEntry(Form), QLatin1StringView(Expected));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MainFormNextProblem,
    testing::Values(
        TNavigationCase{"Forward",
                        nullptr,
                        false,
                        {"Application.MainForm/actFileNew.Caption",
                         "Application.MainForm/mHelp.Caption", "Dialog.About/Caption",
                         "Application.MainForm/actFileNew.Caption"}},
        TNavigationCase{"Backward",
                        nullptr,
                        true,
                        {"Dialog.About/Caption", "Application.MainForm/mHelp.Caption",
                         "Application.MainForm/actFileNew.Caption", "Dialog.About/Caption"}},
        TNavigationCase{"HiddenRowsPassedBy",
                        u"&",
                        false,
                        {"Application.MainForm/actFileNew.Caption",
                         "Application.MainForm/mHelp.Caption",
                         "Application.MainForm/actFileNew.Caption"}}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainFormProblemFilter, ShowsOnlyTheEntriesWithErrorsOrWarnings) {
  auto FormPtr = OpenGermanWithProblems();
  TTestMainForm &Form = *FormPtr;
  auto *Combo = Form.findChild<QComboBox *>(QStringLiteral("StateCombo"));
  ASSERT_EQ(Combo->count(), 5);
  Combo->setCurrentIndex(esfProblems);
  EXPECT_EQ(ModelOf(Form).VisibleEntryCount(), 3);
}

struct TSaveCase {
  const char *Name;
  bool Ask; // the setting
  QMessageBox::StandardButton Answer;
  bool Saved;
  const char *Current; // the grid's current row afterwards
};

void PrintTo(const TSaveCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class MainFormSaveWithErrors : public testing::TestWithParam<TSaveCase> {};

TEST_P(MainFormSaveWithErrors, AsksOnceAndNoSelectsTheFirstError) {
  const TSaveCase &C = GetParam();
  QTemporaryDir Dir;
  for (const char *Name : {"Example.zrlang", "Example.de.lng"})
    ASSERT_TRUE(QFile::copy(Examples + QLatin1StringView(Name), Dir.filePath(QLatin1StringView(Name))));
  const bool OldAsk = Attribs->AskSaveWithErrors();
  Attribs->SetAskSaveWithErrors(C.Ask);
  auto FormPtr = OpenGermanWithProblems(Dir.path() + u'/');
  TTestMainForm &Form = *FormPtr;
  TreeOf(Form).setCurrentIndex(ModelOf(Form).index(0, 0));
  Form.RealSave = true;
  QString Text;
  if (C.Ask)
    AnswerNextMessageBox(C.Answer, &Text);
  EXPECT_EQ(Form.SaveTranslation(false), C.Saved);
  Attribs->SetAskSaveWithErrors(OldAsk);
  EXPECT_EQ(Text, C.Ask ? u"2 entries have errors (for example: Application.MainForm/mHelp.Caption). "
                          u"Save anyway?"_s
                        : QString());
  EXPECT_EQ(Form.Modified(), !C.Saved);
  EXPECT_EQ(CurrentEntry(Form), QLatin1StringView(C.Current));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormSaveWithErrors,
    testing::Values(
        TSaveCase{"YesSaves", true, QMessageBox::Yes, true, "/Application.MainForm"},
        TSaveCase{"NoSelectsTheFirstError", true, QMessageBox::No, false,
                  "Application.MainForm/mHelp.Caption"},
        TSaveCase{"SettingOffSavesWithoutAsking", false, QMessageBox::NoButton, true,
                  "/Application.MainForm"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Ignoring takes the entry's problems out of the grid and the counts until
// its text changes; showing them again brings them back.
TEST(MainFormIgnoreProblem, HidesTheSelectedEntrysProblemsUntilShownAgain) {
  auto FormPtr = OpenGermanWithProblems();
  TTestMainForm &Form = *FormPtr;
  QAction *Ignore = ActionNamed(Form, "ActionEditIgnoreProblem");
  QAction *ShowAgain = ActionNamed(Form, "ActionEditShowIgnoredProblems");
  const QModelIndex Row = RowOf(Form, "Application.MainForm", "mHelp.Caption");
  TreeOf(Form).setCurrentIndex(Row);
  ASSERT_TRUE(Ignore->isEnabled());
  EXPECT_FALSE(ShowAgain->isEnabled());
  Ignore->trigger();
  EXPECT_EQ(ProblemsText(Form), u"Problems: 2");
  EXPECT_TRUE(Cell(Row, Qt::DecorationRole).value<QIcon>().isNull() ||
              Cell(Row, Qt::DecorationRole).value<QIcon>().cacheKey() !=
                  ImageListIcon(iiProblemError).cacheKey());
  EXPECT_FALSE(Ignore->isEnabled());
  EXPECT_TRUE(ShowAgain->isEnabled());
  EXPECT_TRUE(Form.Modified());
  ShowAgain->trigger();
  EXPECT_EQ(ProblemsText(Form), u"Problems: 3");
  EXPECT_TRUE(Ignore->isEnabled());
}

} // namespace
