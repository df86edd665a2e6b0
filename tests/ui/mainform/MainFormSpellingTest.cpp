// Spelling in the main window with the tiny French dictionary of the test's
// configuration folder: underlines in the memo, the context menus of the
// memo and of the grid's editor, Add to Dictionary, and the status bar when
// the language has no dictionary.
#include "MainFormTestSupport.h"

#include "EntryTreeModel.h"
#include "SpellingLineEdit.h"
#include "SpellingMenu.h"
#include "SpellingSession.h"
#include "TinyDictionary.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

// Row 0 [Form1], 1 Caption, 2 Title.
const char SourceText[] = "\xEF\xBB\xBF[Form1]\r\nCaption=1,Open file\r\nTitle=2,Save\r\n";

class MainFormSpellingTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTinyDictionary(qEnvironmentVariable("XDG_CONFIG_HOME"), u"fr_FR"_s));
    QFile::remove(TSpellingSession::PersonalWordListFile(u"fr_FR"_s));
    Write("app.zrlang", SourceText);
  }
  void Write(const char *Name, const QByteArray &Bytes) {
    QFile File(Dir.filePath(QLatin1StringView(Name)));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
  }
  // The window on a translation into LangID whose caption is Caption.
  std::unique_ptr<TTestMainForm> Open(int LangID, const char *Caption = "Open flie") {
    Write("tran.lng", "LANGID=" + QByteArray::number(LangID) +
                          "\r\nSourceLANGID=1033\r\n\r\n[Form1]\r\n00000001=" + Caption +
                          "\r\n00000002=Save\r\n");
    auto Form = NewForm();
    Form->show();
    Form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Form->LoadTranslation(Dir.filePath(u"app.zrlang"_s), QString(), Dir.filePath(u"tran.lng"_s));
    return Form;
  }
  static QModelIndex Caption(QWidget &Form) {
    return ModelOf(Form).index(0, 0, ModelOf(Form).index(0, 0));
  }
  static void Select(QWidget &Form, const QModelIndex &Row) {
    TreeOf(Form).setFocus();
    TreeOf(Form).selectionModel()->setCurrentIndex(Row, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
  }
  // The underlined ranges of the memo's first line, "start/length" each.
  static QString Underlined(QWidget &Form) {
    QStringList Ranges;
    for (const QTextLayout::FormatRange &R :
         MemoOf(Form).document()->firstBlock().layout()->formats())
      if (R.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
        Ranges.append(u"%1/%2"_s.arg(R.start).arg(R.length));
    return Ranges.join(u' ');
  }
  // The context menu that a click at the text position At of the memo opens.
  static QMenu *MemoMenu(QWidget &Form, int At) {
    QPlainTextEdit &Memo = MemoOf(Form);
    QTextCursor Cursor(Memo.document());
    Cursor.setPosition(At);
    const QPoint Point = Memo.cursorRect(Cursor).center();
    QContextMenuEvent Event(QContextMenuEvent::Mouse, Point, Memo.viewport()->mapToGlobal(Point));
    QApplication::sendEvent(Memo.viewport(), &Event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
  }
  static QStringList Items(const QMenu &Menu) {
    QStringList Texts;
    for (const QAction *A : Menu.actions())
      Texts.append(A->isSeparator() ? u"-"_s : A->text());
    return Texts;
  }
  static QAction *Item(QMenu &Menu, const QString &Text) {
    for (QAction *A : Menu.actions())
      if (A->text() == Text)
        return A;
    return nullptr;
  }
  static void Choose(QMenu &Menu, QAction *Action) {
    ASSERT_NE(Action, nullptr);
    Action->trigger();
    Menu.close();
    QCoreApplication::processEvents();
  }

  QTemporaryDir Dir;
};

TEST_F(MainFormSpellingTest, MemoUnderlinesAndItsMenuReplacesTheWordAsTyping) {
  auto Form = Open(1036);
  Select(*Form, Caption(*Form));
  ASSERT_EQ(MemoOf(*Form).toPlainText(), u"Open flie");
  EXPECT_EQ(Underlined(*Form), u"5/4");
  QMenu *Menu = MemoMenu(*Form, 6);
  ASSERT_NE(Menu, nullptr);
  const QStringList Texts = Items(*Menu);
  ASSERT_GE(Texts.size(), 5);
  EXPECT_EQ(Texts[0], u"file");
  EXPECT_LE(Texts.indexOf(u"-"_s), SpellingMenuSuggestions);
  EXPECT_TRUE(Texts.contains(u"Add to &Dictionary"));
  EXPECT_TRUE(Texts.contains(u"I&gnore All"));
  Choose(*Menu, Item(*Menu, u"file"_s));
  EXPECT_EQ(MemoOf(*Form).toPlainText(), u"Open file");
  EXPECT_EQ(ModelOf(*Form).TranslatedValue(Caption(*Form)), u"Open file");
  EXPECT_EQ(Underlined(*Form), u"");
  ActionNamed(*Form, "ActionEditUndo")->trigger();
  EXPECT_EQ(ModelOf(*Form).TranslatedValue(Caption(*Form)), u"Open flie");
  Form->SetModified(false);
}

TEST_F(MainFormSpellingTest, AddToDictionaryKeepsTheWordInThePersonalList) {
  auto Form = Open(1036);
  Select(*Form, Caption(*Form));
  QMenu *Menu = MemoMenu(*Form, 7);
  ASSERT_NE(Menu, nullptr);
  Choose(*Menu, Item(*Menu, u"Add to &Dictionary"_s));
  EXPECT_EQ(Underlined(*Form), u"");
  QFile List(TSpellingSession::PersonalWordListFile(u"fr_FR"_s));
  ASSERT_TRUE(List.open(QIODevice::ReadOnly));
  EXPECT_EQ(List.readAll(), "flie\n");
  // A known word has no spelling items.
  Menu = MemoMenu(*Form, 2);
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(Item(*Menu, u"Add to &Dictionary"_s), nullptr);
  Menu->close();
}

TEST_F(MainFormSpellingTest, GridEditorMenuReplacesTheWordAndKeepsTheAccelerator) {
  auto Form = Open(1036, "Open &flie");
  Select(*Form, Caption(*Form));
  QTest::keyClick(&TreeOf(*Form), Qt::Key_Return);
  auto *Editor = qobject_cast<TSpellingLineEdit *>(QApplication::focusWidget());
  ASSERT_NE(Editor, nullptr);
  Editor->setCursorPosition(8);
  // The menu as a click there builds it; popping it up would take the
  // offscreen window's activation, and with it the editor.
  const std::unique_ptr<QMenu> Menu(
      Editor->CreateContextMenu(Editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()));
  QAction *Suggestion = Item(*Menu, u"file"_s);
  ASSERT_NE(Suggestion, nullptr);
  Suggestion->trigger();
  EXPECT_EQ(Editor->text(), u"Open &file");
  QTest::keyClick(Editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(ModelOf(*Form).TranslatedValue(Caption(*Form)), u"Open &file");
  Form->SetModified(false);
}

TEST_F(MainFormSpellingTest, StatusBarSaysWhenTheLanguageHasNoDictionary) {
  auto Form = Open(1039);
  EXPECT_EQ(Form->statusBar()->currentMessage(),
            u"No spelling dictionary for Icelandic; spelling is not checked.");
  Select(*Form, Caption(*Form));
  EXPECT_EQ(Underlined(*Form), u"");
}

} // namespace
