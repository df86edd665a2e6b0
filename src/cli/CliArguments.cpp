// Parsing a command's arguments against its entry in the command table.
#include "CliCommand.h"
#include "Exceptions.h"

#include <algorithm>

namespace {

bool IsHelpOption(const QString &Arg) {
  return Arg == u"--help" || Arg == u"-h";
}

const TCliOption *FindOption(const TCliCommand &Command, QStringView Name) {
  const auto It = std::find_if(Command.Options.begin(), Command.Options.end(),
                               [Name](const TCliOption &O) { return O.Name == Name; });
  return It == Command.Options.end() ? nullptr : &*It;
}

} // namespace

TCliArguments ParseCliArguments(const TCliCommand &Command, const QStringList &Args) {
  TCliArguments Result;
  for (const QString &Arg : Args) {
    if (Arg == u"--")
      break;
    if (IsHelpOption(Arg)) {
      Result.bHelp = true;
      return Result;
    }
  }

  bool bOptionsEnded = false;
  for (qsizetype I = 0; I < Args.size(); ++I) {
    const QString &Arg = Args[I];
    if (bOptionsEnded || !Arg.startsWith(u'-') || Arg == u"-") {
      Result.Positional.append(Arg);
      continue;
    }
    if (Arg == u"--") {
      bOptionsEnded = true;
      continue;
    }
    const qsizetype Eq = Arg.indexOf(u'=');
    const QString Name = Eq < 0 ? Arg : Arg.first(Eq);
    const TCliOption *Option = FindOption(Command, Name);
    if (!Option)
      throw ECliUsageError(QStringLiteral("unknown option '%1'").arg(ZrLang_QuotedName(Name)));
    if (Result.Options.contains(Name))
      throw ECliUsageError(QStringLiteral("option %1 given more than once").arg(Name));
    QString Value;
    if (Option->ValueName.isEmpty()) {
      if (Eq >= 0)
        throw ECliUsageError(QStringLiteral("option %1 takes no value").arg(Name));
    } else {
      if (Eq >= 0)
        Value = Arg.sliced(Eq + 1);
      else if (I + 1 < Args.size())
        Value = Args[++I];
      else
        throw ECliUsageError(
            QStringLiteral("option %1 needs a value (%2)").arg(Name, Option->ValueName));
      if (!Option->Values.isEmpty() && !Option->Values.contains(Value))
        throw ECliUsageError(
            QStringLiteral("invalid value '%1' for %2 (expected %3)")
                .arg(ZrLang_QuotedName(Value), Name, Option->Values.join(QStringLiteral(" or "))));
    }
    Result.Options.insert(Name, Value);
  }

  for (const TCliOption &Option : Command.Options)
    if (Option.bRequired && !Result.Options.contains(Option.Name))
      throw ECliUsageError(QStringLiteral("missing option %1").arg(Option.Name));
  if (Result.Positional.size() < Command.MinArgs)
    throw ECliUsageError(
        QStringLiteral("missing argument %1").arg(Command.ArgNames[Result.Positional.size()]));
  if (Result.Positional.size() > Command.ArgNames.size() && !Command.bRepeatLast)
    throw ECliUsageError(QStringLiteral("unexpected argument '%1'")
                             .arg(ZrLang_QuotedName(Result.Positional[Command.ArgNames.size()])));
  return Result;
}

QString CliSynopsis(const TCliCommand &Command) {
  QStringList Parts{Command.Name};
  for (qsizetype I = 0; I < Command.ArgNames.size(); ++I) {
    const bool bRepeated = Command.bRepeatLast && I + 1 == Command.ArgNames.size();
    Parts.append(I < Command.MinArgs ? Command.ArgNames[I]
                 : bRepeated         ? QStringLiteral("[%1...]").arg(Command.ArgNames[I])
                                     : QStringLiteral("[%1]").arg(Command.ArgNames[I]));
  }
  for (const TCliOption &Option : Command.Options) {
    QString Text = Option.Name;
    if (!Option.ValueName.isEmpty())
      Text += u' ' + Option.ValueName;
    Parts.append(Option.bRequired ? Text : QStringLiteral("[%1]").arg(Text));
  }
  return Parts.join(u' ');
}
