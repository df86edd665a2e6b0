#include "ExchangeCatalog.h"

#include "LangSource.h"
#include "TranslationDocument.h"

#include <QFileInfo>
#include <QSet>

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

TExchangeCatalog ExchangeCatalogOf(TTranslationDocument &Doc) {
  const TEntryTable &Table = Doc.Entries();
  TExchangeCatalog Catalog;
  Catalog.Original = QFileInfo(Doc.SourceFilename()).fileName();
  Catalog.SourceLangID = Doc.Languages().LangIDSource;
  Catalog.TargetLangID = Doc.Languages().LangIDTranslation;
  Catalog.Units.reserve(size_t(Table.Count()));

  QSet<const void *> Records;
  QSet<QString> Contexts;
  Records.reserve(Table.Count());
  Contexts.reserve(Table.Count());
  for (int P = 0; P < Table.Count(); ++P) {
    const TEntryTable::TNode &Node = Table.Node(P);
    if (!Table.IsEditable(P) || Records.contains(Node.Data.Translation))
      continue;
    Records.insert(Node.Data.Translation);
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
      // Property paths may repeat within a component, and a path could read
      // like a constant's name; later ones take their ID.
      while (Contexts.contains(Unit.Context))
        Unit.Context += u'#' + ID;
    }
    Contexts.insert(Unit.Context);
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
