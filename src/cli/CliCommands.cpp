// The command table, the help texts and the boundary at which every error of
// a command becomes an exit status.
#include "CliCommand.h"
#include "Console.h"
#include "CliMemory.h"
#include "Exceptions.h"
#include "ProgramIdentity.h"
#include "TranslationChecks.h"
#include "TranslationSupport.h"

namespace {

const QString ProgramName = QStringLiteral("lingrove-cli");

const QString ExitStatusText =
    QStringLiteral("Exit status:\n"
                   "  0   success\n"
                   "  2   error: a file cannot be read or written, or is not valid; check:\n"
                   "      spelling asked for without a dictionary\n"
                   "  64  wrong usage: unknown command or option, missing or extra arguments,\n"
                   "      invalid option value\n");

// The check command's help: what it does and one line per check.
QString CheckDescription() {
  QString Text =
      QStringLiteral("Reconciles TRANSLATION with the language source SOURCE in memory, as sync\n"
                     "does (no file is written), runs the checks over every translated entry and\n"
                     "prints one line per problem,\n"
                     "  TRANSLATION:LINE: SEVERITY: [CHECK] COMPONENT.PROPERTY (ID=N): MESSAGE\n"
                     "  TRANSLATION:LINE: SEVERITY: [CHECK] constant NAME: MESSAGE\n"
                     "then a line with the numbers of errors, warnings and infos. LINE is the\n"
                     "entry's line in TRANSLATION, counted from 1.\n"
                     "\n"
                     "Checks:\n");
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos())
    Text += QStringLiteral("  %1 %2 %3\n")
                .arg(QString::fromUtf16(Info.Id).leftJustified(12),
                     CheckSeverityName(Info.Severity).leftJustified(8),
                     QString::fromUtf16(Info.Summary));
  return Text + QStringLiteral("\n"
                               "All checks but spelling run unless --only names some. Spelling\n"
                               "uses the installed Hunspell dictionary of the translation's\n"
                               "language (its LANGID) and the words added to it in Lingrove; when\n"
                               "there is none, the command fails with exit status 2.\n"
                               "\n"
                               "Exit status 1: problems of the --fail-on severity or worse were "
                               "found.");
}

int RunHelpCommand(const TCliArguments &Args) {
  if (Args.Positional.isEmpty()) {
    PrintOut(CliHelpText());
    return cesSuccess;
  }
  const TCliCommand *Command = FindCliCommand(Args.Positional[0]);
  if (!Command)
    throw ECliUsageError(
        QStringLiteral("unknown command '%1'").arg(ZrLang_QuotedName(Args.Positional[0])));
  PrintOut(CliCommandHelpText(*Command));
  return cesSuccess;
}

std::vector<TCliCommand> MakeCommands() {
  std::vector<TCliCommand> Commands;
  Commands.push_back(TCliCommand{
      QStringLiteral("info"),
      {QStringLiteral("FILE")},
      1,
      {TCliOption{QStringLiteral("--json"),
                  {},
                  {},
                  false,
                  QStringLiteral("Print one JSON object on one line, with the keys\n"
                                 "encoding, params, components, entries, constants.")}},
      QStringLiteral("Summarize a translation or a language source"),
      QStringLiteral("Prints the encoding of FILE, its header parameters, and the numbers of its\n"
                     "components, property entries and constants. A FILE whose name ends in\n"
                     ".zrlang is read as a language source, which has no header parameters; any\n"
                     "other FILE is read as a translation.\n"
                     "\n"
                     "The encoding follows from the byte-order mark at the start of the file:\n"
                     "ansi (none), utf-16le (FF FE), utf-16be (FE FF) or utf-8 (EF BB BF).\n"
                     "ANSI text is decoded in the system's ANSI code page."),
      RunInfoCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("convert"),
      {QStringLiteral("IN"), QStringLiteral("OUT")},
      2,
      {TCliOption{QStringLiteral("--encoding"),
                  QStringLiteral("ansi|unicode"),
                  {QStringLiteral("ansi"), QStringLiteral("unicode")},
                  true,
                  QStringLiteral("ansi: the system's ANSI code page, no byte-order mark;\n"
                                 "unicode: UTF-16 little-endian after FF FE.")}},
      QStringLiteral("Rewrite a translation in ANSI or UTF-16"),
      QStringLiteral("Reads the translation IN and writes it to OUT in the given encoding. OUT is\n"
                     "created or replaced once it has been written in full; IN is never changed\n"
                     "(IN and OUT may be the same file). Lines end with CR LF."),
      RunConvertCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("sync"),
      {QStringLiteral("SOURCE"), QStringLiteral("TRANSLATION")},
      1,
      {TCliOption{QStringLiteral("--output"),
                  QStringLiteral("OUT"),
                  {},
                  true,
                  QStringLiteral("The file to write the reconciled translation to.\n"
                                 "It may be TRANSLATION itself, never SOURCE.")},
       TCliOption{QStringLiteral("--log"),
                  QStringLiteral("LOG"),
                  {},
                  false,
                  QStringLiteral("Also write the differences log to LOG, in UTF-8\n"
                                 "with CR LF line ends (empty when nothing changed).")},
       TCliOption{QStringLiteral("--encoding"),
                  QStringLiteral("ansi|unicode"),
                  {QStringLiteral("ansi"), QStringLiteral("unicode")},
                  false,
                  QStringLiteral("The encoding of OUT; by default that of TRANSLATION,\n"
                                 "or that of SOURCE for a new translation.")},
       TCliOption{QStringLiteral("--langid"),
                  QStringLiteral("N"),
                  {},
                  false,
                  QStringLiteral("The language of the translation (a LANGID, 1 to\n"
                                 "65535), written as LANGID in place of the loaded one.")},
       TCliOption{QStringLiteral("--keep-header"),
                  {},
                  {},
                  false,
                  QStringLiteral("Write the header parameters exactly as loaded, without\n"
                                 "stamping them, so that the output is reproducible\n"
                                 "(not with --langid).")},
       CliMemoryOption()},
      QStringLiteral("Reconcile a translation with its language source and save it"),
      QStringLiteral(
          "Opens TRANSLATION against the language source SOURCE as the editor does, or a\n"
          "new, empty translation when TRANSLATION is not given: entries that SOURCE has\n"
          "and the translation lacks are added as untranslated, entries that SOURCE no\n"
          "longer has are deleted. The differences log and the table of totals are\n"
          "printed. Then the translation is saved to OUT as the editor saves it:\n"
          "untranslated entries are left out, and the header parameters are set as\n"
          "  SourceLANGID  that of TRANSLATION (1033 when missing or new)\n"
          "  LANGID        --langid, else that of TRANSLATION; left out when unknown\n") +
          QStringLiteral("  Generator     ") + TranslationGenerator() +
          QStringLiteral(
              "\n"
              "  LastModified  the local date and time, yyyy-mm-dd hh:mm:ss (24 hours)\n"
              "replacing the values of the same names; other parameters stay.\n"
              "\n"
              "SOURCE and TRANSLATION are never changed unless OUT names TRANSLATION. OUT is\n"
              "created or replaced once it has been written in full. A warning goes to\n"
              "stderr when OUT's encoding differs from that of SOURCE, and when SOURCE has\n"
              "entries whose ID is 0 or negative: no translation file can keep them.\n"
              "\n"
              "The translated entries that are deleted are kept in the translation memory\n"
              "(--memory, else the user's when it exists) if it knows their source texts,\n"
              "from an earlier save or import of TRANSLATION, and their number is printed;\n"
              "the saved entries go into it too."),
      RunSyncCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("stats"),
      {QStringLiteral("SOURCE"), QStringLiteral("TRANSLATION")},
      1,
      {TCliOption{QStringLiteral("--json"),
                  {},
                  {},
                  false,
                  QStringLiteral("Print one JSON object on one line, with the keys\n"
                                 "components, properties, untranslatedProperties,\n"
                                 "constants, untranslatedConstants.")}},
      QStringLiteral("Count the entries and the untranslated ones"),
      QStringLiteral("Reconciles TRANSLATION (a new, empty one when not given) with the language\n"
                     "source SOURCE in memory, as sync does, and prints the counts of the\n"
                     "editor's status bar: the components, the properties and constants of\n"
                     "SOURCE, and how many of them the translation lacks. No file is written.\n"
                     "Entries of SOURCE whose ID is 0 or negative cannot be translated: they\n"
                     "are not counted as untranslated, and a warning on stderr lists them."),
      RunStatsCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("check"),
      {QStringLiteral("SOURCE"), QStringLiteral("TRANSLATION")},
      2,
      {TCliOption{QStringLiteral("--json"),
                  {},
                  {},
                  false,
                  QStringLiteral("Print one JSON object on one line: \"problems\", each\n"
                                 "with check, severity, component, property, id,\n"
                                 "constant, line and message (null where the entry\n"
                                 "has none), and \"counts\" by severity.")},
       TCliOption{QStringLiteral("--fail-on"),
                  QStringLiteral("error|warning|never"),
                  {QStringLiteral("error"), QStringLiteral("warning"), QStringLiteral("never")},
                  false,
                  QStringLiteral("The least severity that makes the exit status 1;\n"
                                 "error by default.")},
       TCliOption{QStringLiteral("--only"),
                  QStringLiteral("IDS"),
                  {},
                  false,
                  QStringLiteral("Run only these checks, a comma-separated list.")}},
      QStringLiteral("Run quality checks over the translated entries"),
      CheckDescription(),
      RunCheckCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("export"),
      {QStringLiteral("SOURCE"), QStringLiteral("TRANSLATION")},
      1,
      {TCliOption{QStringLiteral("--format"),
                  QStringLiteral("xliff|po"),
                  {QStringLiteral("xliff"), QStringLiteral("po")},
                  false,
                  QStringLiteral("XLIFF 1.2 or gettext PO; by default the one the\n"
                                 "extension of OUT names (.xlf, .xliff, .po).")},
       TCliOption{QStringLiteral("--output"),
                  QStringLiteral("OUT"),
                  {},
                  true,
                  QStringLiteral("The file to write.")}},
      QStringLiteral("Write the entries for CAT tools (XLIFF) or gettext (PO)"),
      QStringLiteral(
          "Reconciles TRANSLATION (a new, empty one when not given) with the language\n"
          "source SOURCE in memory, as sync does, and writes every entry that a\n"
          "translation file can keep to OUT, in UTF-8 with LF line breaks:\n"
          "  xliff  XLIFF 1.2: one <group> per component (resname: its name) and one\n"
          "         for the constants ($CONSTANTS); one <trans-unit> per entry, id\n"
          "         COMPONENT:ID or the constant's name, resname the property path,\n"
          "         <source> and <target> with the state translated,\n"
          "         needs-translation (untranslated: empty) or needs-review-translation\n"
          "         (translated automatically). The languages are BCP 47 tags of the\n"
          "         LANGIDs (1031 is de-DE). Entries whose texts hold control characters\n"
          "         other than tab and line break are left out: XML cannot carry them.\n"
          "  po     gettext PO: msgctxt COMPONENT.PROPERTY or the constant's name (a\n"
          "         property path that another entry of the component has already\n"
          "         taken gets #ID appended), msgid the source value, msgstr the\n"
          "         translation, empty when untranslated, and \"#, fuzzy\" when\n"
          "         translated automatically; the header names the language\n"
          "         (Language: de_DE). Entries with an empty source value are left out:\n"
          "         gettext keeps the empty msgid for the header.\n"
          "Entries left out are named in a warning on stderr. OUT is created or\n"
          "replaced once it has been written in full."),
      RunExportCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("import"),
      {QStringLiteral("SOURCE"), QStringLiteral("FILE")},
      2,
      {TCliOption{QStringLiteral("--output"),
                  QStringLiteral("OUT"),
                  {},
                  true,
                  QStringLiteral("The translation to fill and write: OUT itself when\n"
                                 "it exists, otherwise a new one.")},
       TCliOption{QStringLiteral("--encoding"),
                  QStringLiteral("ansi|unicode"),
                  {QStringLiteral("ansi"), QStringLiteral("unicode")},
                  false,
                  QStringLiteral("The encoding of OUT; by default that of OUT when it\n"
                                 "exists, or that of SOURCE.")}},
      QStringLiteral("Take the translations of an XLIFF or PO file into a translation"),
      QStringLiteral(
          "Reads FILE, an XLIFF 1.2 or PO file as export writes them (the format\n"
          "follows from the extension .xlf, .xliff or .po, else from the content),\n"
          "opens OUT (a new translation when it does not exist, whose languages\n"
          "are then those of FILE) against the language source SOURCE as sync does,\n"
          "and stores the translation of every unit of FILE in the entry its id\n"
          "(XLIFF) or msgctxt (PO) names: a translated unit's as translated, one\n"
          "that needs review (needs-review-translation, fuzzy) as translated\n"
          "automatically. Untranslated units and everything else in the translation\n"
          "stay as they were. Then OUT is saved as sync saves it, and a line with the\n"
          "numbers of units taken, untranslated and unmatched is printed; each unit\n"
          "that names no entry is reported on stderr.\n"
          "\n"
          "Exit status 1: units of FILE matched no entry (OUT is written all the\n"
          "same)."),
      RunImportCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("pretranslate"),
      {QStringLiteral("SOURCE"), QStringLiteral("TRANSLATION")},
      2,
      {TCliOption{QStringLiteral("--output"),
                  QStringLiteral("OUT"),
                  {},
                  true,
                  QStringLiteral("The file to write the filled translation to.")},
       CliMemoryOption(),
       TCliOption{QStringLiteral("--min-similarity"),
                  QStringLiteral("N"),
                  {},
                  false,
                  QStringLiteral("Also take fuzzy matches whose similarity is at least\n"
                                 "N percent (1 to 100); exact matches only by default.")},
       TCliOption{QStringLiteral("--encoding"),
                  QStringLiteral("ansi|unicode"),
                  {QStringLiteral("ansi"), QStringLiteral("unicode")},
                  false,
                  QStringLiteral("The encoding of OUT; by default that of TRANSLATION.")},
       TCliOption{QStringLiteral("--json"),
                  {},
                  {},
                  false,
                  QStringLiteral("Print one JSON object on one line, with the keys\n"
                                 "exact, fuzzy and untranslated.")}},
      QStringLiteral("Fill untranslated entries from the translation memory"),
      QStringLiteral(
          "Opens TRANSLATION against the language source SOURCE as sync does and fills\n"
          "its untranslated entries with the translations of the same source text:\n"
          "those of the translation's own entries first, then the most recent of the\n"
          "translation memory for the translation's pair of languages; with\n"
          "--min-similarity also with the best similar one (similarity: one minus the\n"
          "edit distance over the longer text's length). Filled entries are written to\n"
          "OUT as translated and marked as translated automatically, for review, in the\n"
          "header parameter Autotranslated, which the editor reads. OUT is saved as\n"
          "sync saves it, and the numbers filled exactly and fuzzily and the number\n"
          "still untranslated are printed."),
      RunPretranslateCommand});
  Commands.push_back(TCliCommand{
      QStringLiteral("memory"),
      {QStringLiteral("ACTION"), QStringLiteral("FILE")},
      1,
      {CliMemoryOption(),
       TCliOption{QStringLiteral("--source"),
                  QStringLiteral("ZRLANG"),
                  {},
                  false,
                  QStringLiteral("import: the language source of the .lng files; by\n"
                                 "default the one .zrlang file beside each of them.")},
       TCliOption{QStringLiteral("--json"),
                  {},
                  {},
                  false,
                  QStringLiteral("stats: print one JSON object on one line, with the\n"
                                 "keys units, textBytes, fileBytes and pairs.")}},
      QStringLiteral("Import into, export or count the translation memory"),
      QStringLiteral(
          "ACTION is one of\n"
          "  import FILE...  stores the translations of the files: TMX files (.tmx)\n"
          "                  and translation files (.lng) with their language source,\n"
          "                  entries matched by component and ID, constants by name;\n"
          "                  a folder stands for its .lng and .tmx files. A file that\n"
          "                  cannot be read stops the import (a TMX file's fault with\n"
          "                  its line and column) and nothing of it is stored.\n"
          "  export OUT.tmx  writes every unit as TMX 1.4b.\n"
          "  stats           prints the number of units by pair of languages, the size\n"
          "                  of their texts and that of the database.\n"
          "Units equal in languages, source text and translation are stored once."),
      RunMemoryCommand,
      true});
  Commands.push_back(
      TCliCommand{QStringLiteral("help"),
                  {QStringLiteral("COMMAND")},
                  0,
                  {},
                  QStringLiteral("Show this help, or the help of COMMAND"),
                  QStringLiteral("Shows the help of lingrove-cli or of one command."),
                  RunHelpCommand});
  return Commands;
}

QString OptionLabel(const TCliOption &Option) {
  return Option.ValueName.isEmpty() ? Option.Name : Option.Name + u' ' + Option.ValueName;
}

// Two-column rows: the label, then the text with its further lines indented.
QString Rows(const QList<std::pair<QString, QString>> &Items) {
  constexpr int Width = 24;
  QString Text;
  for (const auto &[Label, Help] : Items) {
    const QString Indent(Width, u' ');
    QString Head = QStringLiteral("  ") + Label;
    if (Head.size() >= Width)
      Text += Head + u'\n' + Indent;
    else
      Text += Head.leftJustified(Width);
    Text += QString(Help).replace(u'\n', u'\n' + Indent) + u'\n';
  }
  return Text;
}

QString UsageHint(const TCliCommand *Command) {
  if (!Command)
    return QStringLiteral("Usage: %1 COMMAND [ARGUMENTS]\nTry '%1 --help' for more information.\n")
        .arg(ProgramName);
  return QStringLiteral("Usage: %1 %2\nTry '%1 %3 --help' for more information.\n")
      .arg(ProgramName, CliSynopsis(*Command), Command->Name);
}

} // namespace

const std::vector<TCliCommand> &CliCommands() {
  static const std::vector<TCliCommand> Commands = MakeCommands();
  return Commands;
}

const TCliCommand *FindCliCommand(const QString &Name) {
  for (const TCliCommand &Command : CliCommands())
    if (Command.Name == Name)
      return &Command;
  return nullptr;
}

QString CliHelpText() {
  QList<std::pair<QString, QString>> Commands;
  for (const TCliCommand &Command : CliCommands())
    Commands.append({CliSynopsis(Command), Command.Summary});
  return QStringLiteral("Usage: %1 COMMAND [ARGUMENTS] [OPTIONS]\n"
                        "\n"
                        "Inspects, converts and reconciles the translation files (.lng) and\n"
                        "language sources (.zrlang) of the ZrLang localization library.\n"
                        "\n"
                        "Commands:\n")
             .arg(ProgramName) +
         Rows(Commands) +
         QStringLiteral("\n"
                        "Every command also accepts -h or --help for its own help.\n"
                        "'%1 --version' prints the version.\n"
                        "\n")
             .arg(ProgramName) +
         ExitStatusText +
         QStringLiteral("\n"
                        "Environment:\n"
                        "  LINGROVE_ACP  the system's ANSI code page (for example 1251) for files\n"
                        "                without a byte-order mark that name no LANGID; by\n"
                        "                default that of the locale's language, 1252 when the\n"
                        "                locale names none. A translation that names its LANGID\n"
                        "                is read and written in that language's code page.\n");
}

QString CliCommandHelpText(const TCliCommand &Command) {
  QList<std::pair<QString, QString>> Options;
  for (const TCliOption &Option : Command.Options)
    Options.append({OptionLabel(Option), Option.Help});
  Options.append({QStringLiteral("-h, --help"), QStringLiteral("Show this help.")});
  return QStringLiteral("Usage: %1 %2\n\n%3\n\nOptions:\n")
             .arg(ProgramName, CliSynopsis(Command), Command.Description) +
         Rows(Options) + u'\n' + ExitStatusText;
}

int RunCli(const QStringList &Args) {
  const TCliCommand *Command = nullptr;
  try {
    if (Args.isEmpty())
      throw ECliUsageError(QStringLiteral("no command given"));
    const QString &First = Args.first();
    if (First == u"--version" && Args.size() == 1) {
      PrintOut(ProgramName + u' ' + ProgramVersion() + u'\n');
      return cesSuccess;
    }
    // "--help" and "-h" before any command stand for the help command.
    const bool bHelpOption = First == u"--help" || First == u"-h";
    const TCliCommand *Found = FindCliCommand(bHelpOption ? QStringLiteral("help") : First);
    if (!Found)
      throw ECliUsageError(
          First.startsWith(u'-')
              ? QStringLiteral("unknown option '%1'").arg(ZrLang_QuotedName(First))
              : QStringLiteral("unknown command '%1'").arg(ZrLang_QuotedName(First)));
    Command = Found;
    const TCliArguments Parsed = ParseCliArguments(*Command, Args.mid(1));
    if (Parsed.bHelp) {
      PrintOut(CliCommandHelpText(*Command));
      return cesSuccess;
    }
    return Command->Run(Parsed);
  } catch (const ECliUsageError &E) {
    PrintErr(ProgramName + QStringLiteral(": ") + E.Message() + u'\n' + UsageHint(Command));
    return cesUsage;
  } catch (const Exception &E) {
    PrintErr(ProgramName + QStringLiteral(": ") + E.Message() + u'\n');
    return cesFailure;
  } catch (const std::exception &E) {
    PrintErr(ProgramName + QStringLiteral(": ") + QString::fromUtf8(E.what()) + u'\n');
    return cesFailure;
  } catch (...) {
    PrintErr(ProgramName + QStringLiteral(": unexpected error\n"));
    return cesFailure;
  }
}
