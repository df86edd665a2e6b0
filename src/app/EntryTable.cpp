#include "EntryTable.h"

#include "Exceptions.h"
#include "LangSource.h"
#include "TextOrder.h"
#include "Translations.h"

#include <QHash>
#include <algorithm>
#include <bit>
#include <limits>

namespace {

// What the moves to untranslated items look for; the status bar counts
// zrtsUntranslated alone.
inline bool IsUntranslated(TZrLang_TranslationStates States) {
  return States.Contains(zrtsUntranslated) || States.Contains(zrtsAutotranslated);
}

const QString NoText;

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

void TEntryTable::Clear() {
  std::vector<TNode>().swap(FNodes);
  std::vector<qint32>().swap(FTopLevel);
  std::vector<quint64>().swap(FUntranslatedBits);
  FCounts = TTranslationCounts();
}

void TEntryTable::Build(const TLangSource &Source, TZrLang_CompTranslations &Translation,
                        const TZrLang_CompTranslations *Display) {
  Clear();
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
  ScanStates();
}

void TEntryTable::ScanStates() {
  FUntranslatedBits.assign((FNodes.size() + 63) / 64, 0);
  FCounts = TTranslationCounts();
  for (size_t P = 0; P < FNodes.size(); ++P) {
    const TNode &Node = FNodes[P];
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
    if (!States || IsReadOnly(int(P)))
      continue;
    if (States->Contains(zrtsUntranslated))
      ++(Node.Data.Kind == nkProperty ? FCounts.UntranslatedProperties
                                      : FCounts.UntranslatedConstants);
    if (IsUntranslated(*States))
      FUntranslatedBits[P / 64] |= quint64(1) << (P % 64);
  }
}

bool TEntryTable::IsReadOnly(int Position) const {
  const TNode &N = Node(Position);
  return N.Data.Kind == nkProperty && !IsTranslatableID(AsPropertySource(N.Data.Source)->iID);
}

bool TEntryTable::IsEditable(int Position) const {
  return IsEntry(Position) && Node(Position).Data.Translation && !IsReadOnly(Position);
}

int TEntryTable::ChildCount(int Position) const {
  const TNode &N = Node(Position);
  if (N.Parent >= 0)
    return 0;
  return FTopLevel[size_t(N.Row) + 1] - FTopLevel[size_t(N.Row)] - 1;
}

TZrLang_TranslationStates *TEntryTable::StatesOf(const TNode &Node) const {
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

const QString &TEntryTable::Name(int Position) const {
  const TNodeData &D = Node(Position).Data;
  switch (D.Kind) {
  case nkComponent:
    return AsComponent(D.Source)->CompName();
  case nkProperty:
    return AsPropertySource(D.Source)->sPropName.Text();
  case nkConstant:
    return AsConstant(D.Source)->wsName;
  default:
    return NoText;
  }
}

qint32 TEntryTable::PropertyID(int Position) const {
  const TNodeData &D = Node(Position).Data;
  return D.Kind == nkProperty ? AsPropertySource(D.Source)->iID : 0;
}

const QString &TEntryTable::SourceValue(int Position) const {
  const TNodeData &D = Node(Position).Data;
  if (D.Kind == nkProperty)
    return AsPropertySource(D.Source)->wsValue;
  if (D.Kind == nkConstant)
    return AsConstant(D.Source)->wsDefValue;
  return NoText;
}

const QString &TEntryTable::DisplayValue(int Position) const {
  const TNodeData &D = Node(Position).Data;
  if (!D.Display)
    return SourceValue(Position);
  if (D.Kind == nkProperty)
    return AsPropValue(D.Display)->wsValue;
  if (D.Kind == nkConstant)
    return AsConstant(D.Display)->wsDefValue;
  return NoText;
}

const QString &TEntryTable::TranslatedValue(int Position) const {
  const TNodeData &D = Node(Position).Data;
  if (!D.Translation)
    return NoText;
  if (D.Kind == nkProperty)
    return AsPropValue(D.Translation)->wsValue;
  if (D.Kind == nkConstant)
    return AsConstant(D.Translation)->wsDefValue;
  return NoText;
}

const QString &TEntryTable::TranslatedConstValue(int Position) const {
  const TNodeData &D = Node(Position).Data;
  return D.Kind == nkConstant && D.Translation ? AsConstant(D.Translation)->wsValue : NoText;
}

TZrLang_TranslationStates TEntryTable::States(int Position) const {
  const TZrLang_TranslationStates *S = StatesOf(Node(Position));
  return S ? *S : TZrLang_TranslationStates();
}

void TEntryTable::Store(int Position, const QString &Value, const QString &ConstValue,
                        TZrLang_TranslationStates States) {
  const TNode &N = Node(Position);
  if (N.Data.Kind == nkProperty) {
    static_cast<TZrLang_PropValueTranslation *>(N.Data.Translation)->wsValue = Value;
  } else {
    auto *Constant = static_cast<TZrLang_Constant *>(N.Data.Translation);
    Constant->wsValue = ConstValue;
    Constant->wsDefValue = Value;
  }
  SetStates(Position, States);
}

void TEntryTable::SetStates(int Position, TZrLang_TranslationStates States) {
  const TNode &N = Node(Position);
  TZrLang_TranslationStates *Target = StatesOf(N);
  if (*Target == States)
    return;
  const TZrLang_TranslationStates Old = *Target;
  *Target = States;
  if (Old.Contains(zrtsUntranslated) != States.Contains(zrtsUntranslated))
    (N.Data.Kind == nkProperty ? FCounts.UntranslatedProperties
                               : FCounts.UntranslatedConstants) +=
        States.Contains(zrtsUntranslated) ? 1 : -1;
  if (IsUntranslated(Old) != IsUntranslated(States)) {
    const size_t P = size_t(Position);
    FUntranslatedBits[P / 64] ^= quint64(1) << (P % 64);
  }
}

int TEntryTable::NextUntranslated(int After) const {
  const qint64 Start = qint64(After) + 1;
  if (Start < 0 || Start >= Count())
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

int TEntryTable::PreviousUntranslated(int Before) const {
  const int Last = std::min(Before, Count()) - 1;
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

int TEntryTable::FindByKey(const QString &Key, int After) const {
  const QString Name = Key.trimmed();
  bool IsNumber = false;
  const qint32 ID = Name.toInt(&IsNumber);
  const int N = Count();
  if (Name.isEmpty() || N == 0)
    return -1;
  const int Start = std::clamp(After + 1, 0, N);
  for (int I = 0; I < N; ++I) {
    const int P = (Start + I) % N;
    const TNodeData &D = FNodes[size_t(P)].Data;
    if (IsNumber && D.Kind == nkProperty && AsPropertySource(D.Source)->iID == ID)
      return P;
    if (D.Kind == nkConstant &&
        AsConstant(D.Source)->wsName.compare(Name, Qt::CaseInsensitive) == 0)
      return P;
  }
  return -1;
}
