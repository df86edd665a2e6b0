// The grid's filter: which rows each filter shows, how the model's rows,
// parents and moves follow it, and that rows chosen stay until the filter is
// set again.
#include "EntryNavigation.h"
#include "EntryTreeModel.h"
#include "GridTestDocument.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <vector>

namespace {

using TPositions = std::vector<int>;

// The shown rows in tree order, walked through index() and rowCount(); each
// row's index must lead back to its position, parent and row.
TPositions ShownRows(const TEntryTreeModel &Model) {
  TPositions Rows;
  for (int Top = 0; Top < Model.rowCount(); ++Top) {
    const QModelIndex Parent = Model.index(Top, 0);
    Rows.push_back(Model.TreeOrderPosition(Parent));
    EXPECT_EQ(Model.IndexAtTreeOrder(Rows.back()), Parent);
    EXPECT_FALSE(Model.parent(Parent).isValid());
    for (int Row = 0; Row < Model.rowCount(Parent); ++Row) {
      const QModelIndex Child = Model.index(Row, 2, Parent);
      Rows.push_back(Model.TreeOrderPosition(Child));
      EXPECT_EQ(Model.IndexAtTreeOrder(Rows.back(), 2), Child);
      EXPECT_EQ(Child.row(), Row);
      EXPECT_EQ(Model.parent(Child), Parent);
    }
  }
  return Rows;
}

TPositions VisiblePositions(const TEntryTreeModel &Model) {
  TPositions Rows;
  for (int P = 0; P < Model.TreeOrderCount(); ++P) {
    EXPECT_EQ(Model.IsPositionVisible(P), Model.IndexAtTreeOrder(P).isValid()) << P;
    if (Model.IsPositionVisible(P))
      Rows.push_back(P);
  }
  return Rows;
}

int EntriesAmong(const TPositions &Rows) {
  int Entries = 0;
  for (int P : Rows)
    Entries += P != 0 && P != 3 && P != 7;
  return Entries;
}

// See GridTestDocument.h for the positions. Before filtering, the fixture
// translates 2 (Memo1.Text) and edits 5 (Button1.Caption) and undoes that
// edit, so 2 and 5 are changed in this session and 1, 6 and 9 untranslated.
struct TFilterCase {
  const char *Name;
  TEntryStateFilter State;
  const char16_t *Text;
  TPositions Shown;
};

const TFilterCase FilterCases[] = {
    {"All", esfAll, u"", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"Untranslated", esfUntranslated, u"", {0, 1, 3, 6, 7, 9}},
    {"Translated", esfTranslated, u"", {0, 2, 3, 4, 5, 7, 8}},
    // An undone edit still counts as a change.
    {"Changed", esfChanged, u"", {0, 2, 3, 5}},
    // Names of entries, not of components, in any case.
    {"Name", esfAll, u"cAPTION", {0, 1, 3, 4, 5, 6}},
    {"ComponentNameAlone", esfAll, u"Dialog", {}},
    // The display translation's value, and the source value behind it.
    {"DisplayValue", esfAll, u"hauptfenster", {3, 4}},
    {"SourceBehindDisplay", esfAll, u"main window", {3, 4}},
    {"SourceWithoutDisplay", esfAll, u"line2", {3, 6}},
    {"TranslatedValue", esfAll, u"ГЛАВНОЕ", {3, 4}},
    {"Constants", esfAll, u"zweite", {7, 9}},
    // Raw values: one backslash, not the escaped pair the grid shows.
    {"RawNotEscaped", esfAll, u"C:\\Temp", {0, 2}},
    {"EscapedFormFindsNothing", esfAll, u"C:\\\\Temp", {}},
    {"StateAndText", esfUntranslated, u"caption", {0, 1, 3, 6}},
    {"ChangedAndText", esfChanged, u"OK", {3, 5}},
    {"Nothing", esfTranslated, u"second", {}},
};

class EntryFilterTest : public testing::TestWithParam<TFilterCase> {
protected:
  EntryFilterTest() : Doc(SmallSource, SmallTranslation, SmallDisplay), Model(Doc.Document) {
    Model.SetEntriesText({At(2, 3)}, QStringLiteral("C:\\\\Temp"));
    Model.SetEntriesText({At(5, 3)}, QStringLiteral("x"));
    Doc.Document.UndoStack().undo();
  }
  QModelIndex At(int Position, int Column = 0) const {
    return Model.IndexAtTreeOrder(Position, Column);
  }

  TGridTestDocument Doc;
  TEntryTreeModel Model;
};

TEST_P(EntryFilterTest, ShowsTheMatchingEntriesWithTheirParents) {
  const TFilterCase &C = GetParam();
  QAbstractItemModelTester Tester(&Model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QSignalSpy Reset(&Model, &QAbstractItemModel::modelReset);
  const TEntryFilter Filter{C.State, QString::fromUtf16(C.Text)};
  Model.SetFilter(Filter);
  EXPECT_EQ(Reset.count(), 1);
  EXPECT_EQ(Model.Filter(), Filter);
  EXPECT_EQ(Model.IsFiltered(), Filter.IsActive());
  EXPECT_EQ(ShownRows(Model), C.Shown);
  EXPECT_EQ(VisiblePositions(Model), C.Shown);
  EXPECT_EQ(Model.VisibleEntryCount(), EntriesAmong(C.Shown));
  // The child count beside a parent's name counts its shown children.
  for (int Top = 0; Top < Model.rowCount(); ++Top)
    EXPECT_EQ(Model.index(Top, 0).data(TEntryTreeModel::StaticTextRole).toString(),
              QStringLiteral("(%1)").arg(Model.rowCount(Model.index(Top, 0))));

  // Setting no filter shows everything again.
  Model.SetFilter({});
  EXPECT_FALSE(Model.IsFiltered());
  EXPECT_EQ(ShownRows(Model), (TPositions{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Model.VisibleEntryCount(), 7);
}

INSTANTIATE_TEST_SUITE_P(Filters, EntryFilterTest, testing::ValuesIn(FilterCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

class EntryFilterEditing : public EntryFilterTest {};

// Rows are chosen when the filter is set, not after every edit.
TEST_F(EntryFilterEditing, AnEntryThatStopsMatchingStaysUntilTheFilterIsSetAgain) {
  QAbstractItemModelTester Tester(&Model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  Model.SetFilter({esfUntranslated, {}});
  QSignalSpy Changed(&Model, &QAbstractItemModel::dataChanged);
  QSignalSpy Entries(&Model, &TEntryTreeModel::EntriesChanged);
  EXPECT_EQ(Model.setData(At(6, 3), QStringLiteral("Fertig")), true);
  ASSERT_EQ(Changed.count(), 1);
  EXPECT_EQ(Changed.at(0).at(0).value<QModelIndex>(), At(6, 0));
  EXPECT_EQ(At(6).row(), 0);
  EXPECT_EQ(ShownRows(Model), (TPositions{0, 1, 3, 6, 7, 9}));

  Model.SetFilter(Model.Filter());
  EXPECT_EQ(ShownRows(Model), (TPositions{0, 1, 7, 9}));
  EXPECT_FALSE(At(6).isValid());

  // Undoing the edit of the hidden row tells the view of no row, but the
  // counts follow.
  Changed.clear();
  Entries.clear();
  Doc.Document.UndoStack().undo();
  EXPECT_EQ(Changed.count(), 0);
  ASSERT_EQ(Entries.count(), 1);
  EXPECT_TRUE(Entries.at(0).at(0).value<QModelIndexList>().isEmpty());
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 2);

  // Shown siblings that are not adjacent in the table are adjacent rows:
  // one notification for both.
  Model.SetFilter({esfAll, QStringLiteral("in")});
  EXPECT_EQ(ShownRows(Model), (TPositions{3, 4, 6}));
  Changed.clear();
  Model.SetEntriesText({At(4), At(6)}, QStringLiteral("y"));
  ASSERT_EQ(Changed.count(), 1);
  EXPECT_EQ(Changed.at(0).at(0).value<QModelIndex>(), At(4, 0));
  EXPECT_EQ(Changed.at(0).at(1).value<QModelIndex>(), At(6, 3));
  EXPECT_EQ(At(6).row(), 1);
}

TEST_F(EntryFilterEditing, ANewDocumentKeepsTheFilterAndClearDropsItsRows) {
  Model.SetFilter({esfUntranslated, QStringLiteral("caption")});
  Model.Clear();
  EXPECT_FALSE(Model.IsFiltered());
  EXPECT_EQ(Model.rowCount(), 0);
  EXPECT_EQ(Model.VisibleEntryCount(), 0);
  EXPECT_EQ(Model.Filter().Text, QStringLiteral("caption"));

  // A document opened afresh has no changes of this session.
  TGridTestDocument Fresh(SmallSource, SmallTranslation, SmallDisplay);
  Model.SetDocument(Fresh.Document);
  EXPECT_TRUE(Model.IsFiltered());
  EXPECT_EQ(ShownRows(Model), (TPositions{0, 1, 3, 6}));
  Model.SetFilter({esfChanged, {}});
  EXPECT_EQ(ShownRows(Model), TPositions{});
  Fresh.Document.SetValues({1}, QStringLiteral("z"), QStringLiteral("Edit"));
  EXPECT_TRUE(Fresh.Document.ChangedInSession(1));
  Model.Clear();
  Fresh.Document.Close();
  EXPECT_FALSE(Fresh.Document.ChangedInSession(1));
}

// Moves among the rows of the "Untranslated" filter {0, 1, 3, 6, 7, 9} with
// 4 (Form1 Caption) made autotranslated after filtering: it is hidden, so
// the moves to untranslated items pass it by.
TEST_F(EntryFilterEditing, MovesVisitShownRowsOnly) {
  Model.SetFilter({esfUntranslated, {}});
  Doc.Document.ChangeStates({4}, {zrtsAutotranslated}, {}, QStringLiteral("Auto"));
  struct TStep {
    int From, Next, Previous, NextUntranslated, PreviousUntranslated;
  };
  const TStep Steps[] = {
      {-1, 0, 9, 1, -1}, {0, 1, 9, 1, -1}, {1, 3, 0, 6, -1}, {3, 6, 1, 6, 1},
      {6, 7, 3, 9, 1},   {7, 9, 6, 9, 6},  {9, 0, 7, -1, 6},
  };
  const auto Pos = [this](const QModelIndex &I) { return Model.TreeOrderPosition(I); };
  const auto From = [this](int P) { return P < 0 ? QModelIndex() : At(P, 3); };
  for (const TStep &S : Steps) {
    SCOPED_TRACE(S.From);
    EXPECT_EQ(Pos(NextEntryItem(Model, From(S.From))), S.Next);
    EXPECT_EQ(Pos(PreviousEntryItem(Model, From(S.From))), S.Previous);
    EXPECT_EQ(Pos(NextUntranslatedItem(Model, From(S.From))), S.NextUntranslated);
    EXPECT_EQ(Pos(PreviousUntranslatedItem(Model, From(S.From))), S.PreviousUntranslated);
  }
  // Nothing shown: nowhere to go.
  Model.SetFilter({esfAll, QStringLiteral("no such text")});
  EXPECT_FALSE(NextEntryItem(Model, QModelIndex()).isValid());
  EXPECT_FALSE(PreviousEntryItem(Model, QModelIndex()).isValid());
  EXPECT_FALSE(NextUntranslatedItem(Model, QModelIndex()).isValid());
}

} // namespace
