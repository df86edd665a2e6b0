#pragma once

#include "EntryFilter.h"
#include "EntryTable.h"
#include "FilteredEntryRows.h"
#include "TranslationStates.h"
#include "TranslationSupport.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QString>
#include <array>
#include <vector>

class TDocumentProblems;
class TTranslationDocument;

// The entry grid's model: a two-level tree over an open document's entry
// table (one row per source component with one child per property, then,
// when the source has constants, one "Constants" row with one child per
// constant). Rows hold no texts; a model index's internal pointer is the
// address of its table row. The document must outlive the model's use of it
// (call Clear() before closing it).
//
// Edits go to the document's edit operations, so each is one undo step;
// every change of the document's entries, whatever made it, is shown.
//
// A property whose source ID is 0 or negative cannot be saved: its row is
// shown read-only with a tooltip saying why, and edits pass it by.
//
// A filter (SetFilter) hides the entries it does not accept and the
// top-level rows left without entries; row numbers, parents, child counts
// and the moves below then cover the shown rows only. Rows are chosen when
// the filter is set: an entry that stops matching after an edit stays until
// the filter is set again, so it does not vanish under the cursor.
class TEntryTreeModel : public QAbstractItemModel {
  Q_OBJECT

public:
  enum TColumn {
    ecName = 0,
    ecID = 1,
    ecDefaultValue = 2,
    ecTranslatedValue = 3,
    ecColumnCount = 4
  };
  enum TRole {
    // int: the row's TNodeKind.
    NodeKindRole = Qt::UserRole + 1,
    // int: the byte of the row's translation states (0 for non-entries).
    EntryStatesRole,
    // QString: "(%d)" with the shown children in column 0 of top-level rows,
    // painted after the name in the normal weight and window-text colour.
    StaticTextRole,
  };

  explicit TEntryTreeModel(QObject *Parent = nullptr);
  // REQUIRES: Document is open.
  explicit TEntryTreeModel(TTranslationDocument &Document, QObject *Parent = nullptr);
  ~TEntryTreeModel() override;

  // Shows the rows of an open document that the current filter accepts (a
  // model reset).
  void SetDocument(TTranslationDocument &Document);
  // Drops all rows and the references to the document (a model reset); the
  // filter stays set for the next document.
  void Clear();
  bool HasDocument() const { return FDocument != nullptr; }

  // The translated value of an entry with an error or a warning shows a
  // problem icon and lists the problems in its tooltip. Problems (nullptr:
  // none) must outlive its use here. The filter's "with problems" state has
  // the checks finished before it chooses rows.
  void SetProblems(TDocumentProblems *Problems);

  // Header captions; English by default.
  void SetColumnCaption(int Column, const QString &Caption);
  QString ColumnCaption(int Column) const;

  // Rows.
  TNodeKind GetNodeKind(const QModelIndex &Index) const;
  // The translation states of a property or constant row; empty otherwise.
  TZrLang_TranslationStates GetEntryStates(const QModelIndex &Index) const;
  // The row's record, any column; null for an invalid index.
  const TNodeData *GetNodeData(const QModelIndex &Index) const;
  static bool IsEntryKind(TNodeKind Kind) { return Kind == nkProperty || Kind == nkConstant; }
  bool IsEntry(const QModelIndex &Index) const { return IsEntryKind(GetNodeKind(Index)); }
  // The raw (unescaped) values of a property or constant row, empty for other
  // rows. Source: the property's value, the source constant's default.
  // Translated: the property's value, the translation constant's default.
  QString SourceValue(const QModelIndex &Index) const;
  QString TranslatedValue(const QModelIndex &Index) const;

  // Editing, each one undo step named Action (by default "Edit"), through
  // the document's operations. SetEntriesValue stores the raw Value in every
  // property or constant row among Rows (any column; a row listed several
  // times counts once); other rows are ignored. The entries then count as
  // translated. SetEntriesText decodes Text (the one-line form) first;
  // setData() is SetEntriesText for EditRole on column 3. MergeKey as for
  // TTranslationDocument::SetValues. Each returns the number of rows changed.
  int SetEntriesValue(const QModelIndexList &Rows, const QString &Value,
                      const QString &Action = {}, int MergeKey = 0);
  int SetEntriesText(const QModelIndexList &Rows, const QString &Text,
                     const QString &Action = {});
  // States := (states + Add) - Remove for every property or constant row in
  // Rows.
  int ChangeEntryStates(const QModelIndexList &Rows, TZrLang_TranslationStates Add,
                        TZrLang_TranslationStates Remove, const QString &Action = {});
  // The tree-order positions of the entries among Rows, ascending, once each.
  std::vector<int> EntryPositions(const QModelIndexList &Rows) const;

  // Chooses the rows to show anew (a model reset), even when Filter is the
  // one already set. An inactive filter shows every row at no extra cost.
  void SetFilter(const TEntryFilter &Filter);
  const TEntryFilter &Filter() const { return FFilter; }
  // A filter is active and a document is shown.
  bool IsFiltered() const { return FFiltered; }
  bool IsPositionVisible(int Position) const;
  // Property and constant rows shown.
  int VisibleEntryCount() const;

  // The status bar counts.
  const TTranslationCounts &Counts() const;

  // Tree order: all rows depth-first, expanded or not (the positions of the
  // document's entry table).
  int TreeOrderCount() const { return FTable ? FTable->Count() : 0; }
  // The position of the index's row, or -1.
  int TreeOrderPosition(const QModelIndex &Index) const;
  // An invalid index for a hidden row.
  QModelIndex IndexAtTreeOrder(int Position, int Column = 0) const;
  // The first position after After (After may be -1), or the last one before
  // Before (Before may be TreeOrderCount()), of a shown row; -1 when there is
  // none.
  int NextVisiblePosition(int After) const;
  int PreviousVisiblePosition(int Before) const;
  // The same for a shown row whose states contain zrtsUntranslated or
  // zrtsAutotranslated.
  int NextUntranslatedPosition(int After) const;
  int PreviousUntranslatedPosition(int Before) const;

  // QAbstractItemModel
  QModelIndex index(int Row, int Column, const QModelIndex &Parent = {}) const override;
  QModelIndex parent(const QModelIndex &Child) const override;
  QModelIndex sibling(int Row, int Column, const QModelIndex &Index) const override;
  int rowCount(const QModelIndex &Parent = {}) const override;
  int columnCount(const QModelIndex &Parent = {}) const override;
  bool hasChildren(const QModelIndex &Parent = {}) const override;
  QVariant data(const QModelIndex &Index, int Role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex &Index, const QVariant &Value, int Role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex &Index) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation,
                      int Role = Qt::DisplayRole) const override;
  // Editing any column of an entry row edits its translated value.
  QModelIndex buddy(const QModelIndex &Index) const override;

Q_SIGNALS:
  // The translated text or the states of these rows (column-3 indexes, tree
  // order) changed, by an edit, an undo or a redo; the counts may have
  // changed. Hidden rows that changed are not listed.
  void EntriesChanged(const QModelIndexList &Rows);

private:
  using TNode = TEntryTable::TNode;

  void Attach(TTranslationDocument &Document);
  void Detach();
  const TNode *NodeOf(const QModelIndex &Index) const;
  int PositionOf(const TNode *Node) const { return int(Node - &FTable->Node(0)); }
  // The shown rows, with or without a filter.
  int TopLevelCount() const;
  int TopLevelPosition(int Row) const;
  // REQUIRES: Position is a shown top-level row.
  int ChildCount(int Position) const;
  int ChildPosition(int Parent, int Row) const;
  // REQUIRES: Position is shown.
  int RowOf(int Position) const;
  void ChooseRows();
  void FinishProblemsForFilter();
  QModelIndex IndexOf(const TNode &Node, int Column) const;
  QModelIndex IndexAt(int Position, int Column) const;
  void NotifyRowsChanged(const std::vector<int> &Positions);
  void NotifyProblemsChanged(const std::vector<int> &Positions);
  QString DisplayText(const TNode &Node, int Column) const;
  QString ActionOrEdit(const QString &Action) const;
  const QFont &BoldFont() const;

  TTranslationDocument *FDocument = nullptr;
  const TEntryTable *FTable = nullptr;
  TDocumentProblems *FProblems = nullptr;
  QMetaObject::Connection FProblemsConnection;
  TEntryFilter FFilter;
  bool FFiltered = false;
  TFilteredEntryRows FRows;
  std::array<QString, ecColumnCount> FColumnCaptions;
  mutable QFont FBoldFont;
  mutable bool FBoldFontMade = false;
};
