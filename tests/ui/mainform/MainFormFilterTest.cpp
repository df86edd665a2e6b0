// The filter bar above the grid, driven offscreen on the example project
// with its German translation (38 properties and 8 constants; untranslated:
// actHelpAbout.Caption, the five entries of Dialog.About and SStatusLines).
#include "MainFormTestSupport.h"

#include "EntryTreeModel.h"
#include "FilterBar.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

namespace {

QLineEdit &FilterEditOf(QWidget &Form) {
  return *Form.findChild<QLineEdit *>(QStringLiteral("FilterEdit"));
}
QComboBox &StateComboOf(QWidget &Form) {
  return *Form.findChild<QComboBox *>(QStringLiteral("StateCombo"));
}
QLabel &FilterStatusOf(QWidget &Form) {
  return *Form.findChild<QLabel *>(QStringLiteral("SBFilter"));
}

// "Parent/Child" of every shown entry, in tree order.
QStringList ShownEntries(QWidget &Form) {
  const QAbstractItemModel &Model = ModelOf(Form);
  QStringList Names;
  for (int Top = 0; Top < Model.rowCount(); ++Top) {
    const QModelIndex Parent = Model.index(Top, 0);
    for (int Row = 0; Row < Model.rowCount(Parent); ++Row)
      Names.append(Parent.data().toString() + u'/' + Model.index(Row, 0, Parent).data().toString());
  }
  return Names;
}



std::unique_ptr<TTestMainForm> OpenGerman() {
  auto Form = NewForm();
  Form->show();
  Form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                        Examples + QStringLiteral("Example.de.lng"));
  return Form;
}

const QStringList UntranslatedQuillmate = {
    QStringLiteral("Application.MainForm/actHelpAbout.Caption"),
    QStringLiteral("Dialog.About/Caption"), QStringLiteral("Dialog.About/lblCopyright.Caption"),
    QStringLiteral("Dialog.About/mmLicense.Lines")};
const QStringList Untranslated = {QStringLiteral("Application.MainForm/actHelpAbout.Caption"),
                                  QStringLiteral("Dialog.About/Caption"),
                                  QStringLiteral("Dialog.About/lblVersion.Caption"),
                                  QStringLiteral("Dialog.About/lblCopyright.Caption"),
                                  QStringLiteral("Dialog.About/mmLicense.Lines"),
                                  QStringLiteral("Dialog.About/btnClose.Caption"),
                                  QStringLiteral("Constants/SStatusLines")};

struct TFilterBarCase {
  const char *Name;
  const char16_t *Typed;
  Qt::Key Key; // Qt::Key_unknown: none, the pause after typing applies
  int State;
  QStringList Shown;
};

class MainFormFilterBar : public testing::TestWithParam<TFilterBarCase> {};

TEST_P(MainFormFilterBar, ShowsTheMatchingEntriesAndCountsThem) {
  const TFilterBarCase &C = GetParam();
  auto FormPtr = OpenGerman();
  TTestMainForm &Form = *FormPtr;
  ASSERT_FALSE(FilterStatusOf(Form).isVisibleTo(&Form));
  ASSERT_EQ(ShownEntries(Form).size(), 46);
  const QString Start = QStringLiteral("Application.MainForm/Caption");
  TreeOf(Form).setCurrentIndex(ModelOf(Form).index(0, 0, ModelOf(Form).index(0, 0)));
  ASSERT_EQ(CurrentEntry(Form), Start);
  // The menu item (Ctrl+Shift+F) takes the focus to the filter field.
  QTest::keyClick(&TreeOf(Form), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(FilterEditOf(Form).hasFocus());

  StateComboOf(Form).setCurrentIndex(C.State);
  TypeText(&FilterEditOf(Form), QString::fromUtf16(C.Typed));
  if (C.Key == Qt::Key_unknown) {
    // Nothing happens while the typing may go on.
    EXPECT_EQ(ModelOf(Form).Filter().Text, QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ModelOf(Form).Filter().Text.isEmpty(); },
                                TFilterBar::TypingDelayMs * 10));
  } else {
    QTest::keyClick(&FilterEditOf(Form), C.Key);
  }
  EXPECT_EQ(ShownEntries(Form), C.Shown);
  EXPECT_TRUE(FilterStatusOf(Form).isVisibleTo(&Form));
  EXPECT_EQ(FilterStatusOf(Form).text(),
            QStringLiteral("Showing %1 of 46 entries").arg(C.Shown.size()));
  // The current entry stays when it is shown, else the first shown one
  // takes its place; the field keeps the focus.
  ASSERT_FALSE(C.Shown.isEmpty());
  const QString Current = C.Shown.contains(Start) ? Start : C.Shown.first();
  EXPECT_EQ(CurrentEntry(Form), Current);
  EXPECT_TRUE(FilterEditOf(Form).hasFocus());

  // Escape empties the field and shows everything; a second one goes to the
  // grid.
  QTest::keyClick(&FilterEditOf(Form), Qt::Key_Escape);
  EXPECT_EQ(FilterEditOf(Form).text(), QString());
  EXPECT_EQ(ShownEntries(Form).size(), C.State == 0 ? 46 : int(Untranslated.size()));
  StateComboOf(Form).setCurrentIndex(0);
  EXPECT_EQ(ShownEntries(Form).size(), 46);
  EXPECT_FALSE(FilterStatusOf(Form).isVisibleTo(&Form));
  EXPECT_EQ(CurrentEntry(Form), Current);
  QTest::keyClick(&FilterEditOf(Form), Qt::Key_Escape);
  EXPECT_TRUE(TreeOf(Form).hasFocus());
}

INSTANTIATE_TEST_SUITE_P(
    Filters, MainFormFilterBar,
    testing::Values(TFilterBarCase{"TypingPauses", u"quillmate", Qt::Key_unknown, 0,
                                   QStringList{QStringLiteral("Application.MainForm/Caption")} +
                                       UntranslatedQuillmate},
                    // Case folds beyond ASCII too.
                    TFilterBarCase{"EnterAtOnce",
                                   u"CAFÉ",
                                   Qt::Key_Return,
                                   0,
                                   {QStringLiteral("Dialog.About/lblVersion.Caption")}},
                    TFilterBarCase{"StateAndText", u"Quillmate", Qt::Key_Enter, 1,
                                   UntranslatedQuillmate},
                    TFilterBarCase{"StateAlone", u"", Qt::Key_Return, 1, Untranslated}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// An entry edited out of the filter's state stays until the filter is set
// again; then the first shown entry takes the place of the hidden current
// one.
TEST(MainFormFilter, AnEditedEntryStaysUntilTheFilterIsSetAgain) {
  auto FormPtr = OpenGerman();
  TTestMainForm &Form = *FormPtr;
  StateComboOf(Form).setCurrentIndex(1);
  ASSERT_EQ(ShownEntries(Form), Untranslated);
  const QModelIndex About = ModelOf(Form).index(0, 0, ModelOf(Form).index(1, 0));
  TreeOf(Form).setFocus();
  TreeOf(Form).setCurrentIndex(About);
  ASSERT_EQ(CurrentEntry(Form), QStringLiteral("Dialog.About/Caption"));
  QTest::keyClick(&TreeOf(Form), Qt::Key_Return);
  auto *Editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
  ASSERT_NE(Editor, nullptr);
  Editor->selectAll();
  TypeText(Editor, QStringLiteral("Über Quillmate"));
  QTest::keyClick(Editor, Qt::Key_Return);
  QCoreApplication::processEvents();

  EXPECT_EQ(ModelOf(Form).TranslatedValue(About), QStringLiteral("Über Quillmate"));
  EXPECT_EQ(ShownEntries(Form), Untranslated);
  EXPECT_EQ(Form.findChild<QLabel *>(QStringLiteral("SBProperties"))->text(),
            QStringLiteral("Properties: 38/5"));
  EXPECT_EQ(FilterStatusOf(Form).text(), QStringLiteral("Showing 7 of 46 entries"));
  // The memo follows the current entry.
  EXPECT_EQ(Form.findChild<QPlainTextEdit *>(QStringLiteral("TranslationValueMemo"))->toPlainText(),
            QStringLiteral("Über Quillmate"));

  FilterEditOf(Form).setFocus();
  QTest::keyClick(&FilterEditOf(Form), Qt::Key_Return);
  QStringList Rest = Untranslated;
  Rest.removeOne(QStringLiteral("Dialog.About/Caption"));
  EXPECT_EQ(ShownEntries(Form), Rest);
  EXPECT_EQ(FilterStatusOf(Form).text(), QStringLiteral("Showing 6 of 46 entries"));
  EXPECT_EQ(CurrentEntry(Form), Rest.first());
  EXPECT_EQ(Form.findChild<QPlainTextEdit *>(QStringLiteral("TranslationValueMemo"))->toPlainText(),
            QStringLiteral("&About Quillmate..."));

  // "Changed in this session" shows the edited entry; a state that nothing
  // has hides every row and empties the memos.
  StateComboOf(Form).setCurrentIndex(3);
  EXPECT_EQ(ShownEntries(Form), QStringList{QStringLiteral("Dialog.About/Caption")});
  FilterEditOf(Form).setText(QStringLiteral("no such text"));
  QTest::keyClick(&FilterEditOf(Form), Qt::Key_Return);
  EXPECT_EQ(ShownEntries(Form), QStringList());
  EXPECT_EQ(FilterStatusOf(Form).text(), QStringLiteral("Showing 0 of 46 entries"));
  EXPECT_FALSE(
      Form.findChild<QPlainTextEdit *>(QStringLiteral("TranslationValueMemo"))->isEnabled());

  // Closing the translation hides the bar; the filter stays for the next one.
  Form.CloseTranslation();
  EXPECT_FALSE(FilterEditOf(Form).isVisibleTo(&Form));
  EXPECT_FALSE(FilterStatusOf(Form).isVisibleTo(&Form));
  EXPECT_FALSE(ActionNamed(Form, "ActionViewFilter")->isEnabled());
}

} // namespace
