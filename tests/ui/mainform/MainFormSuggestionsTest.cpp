// The Suggestions pane in the real main window: a translation the user's
// memory holds for the focused entry's source text is listed, Ctrl+1 puts it
// into the entry as one undo step and Ctrl+Z takes it back.
#include "MainFormTestSupport.h"

#include "DocumentMemory.h"
#include "EntryNavigation.h"
#include "EntryTreeModel.h"
#include "SuggestionsPane.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

// A window shown and active with a copy of the example project open in
// German, the user's memory holding Units first.
std::unique_ptr<TTestMainForm> OpenWithMemory(const QTemporaryDir &Dir,
                                              const std::vector<TMemoryUnit> &Units) {
  for (const char *Name : {"Example.zrlang", "Example.de.lng"})
    QFile::copy(Examples + QLatin1StringView(Name), Dir.filePath(QLatin1StringView(Name)));
  TTranslationMemory(DefaultMemoryPath()).Add(Units);
  auto Form = NewForm();
  Form->show();
  Form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->LoadTranslation(Dir.filePath(u"Example.zrlang"_s), QString(),
                        Dir.filePath(u"Example.de.lng"_s));
  return Form;
}

TMemoryUnit German(const QString &Source, const QString &Target) {
  return TMemoryUnit{u"en-US"_s, u"de-DE"_s, Source, Target, QString(), QString(), 1};
}

// Focuses the entry of Key and waits until the pane lists Count suggestions.
bool FocusAndWait(TTestMainForm &Form, const QString &Key, size_t Count) {
  const int Position = Form.Document().FindEntryKey(Key);
  SelectEntryNode(TreeOf(Form), ModelOf(Form).IndexAtTreeOrder(Position), false, true);
  auto *Pane = Form.findChild<TSuggestionsPane *>();
  return QTest::qWaitFor([&] { return Pane->Suggestions().size() == Count; });
}

TEST(MainFormSuggestions, AMemoryMatchFillsTheFocusedEntryWithCtrl1AndCtrlZUndoesIt) {
  QTemporaryDir Dir;
  auto FormPtr = OpenWithMemory(Dir, {German(u"Close"_s, u"Zumachen"_s), German(u"Closed"_s, u"Zu"_s)});
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(Form.HasDocument());
  const int Position = Form.Document().FindEntryKey(u"Dialog.About/5"_s);
  ASSERT_GE(Position, 0);
  ASSERT_EQ(Form.Document().Entries().SourceValue(Position), u"Close"_s);
  const QString Before = Form.Document().Entries().TranslatedValue(Position);

  auto *Pane = Form.findChild<TSuggestionsPane *>();
  ASSERT_NE(Pane, nullptr);
  EXPECT_TRUE(Pane->isVisible());
  ASSERT_TRUE(FocusAndWait(Form, u"Dialog.About/5"_s, 2));
  EXPECT_EQ(Pane->Suggestions()[0].Match.Unit.Target, u"Zumachen"_s);
  EXPECT_TRUE(Pane->Suggestions()[0].Match.bExact);
  EXPECT_EQ(Pane->Suggestions()[1].Match.Unit.Target, u"Zu"_s);
  EXPECT_TRUE(Pane->Message().isEmpty());

  TreeOf(Form).setFocus();
  QTest::keyClick(&TreeOf(Form), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(Form.Document().Entries().TranslatedValue(Position), u"Zumachen"_s);
  EXPECT_EQ(MemoOf(Form).toPlainText(), u"Zumachen"_s);
  EXPECT_EQ(ActionNamed(Form, "ActionEditUndo")->text(), u"&Undo Use Suggestion"_s);
  // No third suggestion: its key does nothing.
  QTest::keyClick(&TreeOf(Form), Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(Form.UndoStack().count(), 1);

  QTest::keyClick(&TreeOf(Form), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Form.Document().Entries().TranslatedValue(Position), Before);
  EXPECT_FALSE(Form.UndoStack().canUndo());
}

// Another entry of the project with the same source text gives its
// translation first; the pane, hidden from the View menu, stays hidden in the
// next window.
TEST(MainFormSuggestions, TheProjectsOwnTranslationComesFirstAndHidingIsKept) {
  QTemporaryDir Dir;
  auto FormPtr = OpenWithMemory(Dir, {German(u"Cancel"_s, u"Abbruch"_s)});
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(FocusAndWait(Form, u"Dialog.Options/9"_s, 2));
  auto *Pane = Form.findChild<TSuggestionsPane *>();
  EXPECT_TRUE(Pane->Suggestions()[0].bProject);
  EXPECT_EQ(Pane->Suggestions()[0].Match.Unit.Target, u"Abbrechen"_s);
  EXPECT_FALSE(Pane->Suggestions()[1].bProject);
  EXPECT_EQ(Pane->Suggestions()[1].Match.Unit.Target, u"Abbruch"_s);

  QAction &View = *ActionNamed(Form, "ActionViewSuggestions");
  View.trigger();
  EXPECT_FALSE(Pane->isVisible());
  EXPECT_FALSE(ActionNamed(Form, "ActionEditUseSuggestion1")->isEnabled());
  FormPtr.reset();
  auto Next = NewForm();
  EXPECT_FALSE(ActionNamed(*Next, "ActionViewSuggestions")->isChecked());
  EXPECT_TRUE(Next->findChild<TSuggestionsPane *>()->isHidden());
  ActionNamed(*Next, "ActionViewSuggestions")->trigger();
  EXPECT_FALSE(Next->findChild<TSuggestionsPane *>()->isHidden());
}

} // namespace
