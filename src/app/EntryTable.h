#pragma once

#include "TranslationStates.h"
#include "TranslationSupport.h"

#include <QString>
#include <QtGlobal>
#include <vector>

class TLangSource;
class TZrLang_CompTranslations;

// What a row of the entry table stands for.
enum TNodeKind : quint8 {
  nkNone = 0,
  nkComponent = 1,
  nkProperty = 2,
  nkConstants = 3, // the group row of all constants
  nkConstant = 4
};

// The records a row refers to.
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

// The rows of an open document in tree order: one per source component
// followed by one per property, then, when the source has constants, one
// "Constants" row followed by one per constant. A row is named by its
// position in this order, which stays fixed while the document is open.
// Rows refer to the document's records and hold no texts; the records must
// outlive the table (Clear() it first).
//
// The table keeps the status bar counts and an index of untranslated rows
// up to date through Store(), the only way its rows change.
//
// A property whose source ID is 0 or negative cannot be saved (translation
// files keep positive IDs only): it is read-only, and neither counted as
// untranslated nor indexed as such.
class TEntryTable {
public:
  struct TNode {
    TNodeData Data;
    qint32 Parent; // position of the parent row, -1 for top-level rows
    qint32 Row;    // row under the parent
  };

  // Translation must have been reconciled with Source: every source entry
  // has its translation record. Raises an Exception when the rows do not fit
  // in an int.
  void Build(const TLangSource &Source, TZrLang_CompTranslations &Translation,
             const TZrLang_CompTranslations *Display);
  // Drops all rows and gives their memory back.
  void Clear();

  int Count() const { return int(FNodes.size()); }
  // REQUIRES: 0 <= Position < Count() for all accessors taking a position.
  const TNode &Node(int Position) const { return FNodes[size_t(Position)]; }
  TNodeKind Kind(int Position) const { return Node(Position).Data.Kind; }
  static bool IsEntryKind(TNodeKind Kind) { return Kind == nkProperty || Kind == nkConstant; }
  bool IsEntry(int Position) const { return IsEntryKind(Kind(Position)); }
  bool IsReadOnly(int Position) const;
  // An entry with a translation record that is not read-only.
  bool IsEditable(int Position) const;
  int TopLevelCount() const { return FTopLevel.empty() ? 0 : int(FTopLevel.size()) - 1; }
  int TopLevelPosition(int Row) const { return FTopLevel[size_t(Row)]; }
  // The children of a top-level row follow it; entries have none.
  int ChildCount(int Position) const;

  // Texts of a row, empty where the row has none; references into the
  // records, valid until the next Store(). Values are raw. The display value
  // falls back to the source value.
  const QString &Name(int Position) const;
  const QString &SourceValue(int Position) const;
  const QString &DisplayValue(int Position) const;
  const QString &TranslatedValue(int Position) const;
  // A constant's translation keeps its value beside its default; both are
  // what an undo gives back.
  const QString &TranslatedConstValue(int Position) const;
  TZrLang_TranslationStates States(int Position) const;
  // A property's ID; 0 for other rows.
  qint32 PropertyID(int Position) const;

  // Sets an entry's translated value (a constant's default value to Value,
  // its value to ConstValue) and states.
  // REQUIRES: IsEditable(Position).
  void Store(int Position, const QString &Value, const QString &ConstValue,
             TZrLang_TranslationStates States);

  // The first entry after After, wrapping around, that Key names: a
  // property whose ID is the number Key, or a constant whose name is Key
  // (ignoring case). -1 when there is none.
  int FindByKey(const QString &Key, int After) const;

  const TTranslationCounts &Counts() const { return FCounts; }
  // The first position after After (After may be -1), or the last one before
  // Before (Before may be Count()), of a row whose states contain
  // zrtsUntranslated or zrtsAutotranslated; -1 when there is none.
  int NextUntranslated(int After) const;
  int PreviousUntranslated(int Before) const;

private:
  TZrLang_TranslationStates *StatesOf(const TNode &Node) const;
  void ScanStates();
  void SetStates(int Position, TZrLang_TranslationStates States);

  std::vector<TNode> FNodes;
  // Position of each top-level row, plus the row count at the end.
  std::vector<qint32> FTopLevel;
  // One bit per position: the row is untranslated or autotranslated.
  std::vector<quint64> FUntranslatedBits;
  TTranslationCounts FCounts;
};
