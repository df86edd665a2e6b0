// `info FILE [--json]`: a summary of a translation or a language source.
#include "CliCommand.h"
#include "Console.h"
#include "FileSummary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString JsonText(const TFileSummary &Summary) {
  QJsonObject Object;
  Object.insert(QStringLiteral("encoding"), StreamEncodingName(Summary.Encoding));
  Object.insert(QStringLiteral("params"), QJsonArray::fromStringList(Summary.Params));
  Object.insert(QStringLiteral("components"), Summary.Components);
  Object.insert(QStringLiteral("entries"), Summary.Entries);
  Object.insert(QStringLiteral("constants"), Summary.Constants);
  return QString::fromUtf8(QJsonDocument(Object).toJson(QJsonDocument::Compact)) + u'\n';
}

// Labels padded to one column, values after them; further lines of a value
// are indented to the same column.
class TSummaryText {
public:
  void Add(const QString &Label, const QString &Value) {
    FText += (Label + u':').leftJustified(LabelWidth) + Value + u'\n';
  }
  void AddMore(const QString &Value) { FText += QString(LabelWidth, u' ') + Value + u'\n'; }
  const QString &Text() const { return FText; }

private:
  static constexpr int LabelWidth = 13;
  QString FText;
};

QString HumanText(const QString &FileName, const TFileSummary &Summary) {
  TSummaryText Out;
  Out.Add(QStringLiteral("File"), FileName);
  Out.Add(QStringLiteral("Type"),
          Summary.bLangSource ? QStringLiteral("language source") : QStringLiteral("translation"));
  QString Encoding = StreamEncodingName(Summary.Encoding);
  if (Summary.Encoding == seNone)
    Encoding += QStringLiteral(" (code page %1)").arg(Summary.CodePage);
  Out.Add(QStringLiteral("Encoding"), Encoding);
  if (!Summary.bLangSource) {
    if (Summary.Params.isEmpty())
      Out.Add(QStringLiteral("Parameters"), QStringLiteral("none"));
    for (qsizetype I = 0; I < Summary.Params.size(); ++I) {
      if (I == 0)
        Out.Add(QStringLiteral("Parameters"), Summary.Params[I]);
      else
        Out.AddMore(Summary.Params[I]);
    }
  }
  Out.Add(QStringLiteral("Components"), QString::number(Summary.Components));
  Out.Add(QStringLiteral("Entries"), QString::number(Summary.Entries));
  Out.Add(QStringLiteral("Constants"), QString::number(Summary.Constants));
  return Out.Text();
}

} // namespace

int RunInfoCommand(const TCliArguments &Args) {
  const QString &FileName = Args.Positional[0];
  const TFileSummary Summary = SummarizeFile(FileName);
  PrintOut(Args.Has(QStringLiteral("--json")) ? JsonText(Summary) : HumanText(FileName, Summary));
  return cesSuccess;
}
