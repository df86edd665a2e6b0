#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// Exit statuses of lingrove-cli.
enum TCliExitStatus {
  cesSuccess = 0,
  cesProblemsFound = 1, // check: problems of the failing severity were found;
                        // import: units matched no entry
  cesFailure = 2,       // a file could not be read or written, or is not valid; spelling
                        // was asked for without a dictionary
  cesUsage = 64,        // the command line itself is wrong
};

// Wrong use of the command line: reported with a usage hint and cesUsage.
class ECliUsageError : public std::runtime_error {
public:
  explicit ECliUsageError(const QString &Msg)
      : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
  const QString &Message() const { return FMessage; }

private:
  QString FMessage;
};

struct TCliOption {
  QString Name;       // "--json"
  QString ValueName;  // shown in help; empty for a switch
  QStringList Values; // the accepted values; empty when any value goes
  bool bRequired = false;
  QString Help;
};

// A command line after parsing, for one command.
struct TCliArguments {
  QStringList Positional;
  QMap<QString, QString> Options; // by option name; a switch maps to ""
  bool bHelp = false;

  bool Has(const QString &Name) const { return Options.contains(Name); }
  QString Value(const QString &Name) const { return Options.value(Name); }
};

struct TCliCommand;
using TCliCommandProc = int (*)(const TCliArguments &Args);

struct TCliCommand {
  QString Name;
  QStringList ArgNames; // positional arguments; those after MinArgs are optional
  int MinArgs = 0;
  std::vector<TCliOption> Options;
  QString Summary;     // one line for the command list
  QString Description; // the body of the command's own help
  TCliCommandProc Run = nullptr;
  // The last positional argument may be given any number of times.
  bool bRepeatLast = false;
};

// The table of commands, in the order the help lists them.
const std::vector<TCliCommand> &CliCommands();
const TCliCommand *FindCliCommand(const QString &Name);

// "info FILE [--json]"
QString CliSynopsis(const TCliCommand &Command);
QString CliHelpText();
QString CliCommandHelpText(const TCliCommand &Command);

// Raises ECliUsageError for unknown options, bad option values and a wrong
// number of arguments. When -h or --help occurs before "--" the result only
// has bHelp set, whatever else is wrong with the line.
TCliArguments ParseCliArguments(const TCliCommand &Command, const QStringList &Args);

// Runs one command line (without the program name) and returns the exit
// status. No exception leaves it.
int RunCli(const QStringList &Args);

// The commands.
int RunInfoCommand(const TCliArguments &Args);
int RunConvertCommand(const TCliArguments &Args);
int RunSyncCommand(const TCliArguments &Args);
int RunStatsCommand(const TCliArguments &Args);
int RunCheckCommand(const TCliArguments &Args);
int RunExportCommand(const TCliArguments &Args);
int RunImportCommand(const TCliArguments &Args);
int RunPretranslateCommand(const TCliArguments &Args);
int RunMemoryCommand(const TCliArguments &Args);
