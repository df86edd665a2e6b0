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

using namespace Qt::StringLiterals;

namespace {

TEST(MainFormSuggestions, AMemoryMatchFillsTheFocusedEntryWithCtrl1AndCtrlZUndoesIt) {
  QTemporaryDir Dir;
  for (const char *Name : {"Example.zrlang", "Example.de.lng"})
    ASSERT_TRUE(QFile::copy(Examples + QLatin1StringView(Name), Dir.filePath(QLatin1StringView(Name))));
  {
    TTranslationMemory Memory(DefaultMemoryPath());
    Memory.Add({TMemoryUnit{u"en-US"_s, u"de-DE"_s, u"Close"_s, u"Zumachen"_s, QString(), QString(), 1},
                TMemoryUnit{u"en-US"_s, u"de-DE"_s, u"Closed"_s, u"Zu"_s, QString(), QString(), 1}});
  }
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.show();
  Form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  Form.LoadTranslation(Dir.filePath(u"Example.zrlang"_s), QString(), Dir.filePath(u"Example.de.lng"_s));
  ASSERT_TRUE(Form.HasDocument());
  const int Position = Form.Document().FindEntryKey(u"Dialog.About/5"_s);
  ASSERT_GE(Position, 0);
  ASSERT_EQ(Form.Document().Entries().SourceValue(Position), u"Close"_s);
  const QString Before = Form.Document().Entries().TranslatedValue(Position);

  auto *Pane = Form.findChild<TSuggestionsPane *>();
  ASSERT_NE(Pane, nullptr);
  EXPECT_TRUE(Pane->isVisible());
  SelectEntryNode(TreeOf(Form), ModelOf(Form).IndexAtTreeOrder(Position), false, true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Pane->Suggestions().size() == 2; }));
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
  EXPECT_EQ(Form.Document().UndoStack().count(), 1);

  QTest::keyClick(&TreeOf(Form), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Form.Document().Entries().TranslatedValue(Position), Before);
  EXPECT_FALSE(Form.Document().UndoStack().canUndo());
}

} // namespace
