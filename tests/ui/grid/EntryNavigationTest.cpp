#include "EntryNavigation.h"
#include "EntryTreeModel.h"
#include "GridTestDocument.h"

#include <QTreeView>
#include <gtest/gtest.h>

#include <random>

namespace {

class EntryNavigationTest : public testing::Test {
protected:
  EntryNavigationTest()
      : Doc(SmallSource, SmallTranslation, SmallDisplay),
        Model(Doc.Document) {}

  // -1 stands for no row.
  QModelIndex At(int Position, int Column = 0) const {
    return Position < 0 ? QModelIndex() : Model.IndexAtTreeOrder(Position, Column);
  }
  int Pos(const QModelIndex &Index) const {
    EXPECT_TRUE(!Index.isValid() || Index.column() == 0);
    return Model.TreeOrderPosition(Index);
  }

  TGridTestDocument Doc;
  TEntryTreeModel Model;
};

// Untranslated after opening: 1, 2, 6, 9 (see GridTestDocument.h).
TEST_F(EntryNavigationTest, MovesInTreeOrder) {
  struct TStep {
    int From, Next, Previous, NextUntranslated, PreviousUntranslated;
  };
  const TStep
      Steps[] =
          {
              {-1, 0, 9, 1, -1}, // nothing focused
              {0, 1, 9, 1, -1},  {1, 2, 0, 2, -1}, {2, 3, 1, 6, 1}, {3, 4, 2, 6, 2},
              {5, 6, 4, 6, 2},   {6, 7, 5, 9, 2},  {7, 8, 6, 9, 6}, {8, 9, 7, 9, 6},
              {9, 0, 8, -1, 6}, // last row: Next wraps, Next Untranslated finds nothing
          };
  for (const TStep &S : Steps) {
    SCOPED_TRACE(S.From);
    for (int Column : {0, 3}) {
      const QModelIndex From = At(S.From, Column);
      EXPECT_EQ(Pos(NextEntryItem(Model, From)), S.Next);
      EXPECT_EQ(Pos(PreviousEntryItem(Model, From)), S.Previous);
      EXPECT_EQ(Pos(NextUntranslatedItem(Model, From)), S.NextUntranslated);
      EXPECT_EQ(Pos(PreviousUntranslatedItem(Model, From)), S.PreviousUntranslated);
    }
  }
}

TEST_F(EntryNavigationTest, AutotranslatedCountsAndEditedRowsDrop) {
  Model.ChangeEntryStates({At(4)}, {zrtsAutotranslated}, {});
  EXPECT_EQ(Pos(NextUntranslatedItem(Model, At(3))), 4);
  EXPECT_EQ(Pos(PreviousUntranslatedItem(Model, At(6))), 4);
  Model.setData(At(6, 3), QStringLiteral("done"));
  Model.setData(At(9, 3), QStringLiteral("done"));
  EXPECT_EQ(Pos(NextUntranslatedItem(Model, At(4))), -1);
  EXPECT_EQ(Pos(PreviousUntranslatedItem(Model, At(9))), 4);
  Model.ChangeEntryStates({At(1), At(2), At(4)}, {}, {zrtsUntranslated, zrtsAutotranslated});
  EXPECT_EQ(Pos(NextUntranslatedItem(Model, QModelIndex())), -1);
  EXPECT_EQ(Pos(PreviousUntranslatedItem(Model, At(9))), -1);
  // Moving item by item is not affected.
  EXPECT_EQ(Pos(NextEntryItem(Model, At(9))), 0);
}

TEST(EntryNavigationEmpty, NothingToMoveTo) {
  TEntryTreeModel Model;
  EXPECT_FALSE(NextEntryItem(Model, QModelIndex()).isValid());
  EXPECT_FALSE(PreviousEntryItem(Model, QModelIndex()).isValid());
  EXPECT_FALSE(NextUntranslatedItem(Model, QModelIndex()).isValid());
  EXPECT_FALSE(PreviousUntranslatedItem(Model, QModelIndex()).isValid());
}

// Hundreds of rows across many 64-row words, random states, compared with a
// plain scan from every position.
TEST(EntryNavigationLarge, UntranslatedSearchMatchesAScan) {
  QByteArray Source;
  for (int C = 0; C < 7; ++C) {
    Source += "[Form" + QByteArray::number(C) + "]\n";
    for (int P = 1; P <= 20 + C * 23; ++P)
      Source += "P" + QByteArray::number(P) + "=" + QByteArray::number(P) + ",v\n";
  }
  Source += "[$CONSTANTS]\n";
  for (int K = 0; K < 130; ++K)
    Source += "S" + QByteArray::number(K) + "=c\n";
  TGridTestDocument Doc(Source, "");
  TEntryTreeModel Model(Doc.Document);
  const int N = Model.TreeOrderCount();
  ASSERT_GT(N, 700);

  std::mt19937 Random(7);
  const auto Check = [&] {
    for (int From = -1; From <= N; ++From) {
      int Next = -1, Previous = -1;
      for (int P = From + 1; P < N && Next < 0; ++P)
        if (!Model.GetEntryStates(Model.IndexAtTreeOrder(P)).IsEmpty())
          Next = P;
      for (int P = std::min(From, N) - 1; P >= 0 && Previous < 0; --P)
        if (!Model.GetEntryStates(Model.IndexAtTreeOrder(P)).IsEmpty())
          Previous = P;
      ASSERT_EQ(Model.NextUntranslatedPosition(From), Next) << From;
      ASSERT_EQ(Model.PreviousUntranslatedPosition(From), Previous) << From;
    }
  };
  Check(); // all untranslated
  for (int Round = 0; Round < 5; ++Round) {
    QModelIndexList Clear, Auto;
    for (int P = 0; P < N; ++P) {
      const unsigned R = Random() % 10;
      if (R < (Round < 3 ? 8u : 9u))
        Clear.append(Model.IndexAtTreeOrder(P));
      else if (R == 9)
        Auto.append(Model.IndexAtTreeOrder(P));
    }
    Model.ChangeEntryStates(Clear, {}, {zrtsUntranslated, zrtsAutotranslated});
    Model.ChangeEntryStates(Auto, {zrtsAutotranslated}, {});
    Check();
  }
  QModelIndexList All;
  for (int P = 0; P < N; ++P)
    All.append(Model.IndexAtTreeOrder(P, 2));
  Model.SetEntriesText(All, QStringLiteral("t"));
  EXPECT_EQ(Model.NextUntranslatedPosition(-1), -1);
  EXPECT_EQ(Model.PreviousUntranslatedPosition(N), -1);
  Model.ChangeEntryStates({Model.IndexAtTreeOrder(N - 1)}, {zrtsUntranslated}, {});
  EXPECT_EQ(Model.NextUntranslatedPosition(-1), N - 1);
  EXPECT_EQ(Model.PreviousUntranslatedPosition(N), N - 1);
  EXPECT_EQ(Model.PreviousUntranslatedPosition(N - 1), -1);
}

TEST_F(EntryNavigationTest, SelectNodeMakesTheOnlySelectedAndCurrentRow) {
  QTreeView View;
  View.setSelectionMode(QAbstractItemView::ExtendedSelection);
  View.setSelectionBehavior(QAbstractItemView::SelectRows);
  View.setModel(&Model);
  View.resize(600, 120);
  View.collapseAll();
  View.selectionModel()->select(At(1), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  SelectEntryNode(View, At(8, 2), true, true);
  EXPECT_EQ(View.currentIndex(), At(8));
  const QModelIndexList Selected = View.selectionModel()->selectedRows();
  ASSERT_EQ(Selected.size(), 1);
  EXPECT_EQ(Selected[0], At(8));
  // Scrolling into view opened the parent.
  EXPECT_TRUE(View.isExpanded(At(7)));
  SelectEntryNode(View, QModelIndex(), true, true);
  EXPECT_EQ(View.currentIndex(), At(8));
}

} // namespace
