#include "CliDocument.h"

#include "CliCommand.h"
#include "Console.h"
#include "LangSource.h"
#include "LanguageManager.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <vector>

std::unique_ptr<TTranslationDocument> LoadCliDocument(const QString &SourceFile,
                                                      const QString &TranslationFile,
                                                      TTranslationMemory *Memory) {
  auto Doc = std::make_unique<TTranslationDocument>();
  Doc->SetMemory(Memory);
  try {
    Doc->Load(SourceFile, QString(), TranslationFile);
  } catch (const ETranslationFileError &E) {
    throw EZrLangError(E.Reason());
  }
  return Doc;
}

void KeepUntilExit(std::unique_ptr<TTranslationDocument> Doc) {
  static auto *Kept = new std::vector<std::unique_ptr<TTranslationDocument>>;
  Kept->push_back(std::move(Doc));
}

void RefuseSameFile(const QString &Output, const QString &Input, const QString &What) {
  if (Output.isEmpty() || Input.isEmpty())
    return;
  const QFileInfo A(Output), B(Input);
  const bool bSame = A.exists() && B.exists() ? A.canonicalFilePath() == B.canonicalFilePath()
                                              : A.absoluteFilePath() == B.absoluteFilePath();
  if (bSame)
    throw ECliUsageError(
        QStringLiteral("%1 may not be the same file as %2").arg(What, ZrLang_QuotedName(Input)));
}

QString OutputOption(const TCliArguments &Args, std::initializer_list<QString> Inputs) {
  const QString Option = QStringLiteral("--output");
  const QString OutFile = Args.Value(Option);
  if (OutFile.isEmpty())
    throw ECliUsageError(QStringLiteral("--output needs a file name"));
  for (const QString &Input : Inputs)
    RefuseSameFile(OutFile, Input, Option);
  return OutFile;
}

bool OutputEncoding(const TTranslationDocument &Doc, const TCliArguments &Args) {
  const bool bSourceUnicode = Doc.Source().IsFileUnicode();
  bool bUnicode = Doc.DefaultUnicode();
  if (Args.Has(QStringLiteral("--encoding")))
    bUnicode = Args.Value(QStringLiteral("--encoding")) == u"unicode";
  if (bUnicode != bSourceUnicode)
    PrintErr(bUnicode ? QStringLiteral("lingrove-cli: warning: writing the translation as "
                                       "Unicode while the language source is ANSI\n")
                      : QStringLiteral("lingrove-cli: warning: writing the translation as "
                                       "ANSI while the language source is Unicode\n"));
  return bUnicode;
}

void WarnNonPositiveIDs(const TLangSource &Source) {
  // A few names say where to look; a source can hold thousands of them.
  constexpr qsizetype Listed = 10;
  const QStringList Entries = NonPositiveIDEntries(Source);
  if (Entries.isEmpty())
    return;
  QString List = Entries.first(std::min(Listed, Entries.size())).join(QStringLiteral(", "));
  if (Entries.size() > Listed)
    List += QStringLiteral(", ...");
  PrintErr(QStringLiteral("lingrove-cli: warning: %1 entries of the language source have an ID "
                          "of 0 or below, which no translation file can keep; they cannot be "
                          "translated: %2\n")
               .arg(Entries.size())
               .arg(List));
}

QString DifferencesTotalsText(const std::array<int, 9> &Counts) {
  QVariantList Args;
  for (int Count : Counts)
    Args.append(Count);
  const QString Table = LangConstantFmt(u"SMessageDiffencesTotals", Args);

  QList<QStringList> Rows;
  std::vector<qsizetype> Widths;
  for (const QString &Line : Table.split(QStringLiteral("\r\n"))) {
    Rows.append(Line.split(u'\t'));
    Widths.resize(std::max(Widths.size(), size_t(Rows.last().size())), 0);
    for (qsizetype I = 0; I < Rows.last().size(); ++I)
      Widths[size_t(I)] = std::max(Widths[size_t(I)], Rows.last()[I].size());
  }
  // Row labels to the left, the columns of numbers to the right.
  QString Text;
  for (const QStringList &Row : Rows) {
    QString Line;
    for (qsizetype I = 0; I < Row.size(); ++I)
      Line += I == 0 ? Row[I].leftJustified(Widths[0])
                     : QStringLiteral("  ") + Row[I].rightJustified(Widths[size_t(I)]);
    Text += Line + u'\n';
  }
  return Text;
}
