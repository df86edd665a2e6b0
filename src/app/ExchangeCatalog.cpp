#include "ExchangeCatalog.h"

#include "LangSource.h"
#include "TranslationDocument.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
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

TExchangeCatalog ExchangeCatalogOf(TTranslationDocument &Doc) {
  const TEntryTable &Table = Doc.Entries();
  TExchangeCatalog Catalog;
  Catalog.Original = QFileInfo(Doc.SourceFilename()).fileName();
  Catalog.SourceLangID = Doc.Languages().LangIDSource;
  Catalog.TargetLangID = Doc.Languages().LangIDTranslation;
  Catalog.Units.reserve(size_t(Table.Count()));

  const bool bPlain = HasPlainKeys(Table);
  QSet<const void *> Records;
  QSet<QString> Contexts;
  const void *Previous = nullptr;
  for (int P = 0; P < Table.Count(); ++P) {
    const TEntryTable::TNode &Node = Table.Node(P);
    if (!Table.IsEditable(P))
      continue;
    const void *Record = Node.Data.Translation;
    const bool bShared = bPlain ? Record == Previous : Records.contains(Record);
    Previous = Record;
    if (bShared)
      continue;
    if (!bPlain)
      Records.insert(Record);
    TExchangeUnit Unit;
    Unit.Position = P;
    Unit.Name = Table.Name(P);
    if (Node.Data.Kind == nkConstant) {
      Unit.Group = ExchangeConstantsGroup;
      Unit.Id = Unit.Name;
      Unit.Context = Unit.Name;
    } else {
      Unit.Group = Table.Name(Node.Parent);
      const QString ID =
          QString::number(static_cast<const TPropertySource *>(Node.Data.Source)->iID);
      Unit.Id = Unit.Group + u':' + ID;
      Unit.Context = Unit.Group + u'.' + Unit.Name;
      // A constant's name has no dot, so only properties can meet.
      if (!bPlain) {
        while (Contexts.contains(Unit.Context))
          Unit.Context += u'#' + ID;
        Contexts.insert(Unit.Context);
      }
    }
    Unit.Source = ToExchangeText(Table.SourceValue(P));
    const TZrLang_TranslationStates States = Table.States(P);
    if (States.Contains(zrtsUntranslated)) {
      Unit.State = TExchangeState::Untranslated;
    } else {
      Unit.State = States.Contains(zrtsAutotranslated) ? TExchangeState::NeedsReview
                                                       : TExchangeState::Translated;
      Unit.Target = ToExchangeText(Table.TranslatedValue(P));
    }
    Catalog.Units.push_back(std::move(Unit));
  }
  return Catalog;
}
