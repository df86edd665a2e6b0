// Find and replace through the find bar, on the example project with its
// German translation.
#include "MainFormTestSupport.h"

#include "EntryTreeModel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

namespace {

std::unique_ptr<TTestMainForm> OpenGerman() {
  auto Form = NewForm();
  Form->show();
  Form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                        Examples + QStringLiteral("Example.de.lng"));
  return Form;
}

template <class T> T &Child(QWidget &Form, const char *Name) {
  return *Form.findChild<T *>(QLatin1StringView(Name));
}

QString SelectedIn(QWidget &Form, const char *Memo) {
  return Child<QPlainTextEdit>(Form, Memo).textCursor().selectedText();
}

struct TFindCase {
  const char *Name;
  const char16_t *Pattern;
  const char *Options; // c: match case, w: whole words, r: regular expression
  const char *Fields;  // n s d t: names, source, display, translated values
  bool CollapseFirst;
  bool Backward;
  const char *Expected; // "Parent/Child", or null: not found
  const char16_t *Selected; // in the memo of the field that matched
  const char *StatusWord;   // a word of the status bar message, or null
};

class MainFormFind : public testing::TestWithParam<TFindCase> {};

TEST_P(MainFormFind, SelectsTheNextMatchingEntryAndItsText) {
  const TFindCase &C = GetParam();
  auto FormPtr = OpenGerman();
  TTestMainForm &Form = *FormPtr;
  if (C.CollapseFirst)
    TreeOf(Form).collapseAll();
  TreeOf(Form).setFocus();
  QTest::keyClick(&TreeOf(Form), Qt::Key_F, Qt::ControlModifier);
  auto &Edit = Child<QLineEdit>(Form, "FindEdit");
  ASSERT_TRUE(Edit.hasFocus());
  const QString Options = QString::fromLatin1(C.Options), Fields = QString::fromLatin1(C.Fields);
  Child<QCheckBox>(Form, "MatchCaseCheck").setChecked(Options.contains(u'c'));
  Child<QCheckBox>(Form, "WholeWordsCheck").setChecked(Options.contains(u'w'));
  Child<QCheckBox>(Form, "RegularExpressionCheck").setChecked(Options.contains(u'r'));
  Child<QCheckBox>(Form, "NamesCheck").setChecked(Fields.contains(u'n'));
  Child<QCheckBox>(Form, "SourceValuesCheck").setChecked(Fields.contains(u's'));
  Child<QCheckBox>(Form, "DisplayValuesCheck").setChecked(Fields.contains(u'd'));
  Child<QCheckBox>(Form, "TranslatedValuesCheck").setChecked(Fields.contains(u't'));
  Edit.setText(QString::fromUtf16(C.Pattern));
  const QString Before = CurrentEntry(Form);
  QTest::keyClick(&Edit, Qt::Key_Return, C.Backward ? Qt::ShiftModifier : Qt::NoModifier);

  const QString Status = Form.statusBar()->currentMessage();
  if (!C.Expected) {
    EXPECT_EQ(CurrentEntry(Form), Before);
    EXPECT_TRUE(Status.contains(QString::fromUtf16(C.Pattern))) << Status.toStdString();
    return;
  }
  EXPECT_EQ(CurrentEntry(Form), QString::fromLatin1(C.Expected));
  EXPECT_TRUE(TreeOf(Form).isExpanded(TreeOf(Form).currentIndex().parent()));
  EXPECT_EQ(TreeOf(Form).selectionModel()->selectedRows().size(), 1);
  if (C.Selected) {
    EXPECT_EQ(SelectedIn(Form, Fields.contains(u't') ? "TranslationValueMemo" : "SourceValueMemo"),
              QString::fromUtf16(C.Selected));
  }
  EXPECT_EQ(Status.contains(QLatin1StringView(C.StatusWord ? C.StatusWord : "\x01")),
            C.StatusWord != nullptr)
      << Status.toStdString();
  // F3 goes on from there; the bar keeps the focus.
  EXPECT_TRUE(Edit.hasFocus());
}

INSTANTIATE_TEST_SUITE_P(
    Options, MainFormFind,
    testing::Values(
        TFindCase{"IgnoringCase", u"notiz", "", "st", false, false, "Application.MainForm/actFileNew.Hint", u"Notiz", nullptr},
        TFindCase{"MatchCase", u"notiz", "c", "st", false, false, nullptr, nullptr, nullptr},
        TFindCase{"WholeWords", u"Notize", "w", "st", false, false, nullptr, nullptr, nullptr},
        TFindCase{"RegularExpression", u"Z\\. \\d", "r", "t", false, false,
                  "Application.MainForm/StatusBar.Panels[1].Text", u"Z. 1", nullptr},
        TFindCase{"NamesOnly", u"lblversion", "", "n", false, false, "Dialog.About/lblVersion.Caption", nullptr, nullptr},
        TFindCase{"BackwardWraps", u"Zeichen", "", "t", false, true, "Constants/SStatusChars", u"Zeichen", "other end"},
        TFindCase{"InACollapsedComponent", u"Abbrechen", "c", "t", true, false,
                  "Dialog.OpenFiles/btnCancel.Caption", u"Abbrechen", nullptr}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Replace All changes translated values only, in one step that Undo takes
// back; replaced entries count as translated.
TEST(MainFormReplace, ReplaceAllWithARegularExpressionIsOneStep) {
  auto FormPtr = OpenGerman();
  TTestMainForm &Form = *FormPtr;
  TEntryTreeModel &Model = ModelOf(Form);
  QStringList Before;
  int Containing = 0;
  for (int P = 0; P < Model.TreeOrderCount(); ++P) {
    Before << Model.TranslatedValue(Model.IndexAtTreeOrder(P));
    Containing += Before.last().contains(QStringLiteral("Notiz"));
  }
  ASSERT_GT(Containing, 3);
  QTest::keyClick(&TreeOf(Form), Qt::Key_H, Qt::ControlModifier);
  Child<QCheckBox>(Form, "RegularExpressionCheck").setChecked(true);
  Child<QLineEdit>(Form, "FindEdit").setText(QStringLiteral("Notiz(en)?"));
  Child<QLineEdit>(Form, "ReplaceEdit").setText(QStringLiteral("Memo\\1"));
  ActionNamed(Form, "ActionEditFindNext")->trigger();
  const QModelIndex Row = TreeOf(Form).currentIndex();
  ASSERT_TRUE(Child<QWidget>(Form, "ReplaceAllButton").isVisible());
  QCoreApplication::processEvents();
  QTest::mouseClick(&Child<QWidget>(Form, "ReplaceAllButton"), Qt::LeftButton);

  EXPECT_EQ(Form.statusBar()->currentMessage(), QStringLiteral("Replaced in %1 entries.").arg(Containing));
  EXPECT_EQ(Model.TranslatedValue(Row), QStringLiteral("Neue Memo|Legt eine neue, leere Memo an"));
  int Left = 0;
  for (int P = 0; P < Model.TreeOrderCount(); ++P) {
    Left += Model.TranslatedValue(Model.IndexAtTreeOrder(P)).contains(QStringLiteral("Notiz"));
    EXPECT_EQ(Model.SourceValue(Model.IndexAtTreeOrder(P)).contains(QStringLiteral("Memo")), false);
  }
  EXPECT_EQ(Left, 0);
  EXPECT_EQ(ActionNamed(Form, "ActionEditUndo")->text(), QStringLiteral("&Undo Replace All"));

  ActionNamed(Form, "ActionEditUndo")->trigger();
  QStringList After;
  for (int P = 0; P < Model.TreeOrderCount(); ++P)
    After << Model.TranslatedValue(Model.IndexAtTreeOrder(P));
  EXPECT_EQ(After, Before);
  EXPECT_FALSE(Form.Modified());
}

// Replace takes the match selected in the memo, then finds the next one.
TEST(MainFormReplace, ReplaceOneThenFindTheNext) {
  auto FormPtr = OpenGerman();
  TTestMainForm &Form = *FormPtr;
  QTest::keyClick(&TreeOf(Form), Qt::Key_H, Qt::ControlModifier);
  Child<QLineEdit>(Form, "FindEdit").setText(QStringLiteral("Notiz"));
  Child<QLineEdit>(Form, "ReplaceEdit").setText(QStringLiteral("Memo"));
  QTest::keyClick(&Child<QLineEdit>(Form, "FindEdit"), Qt::Key_Return);
  const QModelIndex First = TreeOf(Form).currentIndex();
  QTest::keyClick(&Child<QLineEdit>(Form, "ReplaceEdit"), Qt::Key_Return);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(First),
            QStringLiteral("Neue Memo|Legt eine neue, leere Notiz an"));
  EXPECT_EQ(TreeOf(Form).currentIndex(), First);
  EXPECT_EQ(SelectedIn(Form, "TranslationValueMemo"), QStringLiteral("Notiz"));
  EXPECT_EQ(ActionNamed(Form, "ActionEditUndo")->text(), QStringLiteral("&Undo Replace"));
}

} // namespace
