#include "EntryTreeModel.h"

#include "DocumentProblems.h"
#include "Escaping.h"
#include "Images.h"
#include "LangSource.h"
#include "LanguageManager.h"
#include "TranslationDocument.h"

#include <QBrush>
#include <QColor>
#include <QIcon>
#include <algorithm>
#include <iterator>

namespace {

const QColor ComponentRowColour(0xEC, 0xE5, 0xFF);
const QColor ConstantsRowColour(0xFF, 0xEA, 0xEA);
const QColor UntranslatedCellColour(0xF0, 0xF0, 0xF0);

// What the moves to untranslated items look for and what makes the translated
// value bold.
inline bool IsUntranslated(TZrLang_TranslationStates States) {
  return States.Contains(zrtsUntranslated) || States.Contains(zrtsAutotranslated);
}

// The one-line form of a value; a value without anything to escape is
// returned as it is, sharing its text.
QString OneLine(const QString &Value) {
  for (const QChar C : Value)
    if (C.unicode() < 32 || C == u'\\')
      return EncodeControlChars(Value);
  return Value;
}

} // namespace

TEntryTreeModel::TEntryTreeModel(QObject *Parent) : QAbstractItemModel(Parent) {
  FColumnCaptions = {QStringLiteral("Component/Property/Constant"), QStringLiteral("ID"),
                     QStringLiteral("Default value"), QStringLiteral("Translated value")};
}

TEntryTreeModel::TEntryTreeModel(TTranslationDocument &Document, QObject *Parent)
    : TEntryTreeModel(Parent) {
  Attach(Document);
}

TEntryTreeModel::~TEntryTreeModel() = default;

void TEntryTreeModel::SetDocument(TTranslationDocument &Document) {
  FinishProblemsForFilter();
  beginResetModel();
  try {
    Attach(Document);
  } catch (...) {
    Detach();
    endResetModel();
    throw;
  }
  endResetModel();
}

void TEntryTreeModel::Clear() {
  beginResetModel();
  Detach();
  endResetModel();
}

void TEntryTreeModel::Attach(TTranslationDocument &Document) {
  Detach();
  FTable = &Document.Entries();
  FDocument = &Document;
  ChooseRows();
  connect(FDocument, &TTranslationDocument::EntriesChanged, this,
          &TEntryTreeModel::NotifyRowsChanged);
  connect(FDocument, &QObject::destroyed, this, [this] { Clear(); });
}

void TEntryTreeModel::Detach() {
  if (FDocument)
    FDocument->disconnect(this);
  FDocument = nullptr;
  FTable = nullptr;
  FRows.Clear();
  FFiltered = false;
}

void TEntryTreeModel::FinishProblemsForFilter() {
  if (FProblems && FFilter.State == esfProblems)
    FProblems->Finish();
}

void TEntryTreeModel::SetFilter(const TEntryFilter &Filter) {
  FFilter = Filter;
  FinishProblemsForFilter();
  beginResetModel();
  try {
    ChooseRows();
  } catch (...) {
    FRows.Clear();
    FFiltered = false;
    endResetModel();
    throw;
  }
  endResetModel();
}

void TEntryTreeModel::ChooseRows() {
  FRows.Clear();
  FFiltered = false;
  if (!FDocument || !FFilter.IsActive())
    return;
  const TEntryFilterMatcher Matcher(FFilter, *FDocument, FProblems);
  FRows.Build(*FTable, [&Matcher](int Position) { return Matcher.Matches(Position); });
  FFiltered = true;
}

bool TEntryTreeModel::IsPositionVisible(int Position) const {
  if (Position < 0 || Position >= TreeOrderCount())
    return false;
  return !FFiltered || FRows.Contains(Position);
}

int TEntryTreeModel::VisibleEntryCount() const {
  if (FFiltered)
    return FRows.EntryCount();
  return FTable ? FTable->Counts().Properties + FTable->Counts().Constants : 0;
}

int TEntryTreeModel::TopLevelCount() const {
  return FFiltered ? FRows.TopLevelCount() : FTable->TopLevelCount();
}

int TEntryTreeModel::TopLevelPosition(int Row) const {
  return FFiltered ? FRows.TopLevelPosition(Row) : FTable->TopLevelPosition(Row);
}

int TEntryTreeModel::ChildCount(int Position) const {
  return FFiltered ? FRows.ChildCount(FRows.RowOf(Position)) : FTable->ChildCount(Position);
}

int TEntryTreeModel::ChildPosition(int Parent, int Row) const {
  return FFiltered ? FRows.ChildPosition(FRows.RowOf(Parent), Row) : Parent + 1 + Row;
}

int TEntryTreeModel::RowOf(int Position) const {
  return FFiltered ? FRows.RowOf(Position) : FTable->Node(Position).Row;
}

void TEntryTreeModel::SetColumnCaption(int Column, const QString &Caption) {
  if (Column < 0 || Column >= ecColumnCount || FColumnCaptions[size_t(Column)] == Caption)
    return;
  FColumnCaptions[size_t(Column)] = Caption;
  Q_EMIT headerDataChanged(Qt::Horizontal, Column, Column);
}

QString TEntryTreeModel::ColumnCaption(int Column) const {
  return Column >= 0 && Column < ecColumnCount ? FColumnCaptions[size_t(Column)] : QString();
}

const TTranslationCounts &TEntryTreeModel::Counts() const {
  static const TTranslationCounts None;
  return FTable ? FTable->Counts() : None;
}

const TEntryTreeModel::TNode *TEntryTreeModel::NodeOf(const QModelIndex &Index) const {
  if (!Index.isValid() || Index.model() != this || !FTable)
    return nullptr;
  return static_cast<const TNode *>(Index.internalPointer());
}

QModelIndex TEntryTreeModel::IndexOf(const TNode &Node, int Column) const {
  return createIndex(RowOf(PositionOf(&Node)), Column, const_cast<TNode *>(&Node));
}

QModelIndex TEntryTreeModel::IndexAt(int Position, int Column) const {
  return IndexOf(FTable->Node(Position), Column);
}

TNodeKind TEntryTreeModel::GetNodeKind(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  return Node ? Node->Data.Kind : nkNone;
}

TZrLang_TranslationStates TEntryTreeModel::GetEntryStates(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  return Node ? FTable->States(PositionOf(Node)) : TZrLang_TranslationStates();
}

const TNodeData *TEntryTreeModel::GetNodeData(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  return Node ? &Node->Data : nullptr;
}

QString TEntryTreeModel::SourceValue(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  return Node ? FTable->SourceValue(PositionOf(Node)) : QString();
}

QString TEntryTreeModel::TranslatedValue(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  return Node ? FTable->TranslatedValue(PositionOf(Node)) : QString();
}

int TEntryTreeModel::TreeOrderPosition(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  return Node ? PositionOf(Node) : -1;
}

QModelIndex TEntryTreeModel::IndexAtTreeOrder(int Position, int Column) const {
  if (!IsPositionVisible(Position) || Column < 0 || Column >= ecColumnCount)
    return QModelIndex();
  return IndexAt(Position, Column);
}

int TEntryTreeModel::NextVisiblePosition(int After) const {
  if (FFiltered)
    return FRows.NextPosition(After);
  const qint64 Next = std::max<qint64>(After, -1) + 1;
  return Next < TreeOrderCount() ? int(Next) : -1;
}

int TEntryTreeModel::PreviousVisiblePosition(int Before) const {
  if (FFiltered)
    return FRows.PreviousPosition(Before);
  const int Previous = std::min(Before, TreeOrderCount()) - 1;
  return Previous >= 0 ? Previous : -1;
}

// Hidden untranslated rows are stepped over one by one; each step is a scan
// of the table's bit index.
int TEntryTreeModel::NextUntranslatedPosition(int After) const {
  int Position = FTable ? FTable->NextUntranslated(After) : -1;
  while (Position >= 0 && !IsPositionVisible(Position))
    Position = FTable->NextUntranslated(Position);
  return Position;
}

int TEntryTreeModel::PreviousUntranslatedPosition(int Before) const {
  int Position = FTable ? FTable->PreviousUntranslated(Before) : -1;
  while (Position >= 0 && !IsPositionVisible(Position))
    Position = FTable->PreviousUntranslated(Position);
  return Position;
}

std::vector<int> TEntryTreeModel::EntryPositions(const QModelIndexList &Rows) const {
  std::vector<int> Positions;
  Positions.reserve(size_t(Rows.size()));
  for (const QModelIndex &Index : Rows)
    if (const TNode *Node = NodeOf(Index); Node && FTable->IsEditable(PositionOf(Node)))
      Positions.push_back(PositionOf(Node));
  std::sort(Positions.begin(), Positions.end());
  Positions.erase(std::unique(Positions.begin(), Positions.end()), Positions.end());
  return Positions;
}

// One dataChanged per run of adjacent shown siblings, then one
// EntriesChanged.
void TEntryTreeModel::NotifyRowsChanged(const std::vector<int> &AllPositions) {
  if (!FTable)
    return;
  std::vector<int> Positions;
  if (FFiltered)
    std::copy_if(AllPositions.begin(), AllPositions.end(), std::back_inserter(Positions),
                 [this](int P) { return FRows.Contains(P); });
  const std::vector<int> &Shown = FFiltered ? Positions : AllPositions;
  QModelIndexList Changed;
  Changed.reserve(qsizetype(Shown.size()));
  size_t RunStart = 0;
  for (size_t I = 0; I < Shown.size(); ++I) {
    const TNode &Node = FTable->Node(Shown[I]);
    Changed.append(IndexOf(Node, ecTranslatedValue));
    const bool RunEnds = I + 1 == Shown.size() ||
                         FTable->Node(Shown[I + 1]).Parent != Node.Parent ||
                         RowOf(Shown[I + 1]) != RowOf(Shown[I]) + 1;
    if (RunEnds) {
      Q_EMIT dataChanged(IndexAt(Shown[RunStart], 0), IndexOf(Node, ecColumnCount - 1));
      RunStart = I + 1;
    }
  }
  Q_EMIT EntriesChanged(Changed);
}

void TEntryTreeModel::SetProblems(TDocumentProblems *Problems) {
  disconnect(FProblemsConnection);
  FProblems = Problems;
  if (FProblems)
    FProblemsConnection = connect(FProblems, &TDocumentProblems::ProblemsChanged, this,
                                  &TEntryTreeModel::NotifyProblemsChanged);
}

// Repaints the translated values whose problems changed, in runs of rows.
void TEntryTreeModel::NotifyProblemsChanged(const std::vector<int> &Positions) {
  if (!FTable)
    return;
  QModelIndex First, Last;
  const auto Flush = [&] {
    if (First.isValid())
      Q_EMIT dataChanged(First, Last, {Qt::DecorationRole, Qt::ToolTipRole});
    First = Last = QModelIndex();
  };
  for (int P : Positions) {
    const QModelIndex Index =
        P >= 0 && P < FTable->Count() ? IndexAtTreeOrder(P, ecTranslatedValue) : QModelIndex();
    if (!Index.isValid())
      continue;
    if (!Last.isValid() || Index.parent() != Last.parent() || Index.row() != Last.row() + 1)
      Flush();
    if (!First.isValid())
      First = Index;
    Last = Index;
  }
  Flush();
}

QString TEntryTreeModel::ActionOrEdit(const QString &Action) const {
  return Action.isEmpty() ? LangConstant(u"SUndoEdit") : Action;
}

int TEntryTreeModel::SetEntriesText(const QModelIndexList &Rows, const QString &Text,
                                    const QString &Action) {
  return SetEntriesValue(Rows, DecodeControlChars(Text), Action);
}

int TEntryTreeModel::SetEntriesValue(const QModelIndexList &Rows, const QString &Value,
                                     const QString &Action, int MergeKey) {
  if (!FDocument)
    return 0;
  return FDocument->SetValues(EntryPositions(Rows), Value, ActionOrEdit(Action), MergeKey);
}

int TEntryTreeModel::ChangeEntryStates(const QModelIndexList &Rows, TZrLang_TranslationStates Add,
                                       TZrLang_TranslationStates Remove, const QString &Action) {
  if (!FDocument)
    return 0;
  return FDocument->ChangeStates(EntryPositions(Rows), Add, Remove, ActionOrEdit(Action));
}

// QAbstractItemModel

QModelIndex TEntryTreeModel::index(int Row, int Column, const QModelIndex &Parent) const {
  if (Row < 0 || Column < 0 || Column >= ecColumnCount || !FTable)
    return QModelIndex();
  if (!Parent.isValid()) {
    if (Row >= TopLevelCount())
      return QModelIndex();
    return IndexAt(TopLevelPosition(Row), Column);
  }
  // Children hang off column 0 of top-level rows only.
  const TNode *Node = Parent.column() == 0 ? NodeOf(Parent) : nullptr;
  if (!Node || Node->Parent >= 0 || Row >= ChildCount(PositionOf(Node)))
    return QModelIndex();
  return IndexAt(ChildPosition(PositionOf(Node), Row), Column);
}

QModelIndex TEntryTreeModel::parent(const QModelIndex &Child) const {
  const TNode *Node = NodeOf(Child);
  if (!Node || Node->Parent < 0)
    return QModelIndex();
  return IndexAt(Node->Parent, 0);
}

QModelIndex TEntryTreeModel::sibling(int Row, int Column, const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  if (Node && Row == Index.row()) {
    if (Column < 0 || Column >= ecColumnCount)
      return QModelIndex();
    return IndexOf(*Node, Column);
  }
  return QAbstractItemModel::sibling(Row, Column, Index);
}

int TEntryTreeModel::rowCount(const QModelIndex &Parent) const {
  if (!FTable)
    return 0;
  if (!Parent.isValid())
    return TopLevelCount();
  if (Parent.column() != 0)
    return 0;
  const TNode *Node = NodeOf(Parent);
  return Node && Node->Parent < 0 ? ChildCount(PositionOf(Node)) : 0;
}

int TEntryTreeModel::columnCount(const QModelIndex &) const {
  return ecColumnCount;
}

bool TEntryTreeModel::hasChildren(const QModelIndex &Parent) const {
  return rowCount(Parent) > 0;
}

QString TEntryTreeModel::DisplayText(const TNode &Node, int Column) const {
  const int P = PositionOf(&Node);
  switch (Node.Data.Kind) {
  case nkComponent:
    return Column == ecName ? FTable->Name(P) : QString();
  case nkConstants:
    return Column == ecName ? LangConstant(u"SCaptionConstantsNode") : QString();
  case nkProperty:
  case nkConstant:
    switch (Column) {
    case ecName:
      return FTable->Name(P);
    case ecID:
      return Node.Data.Kind == nkProperty
                 ? QString::number(static_cast<const TPropertySource *>(Node.Data.Source)->iID)
                 : QString();
    case ecDefaultValue:
      return OneLine(FTable->DisplayValue(P));
    case ecTranslatedValue:
      return OneLine(FTable->TranslatedValue(P));
    }
    break;
  case nkNone:
    break;
  }
  return QString();
}

const QFont &TEntryTreeModel::BoldFont() const {
  // Only the weight is set, so the view's own font supplies everything else.
  if (!FBoldFontMade) {
    FBoldFont = QFont();
    FBoldFont.setBold(true);
    FBoldFontMade = true;
  }
  return FBoldFont;
}

QVariant TEntryTreeModel::data(const QModelIndex &Index, int Role) const {
  const TNode *Node = NodeOf(Index);
  if (!Node)
    return QVariant();
  const int Column = Index.column();
  const TNodeKind Kind = Node->Data.Kind;
  const int Position = PositionOf(Node);
  switch (Role) {
  case Qt::DisplayRole:
  case Qt::EditRole:
    return DisplayText(*Node, Column);
  case Qt::DecorationRole:
    if (Column == ecName) {
      switch (Kind) {
      case nkComponent:
        return ImageListIcon(iiComponent);
      case nkProperty:
        return ImageListIcon(iiProperty);
      case nkConstants:
        return ImageListIcon(iiConstants);
      case nkConstant:
        return ImageListIcon(iiConstant);
      case nkNone:
        break;
      }
    } else if (Column == ecTranslatedValue) {
      if (FProblems && FProblems->HasProblem(Position))
        return ImageListIcon(FProblems->Level(Position) == TDocumentProblems::plError
                                 ? iiProblemError
                                 : iiProblemWarning);
      return ImageListIcon(FTable->States(Position).Contains(zrtsUntranslated) ? iiUntranslated
                                                                               : iiTranslated);
    }
    return QVariant();
  case Qt::BackgroundRole:
    if (Column == ecTranslatedValue && FTable->States(Position).Contains(zrtsUntranslated))
      return QBrush(UntranslatedCellColour);
    if (Kind == nkComponent)
      return QBrush(ComponentRowColour);
    if (Kind == nkConstants)
      return QBrush(ConstantsRowColour);
    return QVariant();
  case Qt::FontRole: {
    bool Bold = Node->Parent < 0;
    if (!Bold && Column == ecTranslatedValue)
      Bold = IsUntranslated(FTable->States(Position));
    return Bold ? QVariant(BoldFont()) : QVariant();
  }
  case NodeKindRole:
    return int(Kind);
  case EntryStatesRole:
    return int(FTable->States(Position).AsByte());
  case Qt::ToolTipRole:
    if (FTable->IsReadOnly(Position))
      return LangConstantFmt(u"SHintNonPositiveID",
                             {static_cast<const TPropertySource *>(Node->Data.Source)->iID});
    if (Column == ecTranslatedValue && FProblems && FProblems->HasProblem(Position))
      return FProblems->Describe(Position);
    return QVariant();
  case StaticTextRole:
    if (Column == ecName && Node->Parent < 0)
      return QStringLiteral("(%1)").arg(ChildCount(Position));
    return QVariant();
  default:
    return QVariant();
  }
}

bool TEntryTreeModel::setData(const QModelIndex &Index, const QVariant &Value, int Role) {
  if (Role != Qt::EditRole || Index.column() != ecTranslatedValue)
    return false;
  return SetEntriesText({Index}, Value.toString()) > 0;
}

Qt::ItemFlags TEntryTreeModel::flags(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  if (!Node)
    return Qt::NoItemFlags;
  Qt::ItemFlags Flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (IsEntryKind(Node->Data.Kind)) {
    Flags |= Qt::ItemNeverHasChildren;
    if (Index.column() == ecTranslatedValue && FTable->IsEditable(PositionOf(Node)))
      Flags |= Qt::ItemIsEditable;
  }
  return Flags;
}

QVariant TEntryTreeModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
  if (Orientation == Qt::Horizontal && Role == Qt::DisplayRole && Section >= 0 &&
      Section < ecColumnCount)
    return FColumnCaptions[size_t(Section)];
  return QAbstractItemModel::headerData(Section, Orientation, Role);
}

QModelIndex TEntryTreeModel::buddy(const QModelIndex &Index) const {
  const TNode *Node = NodeOf(Index);
  if (Node && IsEntryKind(Node->Data.Kind) && Index.column() != ecTranslatedValue)
    return IndexOf(*Node, ecTranslatedValue);
  return Index;
}
