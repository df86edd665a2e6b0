#include "EntryTreeView.h"
#include "EntryNavigation.h"
#include "EntryTreeDelegate.h"
#include "EntryTreeModel.h"
#include "GridTestDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QHelpEvent>
#include <QTreeView>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the event loop until Condition holds or a second has passed.
bool WaitFor(const std::function<bool()> &Condition) {
  QElapsedTimer Timer;
  Timer.start();
  while (!Condition()) {
    if (Timer.elapsed() > 1000)
      return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class EntryTreeViewTest : public testing::Test {
protected:
  EntryTreeViewTest()
      : Doc(SmallSource, SmallTranslation, SmallDisplay),
        Model(Doc.Document) {
    Delegate = TEntryTreeDelegate::Install(View);
    View.setModel(&Model);
    View.resize(800, 400);
    View.show();
    View.setFocus();
    QCoreApplication::processEvents();
  }

  QModelIndex At(int Position, int Column = 0) const {
    return Model.IndexAtTreeOrder(Position, Column);
  }
  QLineEdit *Editor() const { return View.viewport()->findChild<QLineEdit *>(); }
  // The open editor, if it is the visible one (closed editors are deleted
  // later).
  QLineEdit *OpenEditor() const {
    for (QLineEdit *E : View.viewport()->findChildren<QLineEdit *>())
      if (E->isVisible())
        return E;
    return nullptr;
  }
  void Focus(int Position, int Column = 0) {
    View.selectionModel()->setCurrentIndex(
        At(Position, Column), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  void TypeAndCommit(QLineEdit *Edit, const QString &Text) {
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
    QTest::keyClick(Edit, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return OpenEditor() == nullptr; }));
  }
  TZrLang_PropValueTranslation *Prop(const char *Component, int iID) const {
    return Doc.Translation->FindComponentName(QString::fromLatin1(Component))->FindPropByID(iID);
  }

  TGridTestDocument Doc;
  TEntryTreeModel Model;
  TEntryTreeView View;
  TEntryTreeDelegate *Delegate = nullptr;
};

TEST_F(EntryTreeViewTest, InstallSetsUpTheGrid) {
  EXPECT_EQ(View.itemDelegate(), Delegate);
  EXPECT_EQ(Delegate->parent(), &View);
  EXPECT_TRUE(View.uniformRowHeights());
  EXPECT_EQ(View.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(View.selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_TRUE(View.editTriggers() & QAbstractItemView::EditKeyPressed);
  EXPECT_EQ(View.header()->count(), 4);
  EXPECT_EQ(View.model()->headerData(3, Qt::Horizontal).toString(),
            QStringLiteral("Translated value"));
}

TEST_F(EntryTreeViewTest, ExpandAllShowsEveryRow) {
  View.collapseAll();
  View.expandAll();
  for (int Top = 0; Top < Model.rowCount(); ++Top)
    EXPECT_TRUE(View.isExpanded(Model.index(Top, 0)));
  // Every row is laid out: walking down from the first reaches them all in
  // tree order.
  QModelIndex Row = Model.index(0, 0);
  for (int P = 0; P < Model.TreeOrderCount(); ++P) {
    ASSERT_EQ(Row, At(P));
    Row = View.indexBelow(Row);
  }
  EXPECT_FALSE(Row.isValid());
  View.scrollTo(At(9));
  EXPECT_TRUE(View.visualRect(At(9)).isValid());
  // Rows are at least 20 pixels high at 96 dpi.
  EXPECT_GE(View.visualRect(At(1)).height(), 20 * View.logicalDpiY() / 96);
  // The grid paints without trouble.
  const QPixmap Shot = View.grab();
  EXPECT_FALSE(Shot.isNull());
}

TEST_F(EntryTreeViewTest, F2EditsTheTranslatedValue) {
  View.expandAll();
  QSignalSpy Texts(&Model, &TEntryTreeModel::EntriesChanged);
  Focus(6); // column 0: the editor goes to column 3 all the same
  QTest::keyClick(&View, Qt::Key_F2);
  QLineEdit *Edit = OpenEditor();
  ASSERT_NE(Edit, nullptr);
  EXPECT_EQ(Edit->text(), QStringLiteral("Line1\\nLine2\\tTab"));
  EXPECT_EQ(View.indexAt(Edit->geometry().center()), At(6, 3));
  TypeAndCommit(Edit, QStringLiteral("Zeile 1\\nZeile 2"));
  EXPECT_EQ(Prop("Form1", 5)->wsValue, QStringLiteral("Zeile 1\r\nZeile 2"));
  EXPECT_TRUE(Prop("Form1", 5)->TranStates.IsEmpty());
  EXPECT_EQ(Texts.count(), 1);
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 2);
}

TEST_F(EntryTreeViewTest, EnterOpensTheEditorOnTheCurrentRow) {
  View.expandAll();
  Focus(8, 1);
  QTest::keyClick(&View, Qt::Key_Return);
  QLineEdit *Edit = OpenEditor();
  ASSERT_NE(Edit, nullptr);
  EXPECT_EQ(Edit->text(), QString::fromUtf16(u"Привет"));
  TypeAndCommit(Edit, QStringLiteral("Hallo"));
  const TZrLang_Constant *Hello = Doc.Translation->Constants().FindConstName(u"SHello");
  EXPECT_EQ(Hello->wsValue, QStringLiteral("Hallo"));
  EXPECT_EQ(Hello->wsDefValue, QStringLiteral("Hallo"));

  // Keypad Enter as well; with a modifier it is not an edit request.
  Focus(4);
  QTest::keyClick(&View, Qt::Key_Enter, Qt::ShiftModifier);
  EXPECT_EQ(OpenEditor(), nullptr);
  QTest::keyClick(&View, Qt::Key_Enter, Qt::KeypadModifier);
  ASSERT_NE(OpenEditor(), nullptr);
  QTest::keyClick(OpenEditor(), Qt::Key_Escape);
  EXPECT_TRUE(WaitFor([&] { return OpenEditor() == nullptr; }));
}

TEST_F(EntryTreeViewTest, NoEditorForGroupRowsOrSeveralSelectedRows) {
  View.expandAll();
  Focus(3);
  QTest::keyClick(&View, Qt::Key_Return);
  QTest::keyClick(&View, Qt::Key_F2);
  EXPECT_EQ(OpenEditor(), nullptr);
  Focus(7);
  QTest::keyClick(&View, Qt::Key_F2);
  EXPECT_EQ(OpenEditor(), nullptr);

  Focus(4);
  View.selectionModel()->select(At(5), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keyClick(&View, Qt::Key_F2);
  QTest::keyClick(&View, Qt::Key_Return);
  EXPECT_EQ(OpenEditor(), nullptr);
  // Back to one row: editable again.
  Focus(5);
  QTest::keyClick(&View, Qt::Key_F2);
  EXPECT_NE(OpenEditor(), nullptr);
}

TEST_F(EntryTreeViewTest, AnEditorLeftAloneChangesNothing) {
  View.expandAll();
  QSignalSpy Texts(&Model, &TEntryTreeModel::EntriesChanged);
  Focus(1);
  QTest::keyClick(&View, Qt::Key_F2);
  QLineEdit *Edit = OpenEditor();
  ASSERT_NE(Edit, nullptr);
  QTest::keyClick(Edit, Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return OpenEditor() == nullptr; }));
  EXPECT_EQ(Texts.count(), 0);
  EXPECT_TRUE(Prop("Dialog.About", 1)->TranStates.Contains(zrtsUntranslated));
}

TEST_F(EntryTreeViewTest, RowsKeepTheirExpansionAcrossEdits) {
  View.expandAll();
  Model.SetEntriesText({At(1), At(2), At(9)}, QStringLiteral("x"));
  Model.ChangeEntryStates({At(4)}, {zrtsAutotranslated}, {});
  for (int Top = 0; Top < Model.rowCount(); ++Top)
    EXPECT_TRUE(View.isExpanded(Model.index(Top, 0)));
  // Reset on a new document.
  Model.SetDocument(Doc.Document);
  EXPECT_FALSE(View.isExpanded(Model.index(0, 0)));
}

TEST_F(EntryTreeViewTest, HeaderColumnsPublishTheCaptionsAsTextProperties) {
  QObject *Header = View.property("Header").value<QObject *>();
  ASSERT_NE(Header, nullptr);
  EXPECT_EQ(Header->parent(), &View);
  const QObjectList Columns = Header->property("Columns").value<QObjectList>();
  ASSERT_EQ(Columns.size(), 4);
  const QStringList English = {QStringLiteral("Component/Property/Constant"), QStringLiteral("ID"),
                               QStringLiteral("Default value"), QStringLiteral("Translated value")};
  for (int C = 0; C < 4; ++C)
    EXPECT_EQ(Columns[C]->property("Text").toString(), English[C]);
  Columns[2]->setProperty("Text", QStringLiteral("Standardwert"));
  EXPECT_EQ(Model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Standardwert"));
  EXPECT_EQ(View.header()->model()->headerData(2, Qt::Horizontal).toString(),
            QStringLiteral("Standardwert"));
}

struct TSearchCase {
  int From;
  const char *Typed; // letters typed one by one, quickly
  int Found;         // tree position selected afterwards
};

class EntryTreeViewSearch : public EntryTreeViewTest,
                            public testing::WithParamInterface<TSearchCase> {};

TEST_P(EntryTreeViewSearch, TypingFindsNamesInAllRowsEvenCollapsed) {
  const int Interval = QApplication::keyboardInputInterval();
  QApplication::setKeyboardInputInterval(60000);
  View.collapseAll();
  Focus(GetParam().From);
  View.keyboardSearch(QString()); // nothing happens
  for (const char *C = GetParam().Typed; *C; ++C)
    View.keyboardSearch(QString(QChar::fromLatin1(*C)));
  QApplication::setKeyboardInputInterval(Interval);
  EXPECT_EQ(Model.TreeOrderPosition(View.currentIndex()), GetParam().Found);
  EXPECT_EQ(View.selectionModel()->selectedRows().size(), 1);
  if (const QModelIndex Parent = View.currentIndex().parent(); Parent.isValid()) {
    EXPECT_TRUE(View.isExpanded(Parent));
  }
}
// Names: 0 Dialog.About, 1 Caption, 2 Memo1.Text, 3 Form1, 4 Caption,
// 5 Button1.Caption, 6 Label1.Caption, 7 Constants, 8 SHello, 9 SMulti.
INSTANTIATE_TEST_SUITE_P(Names, EntryTreeViewSearch,
                         testing::Values(TSearchCase{0, "la", 6}, TSearchCase{0, "LABEL1.c", 6},
                                         TSearchCase{0, "sm", 9}, TSearchCase{9, "c", 1},
                                         TSearchCase{1, "c", 4}, TSearchCase{4, "ca", 1},
                                         TSearchCase{0, "zz", 0}, TSearchCase{3, "form", 3},
                                         TSearchCase{8, "s", 9}));

TEST_F(EntryTreeViewTest, ASearchTypedLaterStartsAfresh) {
  const int Interval = QApplication::keyboardInputInterval();
  QApplication::setKeyboardInputInterval(0);
  Focus(0);
  View.keyboardSearch(QStringLiteral("s"));
  EXPECT_EQ(Model.TreeOrderPosition(View.currentIndex()), 8);
  View.keyboardSearch(QStringLiteral("s"));
  EXPECT_EQ(Model.TreeOrderPosition(View.currentIndex()), 9);
  View.keyboardSearch(QStringLiteral("s"));
  EXPECT_EQ(Model.TreeOrderPosition(View.currentIndex()), 8);
  QApplication::setKeyboardInputInterval(Interval);
}

TEST_F(EntryTreeViewTest, GroupRowsCarryTheirColourIntoTheIndentation) {
  View.expandAll();
  Focus(5);
  QCoreApplication::processEvents();
  const QImage Shot = View.viewport()->grab().toImage();
  const auto IndentPixel = [&](int Position) {
    const QRect R = View.visualRect(At(Position));
    return Shot.pixelColor(2, R.center().y());
  };
  EXPECT_EQ(IndentPixel(0), QColor(0xEC, 0xE5, 0xFF));
  EXPECT_EQ(IndentPixel(7), QColor(0xFF, 0xEA, 0xEA));
  EXPECT_NE(IndentPixel(4), QColor(0xEC, 0xE5, 0xFF));
}

// A row that cannot be translated says why in its tooltip, over any cell.
TEST(EntryTreeViewTips, NonPositiveIDRowExplainsItself) {
  TGridTestDocument Doc("[Form1]\nCaption=Hello\nOk=00000003,OK\n", "");
  TEntryTreeModel Model(Doc.Document);
  TEntryTreeView View;
  TEntryTreeDelegate *Delegate = TEntryTreeDelegate::Install(View);
  View.setModel(&Model);
  View.resize(800, 400);
  View.expandAll();
  View.show();
  QCoreApplication::processEvents();
  const auto TipAt = [&](int Position) {
    const QModelIndex Index = Model.IndexAtTreeOrder(Position, TEntryTreeModel::ecTranslatedValue);
    const QRect Rect = View.visualRect(Index);
    QHelpEvent Event(QEvent::ToolTip, Rect.center(), View.viewport()->mapToGlobal(Rect.center()));
    QStyleOptionViewItem Option;
    Option.rect = Rect;
    Option.font = View.font();
    return Delegate->helpEvent(&Event, &View, Option, Index) ? QToolTip::text() : QString();
  };
  EXPECT_EQ(TipAt(1), Model.IndexAtTreeOrder(1, 3).data(Qt::ToolTipRole).toString());
  EXPECT_FALSE(TipAt(1).isEmpty());
  EXPECT_EQ(TipAt(2), QString()); // a short text that fits gets none
}

} // namespace
