// `stats SOURCE [TRANSLATION] [--json]`: the editor's status bar counts.
#include "CliCommand.h"
#include "CliDocument.h"
#include "Console.h"
#include "LangSource.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

struct TStatsItem {
  const char16_t *Key; // in the JSON object
  const char16_t *Label;
  int Value;
};

} // namespace

int RunStatsCommand(const TCliArguments &Args) {
  const std::unique_ptr<TTranslationDocument> Doc =
      LoadCliDocument(Args.Positional[0], Args.Positional.value(1));
  WarnNonPositiveIDs(Doc->Source());
  const TTranslationCounts Counts = Doc->CountEntries();
  const TStatsItem Items[] = {
      {u"components", u"Components:", Counts.Components},
      {u"properties", u"Properties:", Counts.Properties},
      {u"untranslatedProperties", u"Untranslated properties:", Counts.UntranslatedProperties},
      {u"constants", u"Constants:", Counts.Constants},
      {u"untranslatedConstants", u"Untranslated constants:", Counts.UntranslatedConstants}};

  if (Args.Has(QStringLiteral("--json"))) {
    QJsonObject Object;
    for (const TStatsItem &Item : Items)
      Object.insert(QString::fromUtf16(Item.Key), Item.Value);
    PrintOut(QString::fromUtf8(QJsonDocument(Object).toJson(QJsonDocument::Compact)) + u'\n');
    return cesSuccess;
  }
  // Labels in one column, numbers right-aligned in the next.
  qsizetype LabelWidth = 0, ValueWidth = 0;
  for (const TStatsItem &Item : Items) {
    LabelWidth = std::max(LabelWidth, QStringView(Item.Label).size());
    ValueWidth = std::max(ValueWidth, QString::number(Item.Value).size());
  }
  QString Text;
  for (const TStatsItem &Item : Items)
    Text += QString::fromUtf16(Item.Label).leftJustified(LabelWidth + 1) +
            QString::number(Item.Value).rightJustified(ValueWidth) + u'\n';
  PrintOut(Text);
  return cesSuccess;
}
