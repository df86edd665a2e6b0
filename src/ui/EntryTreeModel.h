#pragma once

#include "TranslationStates.h"
#include "TranslationSupport.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QString>
#include <array>
#include <vector>

class TLangSource;
class TComponentSource;
struct TPropertySource;
struct TZrLang_Constant;
struct TZrLang_PropValueTranslation;
class TZrLang_CompTranslation;
class TZrLang_CompTranslations;

// What a grid row stands for.
enum TNodeKind : quint8 {
  nkNone = 0,
  nkComponent = 1,
  nkProperty = 2,
  nkConstants = 3, // the group row of all constants
  nkConstant = 4
};

// The per-row record: the row's kind and the document records it refers to.
//   component: TComponentSource, TZrLang_CompTranslation (display, translation)
//   property:  TPropertySource, TZrLang_PropValueTranslation (both)
//   constants: none
//   constant:  TZrLang_Constant of the source, of the display translation and
//              of the translation
// Display is null when there is no display translation or it lacks the entry.
struct TNodeData {
  TNodeKind Kind = nkNone;
  const void *Source = nullptr;
  const void *Display = nullptr;
  void *Translation = nullptr;
};

// The entry grid's model: a two-level tree over an open document. One row per
// source component with one child per property, then, when the source has
// constants, one "Constants" row with one child per constant. Rows refer to
// the document's records and hold no texts; the document must outlive the
// model's use of it (call Clear() before releasing it).
//
// Every row is one node of a single array in tree order (a parent followed by
// its children), so a row's position in tree order is its index there, and a
// model index's internal pointer is the address of its node.
//
// Edits made through the model keep the counts and the search structure of
// untranslated rows up to date; after changing the records by other means
// call RescanStates().
//
// A property whose source ID is 0 or negative cannot be saved (translation
// files keep positive IDs only): its row is shown read-only with a tooltip
// saying why, edits and state changes pass it by, and it is neither counted
// as untranslated nor visited as such.
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
    // QString: "(%d)" with the child count in column 0 of top-level rows,
    // painted after the name in the normal weight and window-text colour.
    StaticTextRole,
  };

  explicit TEntryTreeModel(QObject *Parent = nullptr);
  // Translation must have been reconciled with Source: every source entry
  // has its translation record.
  TEntryTreeModel(const TLangSource &Source, TZrLang_CompTranslations &Translation,
                  const TZrLang_CompTranslations *Display, QObject *Parent = nullptr);
  ~TEntryTreeModel() override;

  // Rebuilds all rows over a document (a model reset).
  void SetDocument(const TLangSource &Source, TZrLang_CompTranslations &Translation,
                   const TZrLang_CompTranslations *Display);
  // Drops all rows and the references to the document (a model reset).
  void Clear();
  bool HasDocument() const { return FSource != nullptr; }

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

  // Editing. SetEntriesValue stores the raw Value in every property or
  // constant row among Rows (any column; a row listed several times counts
  // once); other rows are ignored. A property's value, or a constant's value
  // and default, take it; zrtsUntranslated and zrtsAutotranslated are
  // removed. Emits dataChanged and then one EntryTextsChanged. Returns the
  // number of rows changed. SetEntriesText decodes Text (the one-line form)
  // first; setData() is SetEntriesText for EditRole on column 3.
  int SetEntriesValue(const QModelIndexList &Rows, const QString &Value);
  int SetEntriesText(const QModelIndexList &Rows, const QString &Text);
  // States := (states + Add) - Remove for every property or constant row in
  // Rows; emits dataChanged and one EntryStatesChanged when any changed.
  // Returns the number of rows whose states changed.
  int ChangeEntryStates(const QModelIndexList &Rows, TZrLang_TranslationStates Add,
                        TZrLang_TranslationStates Remove);
  // Counts again from the records, after they were changed outside the model.
  void RescanStates();

  // The status bar counts, kept up to date by the edits above.
  const TTranslationCounts &Counts() const { return FCounts; }

  // Tree order: all rows depth-first, expanded or not.
  int TreeOrderCount() const { return int(FNodes.size()); }
  // The position of the index's row, or -1.
  int TreeOrderPosition(const QModelIndex &Index) const;
  QModelIndex IndexAtTreeOrder(int Position, int Column = 0) const;
  // The first position after After (After may be -1), or the last one before
  // Before (Before may be TreeOrderCount()), of a row whose states contain
  // zrtsUntranslated or zrtsAutotranslated; -1 when there is none.
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
  // The translated text of these rows (column-3 indexes, tree order) was
  // set; the document is modified and the counts may have changed.
  void EntryTextsChanged(const QModelIndexList &Rows);
  // The states of these rows (column-3 indexes, tree order) were changed by
  // ChangeEntryStates; the counts may have changed.
  void EntryStatesChanged(const QModelIndexList &Rows);

private:
  struct TEntryNode {
    TNodeData Data;
    qint32 Parent; // position of the parent node, -1 for top-level rows
    qint32 Row;    // row under the parent
  };

  void Build(const TLangSource &Source, TZrLang_CompTranslations &Translation,
             const TZrLang_CompTranslations *Display);
  void ResetContents();
  void ScanStates();
  const TEntryNode *NodeOf(const QModelIndex &Index) const;
  int PositionOf(const TEntryNode *Node) const { return int(Node - FNodes.data()); }
  int ChildCount(const TEntryNode &Node) const;
  QModelIndex IndexOf(const TEntryNode &Node, int Column) const;
  static TZrLang_TranslationStates *StatesOf(const TEntryNode &Node);
  // A property whose source ID cannot be stored in a translation file.
  static bool IsReadOnlyEntry(const TEntryNode &Node);
  void SetStates(const TEntryNode &Node, TZrLang_TranslationStates States);
  bool StoreText(const TEntryNode &Node, const QString &Value);
  std::vector<int> EntryPositions(const QModelIndexList &Rows) const;
  QModelIndexList NotifyRowsChanged(const std::vector<int> &Positions);
  QString DisplayText(const TEntryNode &Node, int Column) const;
  const QFont &BoldFont() const;

  const TLangSource *FSource = nullptr;
  std::vector<TEntryNode> FNodes;
  // Position of each top-level row, plus the node count at the end.
  std::vector<qint32> FTopLevel;
  // One bit per position: the row is untranslated or autotranslated.
  std::vector<quint64> FUntranslatedBits;
  TTranslationCounts FCounts;
  std::array<QString, ecColumnCount> FColumnCaptions;
  mutable QFont FBoldFont;
  mutable bool FBoldFontMade = false;
};
