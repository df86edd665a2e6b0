#include "EntryTreeModel.h"

#include "Escaping.h"
#include "Exceptions.h"
#include "Images.h"
#include "LangSource.h"
#include "LanguageManager.h"
#include "TextOrder.h"
#include "Translations.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <algorithm>
#include <bit>
#include <limits>

namespace {

const QColor ComponentRowColour(0xEC, 0xE5, 0xFF);
const QColor ConstantsRowColour(0xFF, 0xEA, 0xEA);
const QColor UntranslatedCellColour(0xF0, 0xF0, 0xF0);

// What the moves to untranslated items look for and what makes the translated
// value bold; the status bar counts zrtsUntranslated alone.
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

const TComponentSource *AsComponent(const void *P) {
  return static_cast<const TComponentSource *>(P);
}
const TPropertySource *AsPropertySource(const void *P) {
  return static_cast<const TPropertySource *>(P);
}
const TZrLang_PropValueTranslation *AsPropValue(const void *P) {
  return static_cast<const TZrLang_PropValueTranslation *>(P);
}
const TZrLang_Constant *AsConstant(const void *P) {
  return static_cast<const TZrLang_Constant *>(P);
}

// Component translations by name, the first of each name as
// TZrLang_CompTranslations::FindComponentName finds it, without its linear
// search per component.
class TComponentIndex {
public:
  explicit TComponentIndex(const TZrLang_CompTranslations *Translations) {
    if (!Translations)
      return;
    FByName.reserve(Translations->Count());
    for (int I = Translations->Count() - 1; I >= 0; --I)
      FByName.insert(ZrLang_TextOrderKey(Translations->Items(I)->ComponentName()),
                     Translations->Items(I));
  }
  TZrLang_CompTranslation *Find(const QString &Key) const { return FByName.value(Key); }
  bool IsEmpty() const { return FByName.isEmpty(); }

private:
  QHash<QString, TZrLang_CompTranslation *> FByName;
};

} // namespace

TEntryTreeModel::TEntryTreeModel(QObject *Parent) : QAbstractItemModel(Parent) {
  FColumnCaptions = {QStringLiteral("Component/Property/Constant"), QStringLiteral("ID"),
                     QStringLiteral("Default value"), QStringLiteral("Translated value")};
}

TEntryTreeModel::TEntryTreeModel(const TLangSource &Source, TZrLang_CompTranslations &Translation,
                                 const TZrLang_CompTranslations *Display, QObject *Parent)
    : TEntryTreeModel(Parent) {
  Build(Source, Translation, Display);
}

TEntryTreeModel::~TEntryTreeModel() = default;

void TEntryTreeModel::SetDocument(const TLangSource &Source, TZrLang_CompTranslations &Translation,
                                  const TZrLang_CompTranslations *Display) {
  beginResetModel();
  try {
    Build(Source, Translation, Display);
  } catch (...) {
    ResetContents();
    endResetModel();
    throw;
  }
  endResetModel();
}

void TEntryTreeModel::Clear() {
  beginResetModel();
  ResetContents();
  endResetModel();
}

void TEntryTreeModel::ResetContents() {
  FSource = nullptr;
  // Give the memory back: a closed million-row document should not linger.
  std::vector<TEntryNode>().swap(FNodes);
  std::vector<qint32>().swap(FTopLevel);
  std::vector<quint64>().swap(FUntranslatedBits);
  FCounts = TTranslationCounts();
}

void TEntryTreeModel::Build(const TLangSource &Source, TZrLang_CompTranslations &Translation,
                            const TZrLang_CompTranslations *Display) {
  ResetContents();
  const TComponentSources &Components = Source.ComponentSources();
  const TZrLang_Constants &Constants = Source.Constants();

  qint64 Total = Components.Count();
  for (int I = 0; I < Components.Count(); ++I)
    Total += Components.Items(I)->PropertySources().Count();
  if (Constants.Count() > 0)
    Total += 1 + Constants.Count();
  if (Total > std::numeric_limits<qint32>::max())
    throw Exception(QStringLiteral("Too many entries to show: %1").arg(Total));

  FNodes.reserve(size_t(Total));
  FTopLevel.reserve(size_t(Components.Count()) + 2);

  const TComponentIndex TranslationIndex(&Translation);
  const TComponentIndex DisplayIndex(Display);
  for (int I = 0; I < Components.Count(); ++I) {
    const TComponentSource *Component = Components.Items(I);
    const QString Key = ZrLang_TextOrderKey(Component->CompName());
    TZrLang_CompTranslation *Target = TranslationIndex.Find(Key);
    const TZrLang_CompTranslation *Shown =
        DisplayIndex.IsEmpty() ? nullptr : DisplayIndex.Find(Key);
    const qint32 Position = qint32(FNodes.size());
    FTopLevel.push_back(Position);
    FNodes.push_back({{nkComponent, Component, Shown, Target}, -1, I});
    const TPropertySources &Props = Component->PropertySources();
    for (int J = 0; J < Props.Count(); ++J) {
      const TPropertySource *Prop = Props.Items(J);
      FNodes.push_back({{nkProperty, Prop, Shown ? Shown->FindPropByID(Prop->iID) : nullptr,
                         Target ? Target->FindPropByID(Prop->iID) : nullptr},
                        Position,
                        J});
    }
  }
  if (Constants.Count() > 0) {
    const qint32 Position = qint32(FNodes.size());
    FTopLevel.push_back(Position);
    FNodes.push_back({{nkConstants, nullptr, nullptr, nullptr}, -1, Components.Count()});
    const TZrLang_Constants *Shown = Display ? &Display->Constants() : nullptr;
    TZrLang_Constants &Target = Translation.Constants();
    for (int J = 0; J < Constants.Count(); ++J) {
      const TZrLang_Constant *Constant = Constants.Items(J);
      FNodes.push_back(
          {{nkConstant, Constant, Shown ? Shown->FindConstName(Constant->wsName) : nullptr,
            Target.FindConstName(Constant->wsName)},
           Position,
           J});
    }
  }
  FTopLevel.push_back(qint32(FNodes.size()));
  FSource = &Source;
  ScanStates();
}

void TEntryTreeModel::ScanStates() {
  FUntranslatedBits.assign((FNodes.size() + 63) / 64, 0);
  FCounts = TTranslationCounts();
  for (size_t P = 0; P < FNodes.size(); ++P) {
    const TEntryNode &Node = FNodes[P];
    switch (Node.Data.Kind) {
    case nkComponent:
      ++FCounts.Components;
      break;
    case nkProperty:
      ++FCounts.Properties;
      break;
    case nkConstant:
      ++FCounts.Constants;
      break;
    default:
      break;
    }
    const TZrLang_TranslationStates *States = StatesOf(Node);
    if (!States || IsReadOnlyEntry(Node))
      continue;
    if (States->Contains(zrtsUntranslated))
      ++(Node.Data.Kind == nkProperty ? FCounts.UntranslatedProperties
                                      : FCounts.UntranslatedConstants);
    if (IsUntranslated(*States))
      FUntranslatedBits[P / 64] |= quint64(1) << (P % 64);
  }
}

void TEntryTreeModel::RescanStates() {
  ScanStates();
  if (!FNodes.empty())
    for (size_t T = 0; T + 1 < FTopLevel.size(); ++T) {
      const TEntryNode &Top = FNodes[size_t(FTopLevel[T])];
      Q_EMIT dataChanged(IndexOf(Top, 0), IndexOf(Top, ecColumnCount - 1));
      if (const int N = ChildCount(Top); N > 0)
        Q_EMIT dataChanged(IndexOf(FNodes[size_t(FTopLevel[T]) + 1], 0),
                           IndexOf(FNodes[size_t(FTopLevel[T] + N)], ecColumnCount - 1));
    }
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

const TEntryTreeModel::TEntryNode *TEntryTreeModel::NodeOf(const QModelIndex &Index) const {
  if (!Index.isValid() || Index.model() != this)
    return nullptr;
  return static_cast<const TEntryNode *>(Index.internalPointer());
}

int TEntryTreeModel::ChildCount(const TEntryNode &Node) const {
  if (Node.Parent >= 0)
    return 0;
  return FTopLevel[size_t(Node.Row) + 1] - FTopLevel[size_t(Node.Row)] - 1;
}

QModelIndex TEntryTreeModel::IndexOf(const TEntryNode &Node, int Column) const {
  return createIndex(Node.Row, Column, const_cast<TEntryNode *>(&Node));
}

bool TEntryTreeModel::IsReadOnlyEntry(const TEntryNode &Node) {
  return Node.Data.Kind == nkProperty &&
         !IsTranslatableID(AsPropertySource(Node.Data.Source)->iID);
}

TZrLang_TranslationStates *TEntryTreeModel::StatesOf(const TEntryNode &Node) {
  if (!Node.Data.Translation)
    return nullptr;
  switch (Node.Data.Kind) {
  case nkProperty:
    return &static_cast<TZrLang_PropValueTranslation *>(Node.Data.Translation)->TranStates;
  case nkConstant:
    return &static_cast<TZrLang_Constant *>(Node.Data.Translation)->TranStates;
  default:
    return nullptr;
  }
}

TNodeKind TEntryTreeModel::GetNodeKind(const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  return Node ? Node->Data.Kind : nkNone;
}

TZrLang_TranslationStates TEntryTreeModel::GetEntryStates(const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  const TZrLang_TranslationStates *States = Node ? StatesOf(*Node) : nullptr;
  return States ? *States : TZrLang_TranslationStates();
}

const TNodeData *TEntryTreeModel::GetNodeData(const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  return Node ? &Node->Data : nullptr;
}

QString TEntryTreeModel::SourceValue(const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  if (!Node || !Node->Data.Source)
    return QString();
  if (Node->Data.Kind == nkProperty)
    return AsPropertySource(Node->Data.Source)->wsValue;
  if (Node->Data.Kind == nkConstant)
    return AsConstant(Node->Data.Source)->wsDefValue;
  return QString();
}

QString TEntryTreeModel::TranslatedValue(const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  if (!Node || !Node->Data.Translation)
    return QString();
  if (Node->Data.Kind == nkProperty)
    return AsPropValue(Node->Data.Translation)->wsValue;
  if (Node->Data.Kind == nkConstant)
    return AsConstant(Node->Data.Translation)->wsDefValue;
  return QString();
}

int TEntryTreeModel::TreeOrderPosition(const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  return Node ? PositionOf(Node) : -1;
}

QModelIndex TEntryTreeModel::IndexAtTreeOrder(int Position, int Column) const {
  if (Position < 0 || Position >= TreeOrderCount() || Column < 0 || Column >= ecColumnCount)
    return QModelIndex();
  return IndexOf(FNodes[size_t(Position)], Column);
}

int TEntryTreeModel::NextUntranslatedPosition(int After) const {
  const qint64 Start = qint64(After) + 1;
  if (Start < 0 || Start >= TreeOrderCount())
    return -1;
  size_t Word = size_t(Start / 64);
  quint64 Bits = FUntranslatedBits[Word] & (~quint64(0) << (Start % 64));
  while (Bits == 0) {
    if (++Word == FUntranslatedBits.size())
      return -1;
    Bits = FUntranslatedBits[Word];
  }
  return int(Word * 64 + size_t(std::countr_zero(Bits)));
}

int TEntryTreeModel::PreviousUntranslatedPosition(int Before) const {
  const int Last = std::min(Before, TreeOrderCount()) - 1;
  if (Last < 0)
    return -1;
  size_t Word = size_t(Last / 64);
  const int Keep = Last % 64 + 1; // bits 0 .. Last % 64
  quint64 Bits = FUntranslatedBits[Word] & (Keep == 64 ? ~quint64(0) : (quint64(1) << Keep) - 1);
  while (Bits == 0) {
    if (Word == 0)
      return -1;
    Bits = FUntranslatedBits[--Word];
  }
  return int(Word * 64 + 63 - size_t(std::countl_zero(Bits)));
}

void TEntryTreeModel::SetStates(const TEntryNode &Node, TZrLang_TranslationStates States) {
  TZrLang_TranslationStates *Target = StatesOf(Node);
  if (!Target || *Target == States)
    return;
  const TZrLang_TranslationStates Old = *Target;
  *Target = States;
  if (Old.Contains(zrtsUntranslated) != States.Contains(zrtsUntranslated))
    (Node.Data.Kind == nkProperty ? FCounts.UntranslatedProperties
                                  : FCounts.UntranslatedConstants) +=
        States.Contains(zrtsUntranslated) ? 1 : -1;
  if (IsUntranslated(Old) != IsUntranslated(States)) {
    const size_t P = size_t(PositionOf(&Node));
    FUntranslatedBits[P / 64] ^= quint64(1) << (P % 64);
  }
}

bool TEntryTreeModel::StoreText(const TEntryNode &Node, const QString &Value) {
  if (!Node.Data.Translation)
    return false;
  if (Node.Data.Kind == nkProperty) {
    static_cast<TZrLang_PropValueTranslation *>(Node.Data.Translation)->wsValue = Value;
  } else if (Node.Data.Kind == nkConstant) {
    auto *Constant = static_cast<TZrLang_Constant *>(Node.Data.Translation);
    Constant->wsValue = Value;
    Constant->wsDefValue = Value;
  } else {
    return false;
  }
  TZrLang_TranslationStates States = *StatesOf(Node);
  States.Exclude(zrtsUntranslated);
  States.Exclude(zrtsAutotranslated);
  SetStates(Node, States);
  return true;
}

std::vector<int> TEntryTreeModel::EntryPositions(const QModelIndexList &Rows) const {
  std::vector<int> Positions;
  Positions.reserve(size_t(Rows.size()));
  for (const QModelIndex &Index : Rows)
    if (const TEntryNode *Node = NodeOf(Index); Node && IsEntryKind(Node->Data.Kind) &&
                                                Node->Data.Translation && !IsReadOnlyEntry(*Node))
      Positions.push_back(PositionOf(Node));
  std::sort(Positions.begin(), Positions.end());
  Positions.erase(std::unique(Positions.begin(), Positions.end()), Positions.end());
  return Positions;
}

// One dataChanged per run of adjacent siblings; returns the rows' column-3
// indexes.
QModelIndexList TEntryTreeModel::NotifyRowsChanged(const std::vector<int> &Positions) {
  QModelIndexList Changed;
  Changed.reserve(qsizetype(Positions.size()));
  size_t RunStart = 0;
  for (size_t I = 0; I < Positions.size(); ++I) {
    const TEntryNode &Node = FNodes[size_t(Positions[I])];
    Changed.append(IndexOf(Node, ecTranslatedValue));
    const bool RunEnds = I + 1 == Positions.size() || Positions[I + 1] != Positions[I] + 1 ||
                         FNodes[size_t(Positions[I + 1])].Parent != Node.Parent;
    if (RunEnds) {
      Q_EMIT dataChanged(IndexOf(FNodes[size_t(Positions[RunStart])], 0),
                         IndexOf(Node, ecColumnCount - 1));
      RunStart = I + 1;
    }
  }
  return Changed;
}

int TEntryTreeModel::SetEntriesText(const QModelIndexList &Rows, const QString &Text) {
  return SetEntriesValue(Rows, DecodeControlChars(Text));
}

int TEntryTreeModel::SetEntriesValue(const QModelIndexList &Rows, const QString &Value) {
  const std::vector<int> Positions = EntryPositions(Rows);
  if (Positions.empty())
    return 0;
  for (const int P : Positions)
    StoreText(FNodes[size_t(P)], Value);
  const QModelIndexList Changed = NotifyRowsChanged(Positions);
  Q_EMIT EntryTextsChanged(Changed);
  return int(Positions.size());
}

int TEntryTreeModel::ChangeEntryStates(const QModelIndexList &Rows, TZrLang_TranslationStates Add,
                                       TZrLang_TranslationStates Remove) {
  std::vector<int> Positions = EntryPositions(Rows);
  const quint8 AddBits = Add.AsByte(), KeepBits = quint8(~Remove.AsByte());
  std::erase_if(Positions, [&](int P) {
    const TEntryNode &Node = FNodes[size_t(P)];
    const TZrLang_TranslationStates Old = *StatesOf(Node);
    const auto New =
        TZrLang_TranslationStates::FromByte(quint8((Old.AsByte() | AddBits) & KeepBits));
    if (New == Old)
      return true;
    SetStates(Node, New);
    return false;
  });
  if (Positions.empty())
    return 0;
  const QModelIndexList Changed = NotifyRowsChanged(Positions);
  Q_EMIT EntryStatesChanged(Changed);
  return int(Positions.size());
}

// QAbstractItemModel

QModelIndex TEntryTreeModel::index(int Row, int Column, const QModelIndex &Parent) const {
  if (Row < 0 || Column < 0 || Column >= ecColumnCount)
    return QModelIndex();
  if (!Parent.isValid()) {
    if (Row >= int(FTopLevel.size()) - 1)
      return QModelIndex();
    return IndexOf(FNodes[size_t(FTopLevel[size_t(Row)])], Column);
  }
  // Children hang off column 0 only.
  const TEntryNode *Node = Parent.column() == 0 ? NodeOf(Parent) : nullptr;
  if (!Node || Row >= ChildCount(*Node))
    return QModelIndex();
  return IndexOf(Node[1 + Row], Column);
}

QModelIndex TEntryTreeModel::parent(const QModelIndex &Child) const {
  const TEntryNode *Node = NodeOf(Child);
  if (!Node || Node->Parent < 0)
    return QModelIndex();
  return IndexOf(FNodes[size_t(Node->Parent)], 0);
}

QModelIndex TEntryTreeModel::sibling(int Row, int Column, const QModelIndex &Index) const {
  const TEntryNode *Node = NodeOf(Index);
  if (Node && Row == Index.row()) {
    if (Column < 0 || Column >= ecColumnCount)
      return QModelIndex();
    return IndexOf(*Node, Column);
  }
  return QAbstractItemModel::sibling(Row, Column, Index);
}

int TEntryTreeModel::rowCount(const QModelIndex &Parent) const {
  if (!Parent.isValid())
    return FTopLevel.empty() ? 0 : int(FTopLevel.size()) - 1;
  if (Parent.column() != 0)
    return 0;
  const TEntryNode *Node = NodeOf(Parent);
  return Node ? ChildCount(*Node) : 0;
}

int TEntryTreeModel::columnCount(const QModelIndex &) const {
  return ecColumnCount;
}

bool TEntryTreeModel::hasChildren(const QModelIndex &Parent) const {
  return rowCount(Parent) > 0;
}

QString TEntryTreeModel::DisplayText(const TEntryNode &Node, int Column) const {
  const TNodeData &D = Node.Data;
  switch (D.Kind) {
  case nkComponent:
    return Column == ecName ? AsComponent(D.Source)->CompName() : QString();
  case nkConstants:
    return Column == ecName ? LangConstant(u"SCaptionConstantsNode") : QString();
  case nkProperty:
    switch (Column) {
    case ecName:
      return AsPropertySource(D.Source)->sPropName;
    case ecID:
      return QString::number(AsPropertySource(D.Source)->iID);
    case ecDefaultValue:
      return OneLine(D.Display ? AsPropValue(D.Display)->wsValue
                               : AsPropertySource(D.Source)->wsValue);
    case ecTranslatedValue:
      return D.Translation ? OneLine(AsPropValue(D.Translation)->wsValue) : QString();
    }
    break;
  case nkConstant:
    switch (Column) {
    case ecName:
      return AsConstant(D.Source)->wsName;
    case ecDefaultValue:
      return OneLine(D.Display ? AsConstant(D.Display)->wsDefValue
                               : AsConstant(D.Source)->wsDefValue);
    case ecTranslatedValue:
      return D.Translation ? OneLine(AsConstant(D.Translation)->wsDefValue) : QString();
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
  const TEntryNode *Node = NodeOf(Index);
  if (!Node)
    return QVariant();
  const int Column = Index.column();
  const TNodeKind Kind = Node->Data.Kind;
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
      const TZrLang_TranslationStates *States = StatesOf(*Node);
      return ImageListIcon(States && States->Contains(zrtsUntranslated) ? iiUntranslated
                                                                        : iiTranslated);
    }
    return QVariant();
  case Qt::BackgroundRole:
    if (Column == ecTranslatedValue)
      if (const TZrLang_TranslationStates *States = StatesOf(*Node);
          States && States->Contains(zrtsUntranslated))
        return QBrush(UntranslatedCellColour);
    if (Kind == nkComponent)
      return QBrush(ComponentRowColour);
    if (Kind == nkConstants)
      return QBrush(ConstantsRowColour);
    return QVariant();
  case Qt::FontRole: {
    bool Bold = Node->Parent < 0;
    if (!Bold && Column == ecTranslatedValue)
      if (const TZrLang_TranslationStates *States = StatesOf(*Node))
        Bold = IsUntranslated(*States);
    return Bold ? QVariant(BoldFont()) : QVariant();
  }
  case NodeKindRole:
    return int(Kind);
  case EntryStatesRole: {
    const TZrLang_TranslationStates *States = StatesOf(*Node);
    return int(States ? States->AsByte() : 0);
  }
  case Qt::ToolTipRole:
    if (IsReadOnlyEntry(*Node))
      return LangConstantFmt(u"SHintNonPositiveID", {AsPropertySource(Node->Data.Source)->iID});
    return QVariant();
  case StaticTextRole:
    if (Column == ecName && Node->Parent < 0)
      return QStringLiteral("(%1)").arg(ChildCount(*Node));
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
  const TEntryNode *Node = NodeOf(Index);
  if (!Node)
    return Qt::NoItemFlags;
  Qt::ItemFlags Flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (IsEntryKind(Node->Data.Kind)) {
    Flags |= Qt::ItemNeverHasChildren;
    if (Index.column() == ecTranslatedValue && Node->Data.Translation && !IsReadOnlyEntry(*Node))
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
  const TEntryNode *Node = NodeOf(Index);
  if (Node && IsEntryKind(Node->Data.Kind) && Index.column() != ecTranslatedValue)
    return IndexOf(*Node, ecTranslatedValue);
  return Index;
}
