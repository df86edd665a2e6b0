#include "EntryTreeModel.h"
#include "GridTestDocument.h"
#include "Images.h"
#include "LanguageManager.h"
#include "TranslationSupport.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFont>
#include <QIcon>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <set>

namespace {

QString Text(const QModelIndex &Index, int Role = Qt::DisplayRole) {
  return Index.data(Role).toString();
}

bool SameIcon(const QVariant &Value, int ImageIndex) {
  return Value.canConvert<QIcon>() &&
         Value.value<QIcon>().cacheKey() == ImageListIcon(ImageIndex).cacheKey();
}

bool IsBold(const QModelIndex &Index) {
  const QVariant F = Index.data(Qt::FontRole);
  return F.isValid() && F.value<QFont>().bold();
}

QColor Background(const QModelIndex &Index) {
  const QVariant B = Index.data(Qt::BackgroundRole);
  return B.isValid() ? B.value<QBrush>().color() : QColor();
}

void ExpectCountsEqual(const TTranslationCounts &A, const TTranslationCounts &B) {
  EXPECT_EQ(A.Components, B.Components);
  EXPECT_EQ(A.Properties, B.Properties);
  EXPECT_EQ(A.UntranslatedProperties, B.UntranslatedProperties);
  EXPECT_EQ(A.Constants, B.Constants);
  EXPECT_EQ(A.UntranslatedConstants, B.UntranslatedConstants);
}

class EntryTreeModelTest : public testing::Test {
protected:
  EntryTreeModelTest()
      : Doc(SmallSource, SmallTranslation, SmallDisplay),
        Model(Doc.Document) {}

  QModelIndex At(int Position, int Column = 0) const {
    return Model.IndexAtTreeOrder(Position, Column);
  }
  TZrLang_PropValueTranslation *Prop(const char *Component, int iID) const {
    return Doc.Translation->FindComponentName(QString::fromLatin1(Component))->FindPropByID(iID);
  }
  TZrLang_Constant *Const(const char *Name) const {
    return Doc.Translation->Constants().FindConstName(QString::fromLatin1(Name));
  }

  TGridTestDocument Doc;
  TEntryTreeModel Model;
};

TEST_F(EntryTreeModelTest, PassesTheModelTester) {
  QAbstractItemModelTester Tester(&Model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  Model.Clear();
  Model.SetDocument(Doc.Document);
  Model.SetEntriesText({At(1)}, QStringLiteral("x"));
  EXPECT_EQ(Model.rowCount(), 3);
}

TEST_F(EntryTreeModelTest, RowsFollowTheSourceInTreeOrder) {
  ASSERT_EQ(Model.rowCount(), 3);
  ASSERT_EQ(Model.TreeOrderCount(), 10);
  EXPECT_EQ(Model.columnCount(), 4);
  const QModelIndex About = Model.index(0, 0), Form1 = Model.index(1, 0),
                    Consts = Model.index(2, 0);
  EXPECT_EQ(Model.rowCount(About), 2);
  EXPECT_EQ(Model.rowCount(Form1), 3);
  EXPECT_EQ(Model.rowCount(Consts), 2);
  EXPECT_FALSE(Model.hasChildren(Model.index(0, 0, Form1)));
  EXPECT_EQ(Model.rowCount(Model.index(0, 0, Form1)), 0);

  const TNodeKind Kinds[] = {nkComponent, nkProperty, nkProperty,  nkComponent, nkProperty,
                             nkProperty,  nkProperty, nkConstants, nkConstant,  nkConstant};
  for (int P = 0; P < 10; ++P) {
    SCOPED_TRACE(P);
    const QModelIndex I = At(P);
    EXPECT_EQ(Model.GetNodeKind(I), Kinds[P]);
    EXPECT_EQ(Model.GetNodeKind(I.siblingAtColumn(3)), Kinds[P]);
    EXPECT_EQ(Model.TreeOrderPosition(I), P);
    EXPECT_EQ(Model.TreeOrderPosition(I.siblingAtColumn(2)), P);
    EXPECT_EQ(I.data(TEntryTreeModel::NodeKindRole).toInt(), int(Kinds[P]));
    // The index is the one the tree's navigation gives.
    EXPECT_EQ(Model.index(I.row(), 0, I.parent()), I);
  }
  EXPECT_EQ(Model.parent(At(4)), Form1);
  EXPECT_EQ(Model.parent(At(9, 3)), Consts);
  EXPECT_FALSE(Model.parent(Form1).isValid());
  EXPECT_EQ(Model.GetNodeKind(QModelIndex()), nkNone);
  EXPECT_FALSE(Model.index(3, 0).isValid());
  EXPECT_FALSE(Model.index(0, 4).isValid());
  EXPECT_FALSE(Model.index(2, 0, About).isValid());
  EXPECT_FALSE(Model.index(0, 0, Form1.siblingAtColumn(1)).isValid());
  EXPECT_EQ(Model.rowCount(Form1.siblingAtColumn(1)), 0);
}

TEST_F(EntryTreeModelTest, RowsReferToTheDocumentRecords) {
  const TNodeData *Component = Model.GetNodeData(At(3));
  ASSERT_NE(Component, nullptr);
  EXPECT_EQ(Component->Source, Doc.Source->ComponentSources().Items(1));
  EXPECT_EQ(Component->Translation, Doc.Translation->FindComponentName(u"Form1"));
  EXPECT_EQ(Component->Display, Doc.Display->FindComponentName(u"Form1"));
  // No display record for a component the display translation lacks.
  EXPECT_EQ(Model.GetNodeData(At(0))->Display, nullptr);

  const TNodeData *Property = Model.GetNodeData(At(4, 2));
  EXPECT_EQ(Property->Kind, nkProperty);
  EXPECT_EQ(Property->Source, Doc.Source->ComponentSources().Items(1)->PropertySources().Items(0));
  EXPECT_EQ(Property->Translation, Prop("Form1", 1));
  EXPECT_EQ(Property->Display, Doc.Display->FindComponentName(u"Form1")->FindPropByID(1));
  EXPECT_EQ(Model.GetNodeData(At(5))->Display, nullptr);

  const TNodeData *Constant = Model.GetNodeData(At(9));
  EXPECT_EQ(Constant->Source, Doc.Source->Constants().FindConstName(u"SMulti"));
  EXPECT_EQ(Constant->Translation, Const("SMulti"));
  EXPECT_EQ(Constant->Display, Doc.Display->Constants().FindConstName(u"SMulti"));
  EXPECT_EQ(Model.GetNodeData(At(8))->Display, nullptr);

  const TNodeData *Group = Model.GetNodeData(At(7));
  EXPECT_EQ(Group->Source, nullptr);
  EXPECT_EQ(Group->Translation, nullptr);
}

TEST_F(EntryTreeModelTest, InternalPointersAreRowRecordsNotNumbers) {
  std::set<quintptr> Ids;
  for (int P = 0; P < Model.TreeOrderCount(); ++P) {
    const quintptr Id = At(P).internalId();
    EXPECT_GT(Id, quintptr(0x10000));
    Ids.insert(Id);
    EXPECT_EQ(At(P, 3).internalId(), Id);
  }
  EXPECT_EQ(Ids.size(), size_t(Model.TreeOrderCount()));
}

TEST_F(EntryTreeModelTest, TextsOfEveryColumn) {
  struct TRow {
    int Position;
    const char16_t *Columns[4];
  };
  const TRow Rows[] = {
      {0, {u"Dialog.About", u"", u"", u""}},
      {1, {u"Caption", u"1", u"About", u"About"}},
      {2, {u"Memo1.Text", u"3", u"Path C:\\\\Temp", u"Path C:\\\\Temp"}},
      {3, {u"Form1", u"", u"", u""}},
      // The display translation's value replaces the source's.
      {4, {u"Caption", u"1", u"Hauptfenster", u"Главное окно"}},
      {5, {u"Button1.Caption", u"2", u"&OK", u"&ОК"}},
      {6, {u"Label1.Caption", u"5", u"Line1\\nLine2\\tTab", u"Line1\\nLine2\\tTab"}},
      {8, {u"SHello", u"", u"Hello", u"Привет"}},
      {9, {u"SMulti", u"", u"Erste\\nZweite", u"First\\nSecond"}},
  };
  for (const TRow &R : Rows)
    for (int C = 0; C < 4; ++C) {
      SCOPED_TRACE(testing::Message() << "row " << R.Position << " column " << C);
      EXPECT_EQ(Text(At(R.Position, C)), QString::fromUtf16(R.Columns[C]));
      EXPECT_EQ(Text(At(R.Position, C), Qt::EditRole), QString::fromUtf16(R.Columns[C]));
    }
  EXPECT_EQ(Text(At(7)), LangConstant(u"SCaptionConstantsNode"));
  EXPECT_EQ(Text(At(7)), QStringLiteral("Constants"));

  // The child counts follow the names of top-level rows.
  EXPECT_EQ(Text(At(0), TEntryTreeModel::StaticTextRole), QStringLiteral("(2)"));
  EXPECT_EQ(Text(At(3), TEntryTreeModel::StaticTextRole), QStringLiteral("(3)"));
  EXPECT_EQ(Text(At(7), TEntryTreeModel::StaticTextRole), QStringLiteral("(2)"));
  EXPECT_FALSE(At(4).data(TEntryTreeModel::StaticTextRole).isValid());
  EXPECT_FALSE(At(3, 1).data(TEntryTreeModel::StaticTextRole).isValid());

  // Raw values for the memos.
  EXPECT_EQ(Model.SourceValue(At(6)), QStringLiteral("Line1\r\nLine2\tTab"));
  EXPECT_EQ(Model.SourceValue(At(4, 3)), QStringLiteral("Main window"));
  EXPECT_EQ(Model.SourceValue(At(9)), QStringLiteral("First\r\nSecond"));
  EXPECT_EQ(Model.TranslatedValue(At(9)), QStringLiteral("First\r\nSecond"));
  EXPECT_EQ(Model.TranslatedValue(At(8)), QString::fromUtf16(u"Привет"));
  EXPECT_TRUE(Model.SourceValue(At(3)).isEmpty());
  EXPECT_TRUE(Model.TranslatedValue(At(7)).isEmpty());
}

TEST_F(EntryTreeModelTest, WithoutDisplayTranslationTheSourceValuesShow) {
  TGridTestDocument Undisplayed(SmallSource, SmallTranslation);
  TEntryTreeModel Plain(Undisplayed.Document);
  EXPECT_EQ(Text(Plain.IndexAtTreeOrder(4, 2)), QStringLiteral("Main window"));
  EXPECT_EQ(Text(Plain.IndexAtTreeOrder(9, 2)), QStringLiteral("First\\nSecond"));
  EXPECT_EQ(Plain.GetNodeData(Plain.IndexAtTreeOrder(4))->Display, nullptr);
}

TEST_F(EntryTreeModelTest, HeaderCaptionsCanBeTranslated) {
  EXPECT_EQ(Model.headerData(0, Qt::Horizontal).toString(),
            QStringLiteral("Component/Property/Constant"));
  EXPECT_EQ(Model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("ID"));
  EXPECT_EQ(Model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Default value"));
  EXPECT_EQ(Model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Translated value"));
  QSignalSpy Spy(&Model, &QAbstractItemModel::headerDataChanged);
  Model.SetColumnCaption(2, QStringLiteral("Standardwert"));
  Model.SetColumnCaption(2, QStringLiteral("Standardwert"));
  EXPECT_EQ(Spy.count(), 1);
  EXPECT_EQ(Model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Standardwert"));
  EXPECT_EQ(Model.ColumnCaption(2), QStringLiteral("Standardwert"));
}

TEST_F(EntryTreeModelTest, IconsByKindAndState) {
  EXPECT_TRUE(SameIcon(At(0).data(Qt::DecorationRole), iiComponent));
  EXPECT_TRUE(SameIcon(At(1).data(Qt::DecorationRole), iiProperty));
  EXPECT_TRUE(SameIcon(At(7).data(Qt::DecorationRole), iiConstants));
  EXPECT_TRUE(SameIcon(At(8).data(Qt::DecorationRole), iiConstant));
  // Column 3: untranslated or not; rows without states count as translated.
  EXPECT_TRUE(SameIcon(At(1, 3).data(Qt::DecorationRole), iiUntranslated));
  EXPECT_TRUE(SameIcon(At(4, 3).data(Qt::DecorationRole), iiTranslated));
  EXPECT_TRUE(SameIcon(At(9, 3).data(Qt::DecorationRole), iiUntranslated));
  EXPECT_TRUE(SameIcon(At(8, 3).data(Qt::DecorationRole), iiTranslated));
  EXPECT_TRUE(SameIcon(At(0, 3).data(Qt::DecorationRole), iiTranslated));
  EXPECT_TRUE(SameIcon(At(7, 3).data(Qt::DecorationRole), iiTranslated));
  for (int C : {1, 2})
    EXPECT_FALSE(At(4, C).data(Qt::DecorationRole).isValid());

  // An autotranslated entry marked translated: icon 1, still bold.
  Model.ChangeEntryStates({At(6)}, {zrtsAutotranslated}, {});
  Model.ChangeEntryStates({At(6)}, {}, {zrtsUntranslated});
  EXPECT_TRUE(SameIcon(At(6, 3).data(Qt::DecorationRole), iiTranslated));
  EXPECT_TRUE(IsBold(At(6, 3)));
}

TEST_F(EntryTreeModelTest, ColoursAndBoldText) {
  const QColor Component(0xEC, 0xE5, 0xFF), Constants(0xFF, 0xEA, 0xEA), Grey(0xF0, 0xF0, 0xF0);
  for (int C = 0; C < 4; ++C) {
    EXPECT_EQ(Background(At(0, C)), Component);
    EXPECT_EQ(Background(At(7, C)), Constants);
    EXPECT_TRUE(IsBold(At(3, C)));
    EXPECT_TRUE(IsBold(At(7, C)));
  }
  for (int C = 0; C < 3; ++C) {
    EXPECT_FALSE(Background(At(1, C)).isValid());
    EXPECT_FALSE(IsBold(At(1, C)));
    EXPECT_FALSE(IsBold(At(9, C)));
  }
  EXPECT_EQ(Background(At(1, 3)), Grey);
  EXPECT_EQ(Background(At(9, 3)), Grey);
  EXPECT_FALSE(Background(At(4, 3)).isValid());
  EXPECT_TRUE(IsBold(At(1, 3)));
  EXPECT_FALSE(IsBold(At(4, 3)));

  // Autotranslated alone: bold, no grey.
  Model.ChangeEntryStates({At(4)}, {zrtsAutotranslated}, {});
  EXPECT_TRUE(IsBold(At(4, 3)));
  EXPECT_FALSE(Background(At(4, 3)).isValid());
}

TEST_F(EntryTreeModelTest, OnlyTheTranslatedValueOfEntriesIsEditable) {
  for (int P = 0; P < Model.TreeOrderCount(); ++P)
    for (int C = 0; C < 4; ++C) {
      SCOPED_TRACE(testing::Message() << "row " << P << " column " << C);
      const Qt::ItemFlags F = Model.flags(At(P, C));
      EXPECT_TRUE(F & Qt::ItemIsSelectable);
      EXPECT_TRUE(F & Qt::ItemIsEnabled);
      EXPECT_EQ(bool(F & Qt::ItemIsEditable), C == 3 && Model.IsEntry(At(P)));
      // An edit of any cell of an entry row goes to its translated value.
      EXPECT_EQ(Model.buddy(At(P, C)), Model.IsEntry(At(P)) ? At(P, 3) : At(P, C));
    }
}

TEST_F(EntryTreeModelTest, SetDataDecodesAndClearsBothStates) {
  QSignalSpy Texts(&Model, &TEntryTreeModel::EntriesChanged);
  QSignalSpy Changed(&Model, &QAbstractItemModel::dataChanged);
  Model.ChangeEntryStates({At(6)}, {zrtsAutotranslated}, {});
  Changed.clear();
  Texts.clear();

  EXPECT_TRUE(Model.setData(At(6, 3), QStringLiteral("Zeile\\nzwei\\tTab\\\\")));
  EXPECT_EQ(Prop("Form1", 5)->wsValue, QStringLiteral("Zeile\r\nzwei\tTab\\"));
  EXPECT_TRUE(Prop("Form1", 5)->TranStates.IsEmpty());
  EXPECT_EQ(Text(At(6, 3)), QStringLiteral("Zeile\\nzwei\\tTab\\\\"));
  ASSERT_EQ(Texts.count(), 1);
  const auto Rows = Texts.at(0).at(0).value<QModelIndexList>();
  ASSERT_EQ(Rows.size(), 1);
  EXPECT_EQ(Rows[0], At(6, 3));
  ASSERT_EQ(Changed.count(), 1);
  EXPECT_EQ(Changed.at(0).at(0).value<QModelIndex>(), At(6, 0));
  EXPECT_EQ(Changed.at(0).at(1).value<QModelIndex>(), At(6, 3));

  // A constant takes the text as value and default.
  EXPECT_TRUE(Model.setData(At(9, 3), QStringLiteral("Eins\\nZwei")));
  EXPECT_EQ(Const("SMulti")->wsValue, QStringLiteral("Eins\r\nZwei"));
  EXPECT_EQ(Const("SMulti")->wsDefValue, QStringLiteral("Eins\r\nZwei"));
  EXPECT_TRUE(Const("SMulti")->TranStates.IsEmpty());
  // The source is untouched.
  EXPECT_EQ(Doc.Source->Constants().FindConstName(u"SMulti")->wsDefValue,
            QStringLiteral("First\r\nSecond"));

  // Refused: other columns, other roles, rows that are not entries.
  EXPECT_FALSE(Model.setData(At(4, 2), QStringLiteral("x")));
  EXPECT_FALSE(Model.setData(At(4, 3), QStringLiteral("x"), Qt::DisplayRole));
  EXPECT_FALSE(Model.setData(At(3, 3), QStringLiteral("x")));
  EXPECT_FALSE(Model.setData(At(7, 3), QStringLiteral("x")));
  EXPECT_FALSE(Model.setData(QModelIndex(), QStringLiteral("x")));
  EXPECT_EQ(Texts.count(), 2);
}

TEST_F(EntryTreeModelTest, CountsFollowEdits) {
  ExpectCountsEqual(Model.Counts(), CountTranslationEntries(*Doc.Source, *Doc.Translation));
  EXPECT_EQ(Model.Counts().Components, 2);
  EXPECT_EQ(Model.Counts().Properties, 5);
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 3);
  EXPECT_EQ(Model.Counts().Constants, 2);
  EXPECT_EQ(Model.Counts().UntranslatedConstants, 1);

  Model.setData(At(1, 3), QStringLiteral("Info"));
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 2);
  Model.setData(At(1, 3), QStringLiteral("Info 2"));
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 2);
  Model.setData(At(9, 3), QString());
  EXPECT_EQ(Model.Counts().UntranslatedConstants, 0);
  ExpectCountsEqual(Model.Counts(), CountTranslationEntries(*Doc.Source, *Doc.Translation));

  // Autotranslated entries do not count as untranslated.
  Model.ChangeEntryStates({At(4), At(8)}, {zrtsAutotranslated}, {});
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 2);
  EXPECT_EQ(Model.Counts().UntranslatedConstants, 0);
  Model.ChangeEntryStates({At(4), At(8), At(5)}, {zrtsUntranslated}, {zrtsAutotranslated});
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 4);
  EXPECT_EQ(Model.Counts().UntranslatedConstants, 1);
  ExpectCountsEqual(Model.Counts(), CountTranslationEntries(*Doc.Source, *Doc.Translation));

  // Undoing every step gives the counts of the records back.
  while (Doc.Document.UndoStack().canUndo()) {
    Doc.Document.UndoStack().undo();
    ExpectCountsEqual(Model.Counts(), CountTranslationEntries(*Doc.Source, *Doc.Translation));
  }
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 3);
}

TEST_F(EntryTreeModelTest, OneTextForManyRows) {
  QSignalSpy Texts(&Model, &TEntryTreeModel::EntriesChanged);
  QSignalSpy Changed(&Model, &QAbstractItemModel::dataChanged);
  // Any column, rows more than once, rows that are not entries.
  const QModelIndexList Rows = {At(2, 1), At(0), At(1, 0), At(1, 3), At(6, 2), At(7), At(9)};
  EXPECT_EQ(Model.SetEntriesText(Rows, QStringLiteral("A\\tB")), 4);
  for (const auto *P : {Prop("Dialog.About", 1), Prop("Dialog.About", 3), Prop("Form1", 5)}) {
    EXPECT_EQ(P->wsValue, QStringLiteral("A\tB"));
    EXPECT_TRUE(P->TranStates.IsEmpty());
  }
  EXPECT_EQ(Const("SMulti")->wsDefValue, QStringLiteral("A\tB"));
  EXPECT_EQ(Prop("Form1", 1)->wsValue, QString::fromUtf16(u"Главное окно"));
  ASSERT_EQ(Texts.count(), 1);
  const auto Reported = Texts.at(0).at(0).value<QModelIndexList>();
  EXPECT_EQ(Reported, (QModelIndexList{At(1, 3), At(2, 3), At(6, 3), At(9, 3)}));
  // One notification per run of adjacent siblings: 1-2, 6, 9.
  EXPECT_EQ(Changed.count(), 3);
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 0);
  EXPECT_EQ(Model.Counts().UntranslatedConstants, 0);

  EXPECT_EQ(Model.SetEntriesText({At(0), At(7)}, QStringLiteral("x")), 0);
  EXPECT_EQ(Texts.count(), 1);
}

TEST_F(EntryTreeModelTest, ChangeEntryStatesAddsThenRemoves) {
  QSignalSpy States(&Model, &TEntryTreeModel::EntriesChanged);
  EXPECT_EQ(Model.ChangeEntryStates({At(4), At(5), At(3)}, {zrtsAutotranslated}, {}), 2);
  EXPECT_EQ(Model.GetEntryStates(At(4)), (TZrLang_TranslationStates{zrtsAutotranslated}));
  EXPECT_EQ(At(5).data(TEntryTreeModel::EntryStatesRole).toInt(), 2);
  // Mark Item Translated keeps the autotranslated state.
  Model.ChangeEntryStates({At(1), At(4)}, {zrtsUntranslated}, {});
  EXPECT_EQ(Model.GetEntryStates(At(4)),
            (TZrLang_TranslationStates{zrtsUntranslated, zrtsAutotranslated}));
  EXPECT_EQ(Model.ChangeEntryStates({At(4), At(1)}, {}, {zrtsUntranslated}), 2);
  EXPECT_EQ(Model.GetEntryStates(At(4)), (TZrLang_TranslationStates{zrtsAutotranslated}));
  EXPECT_TRUE(Model.GetEntryStates(At(1)).IsEmpty());
  // Nothing changes: no signal.
  EXPECT_EQ(Model.ChangeEntryStates({At(1)}, {}, {zrtsUntranslated}), 0);
  EXPECT_EQ(States.count(), 3);
  // Add and remove the same state: removal wins.
  Model.ChangeEntryStates({At(8)}, {zrtsUntranslated}, {zrtsUntranslated});
  EXPECT_TRUE(Model.GetEntryStates(At(8)).IsEmpty());
  EXPECT_TRUE(Model.GetEntryStates(At(3)).IsEmpty());
  EXPECT_TRUE(Model.GetEntryStates(At(7)).IsEmpty());
}

TEST(EntryTreeModelShapes, NoConstantsMeansNoConstantsRow) {
  TGridTestDocument Doc("[Form1]\nCaption=00000001,Hi\n", "");
  TEntryTreeModel Model(Doc.Document);
  EXPECT_EQ(Model.rowCount(), 1);
  EXPECT_EQ(Model.TreeOrderCount(), 2);
  EXPECT_EQ(Model.GetNodeKind(Model.index(0, 0)), nkComponent);
  EXPECT_EQ(Model.Counts().Constants, 0);
}

TEST(EntryTreeModelShapes, OnlyConstantsShowsOnlyTheConstantsRow) {
  TGridTestDocument Doc("[$CONSTANTS]\nSA=a\nSB=b\n", "");
  TEntryTreeModel Model(Doc.Document);
  ASSERT_EQ(Model.rowCount(), 1);
  EXPECT_EQ(Model.GetNodeKind(Model.index(0, 0)), nkConstants);
  EXPECT_EQ(Model.rowCount(Model.index(0, 0)), 2);
  EXPECT_EQ(Model.Counts().UntranslatedConstants, 2);
}

TEST(EntryTreeModelShapes, EmptyComponentAndEmptySource) {
  TGridTestDocument Doc("[Empty]\n[Form1]\nCaption=00000001,Hi\n", "");
  TEntryTreeModel Model(Doc.Document);
  ASSERT_EQ(Model.rowCount(), 2);
  EXPECT_FALSE(Model.hasChildren(Model.index(0, 0)));
  EXPECT_EQ(Model.index(0, 0, Model.index(1, 0)).data().toString(), QStringLiteral("Caption"));

  TGridTestDocument Nothing("; nothing\n", "");
  TEntryTreeModel Empty(Nothing.Document);
  EXPECT_EQ(Empty.rowCount(), 0);
  EXPECT_EQ(Empty.TreeOrderCount(), 0);
  EXPECT_EQ(Empty.NextUntranslatedPosition(-1), -1);
  EXPECT_EQ(Empty.PreviousUntranslatedPosition(0), -1);
}

TEST(EntryTreeModelShapes, ComponentsOfOneNameShareTheFirstTranslation) {
  TGridTestDocument Doc("[Form1]\nCaption=00000001,A\n[FORM1]\nCaption=00000001,B\n", "");
  TEntryTreeModel Model(Doc.Document);
  ASSERT_EQ(Model.rowCount(), 2);
  EXPECT_EQ(Model.GetNodeData(Model.index(0, 0))->Translation,
            Model.GetNodeData(Model.index(1, 0))->Translation);
  EXPECT_EQ(Model.GetNodeData(Model.index(0, 0))->Translation, Doc.Translation->Items(0));
}

// Entries whose source ID is 0 or negative cannot be stored in a translation
// file: shown, but read-only, explained, and not counted or visited.
TEST(EntryTreeModelShapes, NonPositiveIDsAreReadOnly) {
  TGridTestDocument Doc("[Form1]\nCaption=Hello\nHint=-5,Tip\nOk=00000003,OK\n", "");
  TEntryTreeModel Model(Doc.Document);
  ASSERT_EQ(Model.TreeOrderCount(), 4); // Form1, Hint (-5), Caption (0), Ok (3)
  const QModelIndex Hint = Model.IndexAtTreeOrder(1, 3), Caption = Model.IndexAtTreeOrder(2, 3),
                    Ok = Model.IndexAtTreeOrder(3, 3);
  EXPECT_FALSE(Model.flags(Hint) & Qt::ItemIsEditable);
  EXPECT_FALSE(Model.flags(Caption) & Qt::ItemIsEditable);
  EXPECT_TRUE(Model.flags(Ok) & Qt::ItemIsEditable);
  for (int Column = 0; Column < 4; ++Column)
    EXPECT_EQ(Text(Model.IndexAtTreeOrder(1, Column), Qt::ToolTipRole),
              LangConstantFmt(u"SHintNonPositiveID", {-5}));
  EXPECT_FALSE(Model.IndexAtTreeOrder(3, 3).data(Qt::ToolTipRole).isValid());
  EXPECT_EQ(Text(Model.IndexAtTreeOrder(2, 1)), QStringLiteral("0"));

  EXPECT_EQ(Model.Counts().Properties, 3);
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 1);
  ExpectCountsEqual(Model.Counts(), CountTranslationEntries(*Doc.Source, *Doc.Translation));
  EXPECT_EQ(Model.NextUntranslatedPosition(-1), 3);
  EXPECT_EQ(Model.PreviousUntranslatedPosition(3), -1);

  // Edits and marks pass them by, whatever else they hold.
  EXPECT_EQ(Model.SetEntriesText({Hint, Caption, Ok}, QStringLiteral("x")), 1);
  EXPECT_FALSE(Model.setData(Caption, QStringLiteral("y")));
  EXPECT_EQ(Model.ChangeEntryStates({Hint, Caption}, {}, {zrtsUntranslated}), 0);
  const TZrLang_CompTranslation *Form1 = Doc.Translation->Items(0);
  EXPECT_EQ(Form1->FindPropByID(0)->wsValue, QStringLiteral("Hello"));
  EXPECT_TRUE(Form1->FindPropByID(-5)->TranStates.Contains(zrtsUntranslated));
  EXPECT_EQ(Model.Counts().UntranslatedProperties, 0);
}

TEST(EntryTreeModelLifecycle, ClearAndRebuild) {
  TGridTestDocument Doc(SmallSource, SmallTranslation, SmallDisplay);
  TEntryTreeModel Model;
  EXPECT_FALSE(Model.HasDocument());
  EXPECT_EQ(Model.rowCount(), 0);
  EXPECT_EQ(Model.Counts().Components, 0);
  QSignalSpy Reset(&Model, &QAbstractItemModel::modelReset);
  Model.SetDocument(Doc.Document);
  EXPECT_TRUE(Model.HasDocument());
  EXPECT_EQ(Model.rowCount(), 3);
  EXPECT_EQ(Model.Counts().Properties, 5);
  Model.Clear();
  EXPECT_FALSE(Model.HasDocument());
  EXPECT_EQ(Model.rowCount(), 0);
  EXPECT_EQ(Model.TreeOrderCount(), 0);
  EXPECT_EQ(Model.Counts().Properties, 0);
  EXPECT_EQ(Reset.count(), 2);
}

} // namespace
