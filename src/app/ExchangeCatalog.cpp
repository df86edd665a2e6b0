#include "ExchangeCatalog.h"

#include "LangSource.h"
#include "TranslationDocument.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <future>
#include <vector>

const QString ExchangeConstantsGroup = QStringLiteral("$CONSTANTS");

namespace {

// Line breaks as the library's escaping counts them: CR LF and LF CR are
// one break each.
QString ReplaceLineBreaks(const QString &Text, QStringView Break) {
  if (!Text.contains(u'\r') && (Break == u"\n" || !Text.contains(u'\n')))
    return Text;
  QString Out;
  Out.reserve(Text.size() + 8);
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const QChar C = Text[I];
    if (C != u'\r' && C != u'\n') {
      Out.append(C);
      continue;
    }
    const QChar Other = C == u'\r' ? u'\n' : u'\r';
    if (I + 1 < Text.size() && Text[I + 1] == Other)
      ++I;
    Out.append(Break);
  }
  return Out;
}

} // namespace

QString ToExchangeText(const QString &Value) {
  return ReplaceLineBreaks(Value, u"\n");
}

QString FromExchangeText(const QString &Text) {
  return ReplaceLineBreaks(Text, u"\r\n");
}

namespace {

// Whether every entry's plain keys are unique and no two components share a
// translation record list, so that only properties of one ID, which are
// neighbours, share records: true unless the source repeats a component name
// (in text order) or a property path within a component, or one component's
// name followed by a dot begins another's. Sets to find the rest are then
// not needed, which matters for large projects.
bool HasPlainKeys(const TEntryTable &Table) {
  QSet<const void *> Translations;
  QSet<QString> Components;
  std::vector<QStringView> Names;
  for (int R = 0; R < Table.TopLevelCount(); ++R) {
    const int P = Table.TopLevelPosition(R);
    if (Table.Kind(P) != nkComponent)
      continue;
    const void *Translation = Table.Node(P).Data.Translation;
    if (Translation && Translations.contains(Translation))
      return false;
    Translations.insert(Translation);
    Components.insert(Table.Name(P));
    Names.clear();
    for (int C = 1; C <= Table.ChildCount(P); ++C)
      Names.push_back(Table.Name(P + C));
    std::sort(Names.begin(), Names.end());
    if (std::adjacent_find(Names.begin(), Names.end()) != Names.end())
      return false;
  }
  for (const QString &Name : Components)
    for (qsizetype Dot = Name.indexOf(u'.'); Dot >= 0; Dot = Name.indexOf(u'.', Dot + 1))
      if (Components.contains(Name.first(Dot)))
        return false;
  return true;
}

} // namespace

namespace {

QString PropertyID(const TEntryTable::TNode &Node) {
  return QString::number(static_cast<const TPropertySource *>(Node.Data.Source)->iID);
}

// The unit of the entry at Position, its Context the plain path.
TExchangeUnit UnitOf(const TEntryTable &Table, int Position) {
  const TEntryTable::TNode &Node = Table.Node(Position);
  TExchangeUnit Unit;
  Unit.Position = Position;
  Unit.Name = Table.Name(Position);
  if (Node.Data.Kind == nkConstant) {
    Unit.Group = ExchangeConstantsGroup;
    Unit.Id = Unit.Name;
    Unit.Context = Unit.Name;
  } else {
    Unit.Group = Table.Name(Node.Parent);
    Unit.Id = Unit.Group + u':' + PropertyID(Node);
    Unit.Context = Unit.Group + u'.' + Unit.Name;
  }
  Unit.Source = ToExchangeText(Table.SourceValue(Position));
  const TZrLang_TranslationStates States = Table.States(Position);
  if (States.Contains(zrtsUntranslated)) {
    Unit.State = TExchangeState::Untranslated;
  } else {
    Unit.State = States.Contains(zrtsAutotranslated) ? TExchangeState::NeedsReview
                                                     : TExchangeState::Translated;
    Unit.Target = ToExchangeText(Table.TranslatedValue(Position));
  }
  return Unit;
}

} // namespace

TExchangeCatalog ExchangeCatalogOf(TTranslationDocument &Doc) {
  const TEntryTable &Table = Doc.Entries();
  TExchangeCatalog Catalog;
  Catalog.Original = QFileInfo(Doc.SourceFilename()).fileName();
  Catalog.SourceLangID = Doc.Languages().LangIDSource;
  Catalog.TargetLangID = Doc.Languages().LangIDTranslation;

  const bool bPlain = HasPlainKeys(Table);
  std::vector<int> Positions;
  Positions.reserve(size_t(Table.Count()));
  QSet<const void *> Records;
  const void *Previous = nullptr;
  for (int P = 0; P < Table.Count(); ++P) {
    if (!Table.IsEditable(P))
      continue;
    const void *Record = Table.Node(P).Data.Translation;
    const bool bShared = bPlain ? Record == Previous : Records.contains(Record);
    Previous = Record;
    if (bShared)
      continue;
    if (!bPlain)
      Records.insert(Record);
    Positions.push_back(P);
  }

  std::vector<TExchangeUnit> &Units = Catalog.Units;
  Units.resize(Positions.size());
  if (bPlain) {
    // The units do not depend on each other, and making them is a noticeable
    // part of an export: the second half is made on a thread of its own.
    const auto Make = [&](size_t Begin, size_t End) {
      for (size_t I = Begin; I < End; ++I)
        Units[I] = UnitOf(Table, Positions[I]);
    };
    const size_t Half = Units.size() / 2;
    std::future<void> Second = std::async(std::launch::async, Make, Half, Units.size());
    Make(0, Half);
    Second.get();
  } else {
    QSet<QString> Contexts;
    for (size_t I = 0; I < Units.size(); ++I) {
      TExchangeUnit &Unit = Units[I] = UnitOf(Table, Positions[I]);
      // A constant's name has no dot, so only properties can meet.
      if (Table.Kind(Unit.Position) != nkConstant) {
        const QString Suffix = u'#' + PropertyID(Table.Node(Unit.Position));
        while (Contexts.contains(Unit.Context))
          Unit.Context += Suffix;
        Contexts.insert(Unit.Context);
      }
    }
  }
  return Catalog;
}
