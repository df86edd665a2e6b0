// `check SOURCE TRANSLATION [--json] [--fail-on ...] [--only ...]`: the
// quality checks over every translated entry, for build pipelines.
#include "CliCommand.h"
#include "CliDocument.h"
#include "Console.h"
#include "DocumentChecks.h"
#include "Exceptions.h"
#include "LangSource.h"
#include "Languages.h"
#include "SpellingSession.h"
#include "TranslationLines.h"
#include "Translations.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace {

int PropertyID(const TEntryTable &Entries, int Position) {
  return static_cast<const TPropertySource *>(Entries.Node(Position).Data.Source)->iID;
}

// Spelling only when asked for: it depends on what dictionaries the machine
// has, which a build pipeline should not.
TTranslationCheckSet OnlyOption(const TCliArguments &Args) {
  if (!Args.Has(QStringLiteral("--only"))) {
    TTranslationCheckSet Checks = TTranslationCheckSet::All();
    Checks.Exclude(tcSpelling);
    return Checks;
  }
  TTranslationCheckSet Checks;
  for (const QString &Id : Args.Value(QStringLiteral("--only")).split(u',')) {
    const std::optional<TTranslationCheck> Check = FindTranslationCheck(Id.trimmed());
    if (!Check)
      throw ECliUsageError(
          QStringLiteral("unknown check '%1' in --only").arg(ZrLang_QuotedName(Id)));
    Checks.Include(*Check);
  }
  return Checks;
}

// The lowest severity that fails the command; none for "never".
std::optional<TCheckSeverity> FailOnOption(const TCliArguments &Args) {
  const QString Value = Args.Value(QStringLiteral("--fail-on"));
  if (Value == u"never")
    return std::nullopt;
  return Value == u"warning" ? TCheckSeverity::Warning : TCheckSeverity::Error;
}

// The lines of the entries that have problems.
TTranslationLines FindLines(const QString &FileName, TTranslationDocument &Doc,
                            const std::vector<TEntryProblem> &Problems) {
  const TEntryTable &Entries = Doc.Entries();
  TTranslationLines Lines;
  for (const TEntryProblem &Found : Problems) {
    const int P = Found.Position;
    if (Entries.Kind(P) == nkConstant)
      Lines.WantConstant(Entries.Name(P));
    else
      Lines.WantProperty(Entries.Name(Entries.Node(P).Parent), PropertyID(Entries, P));
  }
  if (Lines.IsEmpty())
    return Lines;
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly))
    throw EFOpenError(FileName, File.errorString());
  Lines.Find(File.readAll(), Doc.Translation().AnsiCodePage());
  return Lines;
}

// Where a problem is: the entry's names and its line in the translation.
struct TProblemPlace {
  QString Component, Property, Constant;
  int iID = 0;
  int Line = 0;
};

TProblemPlace PlaceOf(const TEntryTable &Entries, int Position, const TTranslationLines &Lines) {
  TProblemPlace Place;
  if (Entries.Kind(Position) == nkConstant) {
    Place.Constant = Entries.Name(Position);
    Place.Line = Lines.ConstantLine(Place.Constant);
    return Place;
  }
  Place.Component = Entries.Name(Entries.Node(Position).Parent);
  Place.Property = Entries.Name(Position);
  Place.iID = PropertyID(Entries, Position);
  Place.Line = Lines.PropertyLine(Place.Component, Place.iID);
  return Place;
}

void AppendProblemLine(QString &Text, const QString &File, const TProblemPlace &Place,
                       const TCheckProblem &P) {
  Text.append(File).append(u':').append(QString::number(Place.Line)).append(u": ");
  Text.append(CheckSeverityName(P.Severity)).append(u": [");
  Text.append(TranslationCheckInfo(P.Check).Id).append(u"] ");
  if (Place.Constant.isEmpty())
    Text.append(Place.Component)
        .append(u'.')
        .append(Place.Property)
        .append(u" (ID=")
        .append(QString::number(Place.iID))
        .append(u')');
  else
    Text.append(u"constant ").append(Place.Constant);
  Text.append(u": ").append(P.Message).append(u'\n');
}

QJsonObject ProblemObject(const TProblemPlace &Place, const TCheckProblem &P) {
  const bool bConstant = !Place.Constant.isEmpty();
  const auto TextOrNull = [](bool bHas, const QString &Text) {
    return bHas ? QJsonValue(Text) : QJsonValue(QJsonValue::Null);
  };
  return QJsonObject{
      {QStringLiteral("check"), QString::fromUtf16(TranslationCheckInfo(P.Check).Id)},
      {QStringLiteral("severity"), CheckSeverityName(P.Severity)},
      {QStringLiteral("component"), TextOrNull(!bConstant, Place.Component)},
      {QStringLiteral("property"), TextOrNull(!bConstant, Place.Property)},
      {QStringLiteral("id"), bConstant ? QJsonValue(QJsonValue::Null) : QJsonValue(Place.iID)},
      {QStringLiteral("constant"), TextOrNull(bConstant, Place.Constant)},
      {QStringLiteral("line"), Place.Line},
      {QStringLiteral("message"), P.Message}};
}

} // namespace

int RunCheckCommand(const TCliArguments &Args) {
  const QString SourceFile = Args.Positional[0];
  const QString TranslationFile = Args.Positional[1];
  const TTranslationCheckSet Checks = OnlyOption(Args);
  const std::optional<TCheckSeverity> FailOn = FailOnOption(Args);
  const bool bJson = Args.Has(QStringLiteral("--json"));

  std::unique_ptr<TTranslationDocument> Doc = LoadCliDocument(SourceFile, TranslationFile);
  WarnNonPositiveIDs(Doc->Source());
  // Spelling asked for and impossible fails the command: passing would say
  // the words were checked.
  TSpellingSession Spelling;
  if (Checks.Contains(tcSpelling)) {
    const quint16 LangID = Doc->Languages().LangIDTranslation;
    if (LangID == 0) {
      PrintErr(QStringLiteral("lingrove-cli: the translation names no language (LANGID), so its "
                              "spelling cannot be checked\n"));
      return cesFailure;
    }
    if (!Spelling.Open(LangID)) {
      PrintErr(QStringLiteral("lingrove-cli: no spelling dictionary for %1 (%2) is installed, so "
                              "the spelling cannot be checked\n")
                   .arg(LanguageNameOfLCID(LangID), SpellingLanguageTags(LangID).join(u", ")));
      return cesFailure;
    }
  }
  const std::vector<TEntryProblem> Problems =
      CheckDocumentEntries(*Doc, Checks, Spelling.IsOpen() ? &Spelling : nullptr);
  const TTranslationLines Lines = FindLines(TranslationFile, *Doc, Problems);
  const TEntryTable &Entries = Doc->Entries();

  std::array<int, 3> Counts{}; // by TCheckSeverity
  QString Text;
  QJsonArray Array;
  for (const TEntryProblem &Found : Problems) {
    ++Counts[size_t(Found.Problem.Severity)];
    const TProblemPlace Place = PlaceOf(Entries, Found.Position, Lines);
    if (bJson) {
      Array.append(ProblemObject(Place, Found.Problem));
      continue;
    }
    AppendProblemLine(Text, TranslationFile, Place, Found.Problem);
    // Printed in parts, so that thousands of problems take little memory.
    if (Text.size() > 65536) {
      PrintOut(Text);
      Text.clear();
    }
  }
  const int Errors = Counts[size_t(TCheckSeverity::Error)];
  const int Warnings = Counts[size_t(TCheckSeverity::Warning)];
  const int Infos = Counts[size_t(TCheckSeverity::Info)];
  if (bJson) {
    const QJsonObject Totals{{QStringLiteral("error"), Errors},
                             {QStringLiteral("warning"), Warnings},
                             {QStringLiteral("info"), Infos}};
    const QJsonObject Result{{QStringLiteral("problems"), Array},
                             {QStringLiteral("counts"), Totals}};
    PrintOut(QString::fromUtf8(QJsonDocument(Result).toJson(QJsonDocument::Compact)) + u'\n');
  } else {
    PrintOut(
        Text +
        QStringLiteral("%1 errors, %2 warnings, %3 infos\n").arg(Errors).arg(Warnings).arg(Infos));
  }
  KeepUntilExit(std::move(Doc));

  bool bFail = false;
  if (FailOn)
    for (int S = int(*FailOn); S < int(Counts.size()); ++S)
      bFail = bFail || Counts[size_t(S)] > 0;
  return bFail ? cesProblemsFound : cesSuccess;
}
