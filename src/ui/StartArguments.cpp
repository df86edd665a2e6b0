#include "StartArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <deque>
#include <string>
#include <string_view>

namespace {

constexpr int UsageExitStatus = 64;
constexpr char ProtectedDisplay[] = "--display-translation";

QString Absolute(const QString &Path) {
  return Path.isEmpty() ? QString() : QFileInfo(Path).absoluteFilePath();
}

} // namespace

bool AsksForHelpOrVersion(int argc, char **argv) {
  for (int I = 1; I < argc; ++I) {
    const std::string_view Arg = argv[I];
    if (Arg == "--")
      return false;
    if (Arg == "-h" || Arg == "--help" || Arg == "-?" || Arg == "-v" || Arg == "--version")
      return true;
  }
  return false;
}

void ProtectDisplayOption(int argc, char **argv) {
  // The renamed arguments live as long as the program.
  static std::deque<std::string> Renamed;
  for (int I = 1; I < argc; ++I) {
    const std::string_view Arg = argv[I];
    if (Arg == "--")
      return;
    if (Arg == "--display" || Arg.starts_with("--display=")) {
      Renamed.push_back(ProtectedDisplay + std::string(Arg.substr(9)));
      argv[I] = Renamed.back().data();
    }
  }
}

int ParseStartArguments(const QStringList &Args, TStartFiles &Files, QTextStream &Out,
                        QTextStream &Err) {
  QCommandLineParser Parser;
  Parser.setApplicationDescription(
      QStringLiteral("Lingrove, the editor of ZrLang translation files."));
  const QCommandLineOption Help = Parser.addHelpOption();
  const QCommandLineOption Version = Parser.addVersionOption();
  const QCommandLineOption Display({QStringLiteral("display"), QString::fromLatin1(ProtectedDisplay + 2)},
                                   QStringLiteral("A translation whose values are shown beside "
                                                  "the source's."),
                                   QStringLiteral("DISPLAY.lng"));
  Parser.addOption(Display);
  Parser.addPositionalArgument(QStringLiteral("SOURCE.zrlang"),
                               QStringLiteral("The language source to open."),
                               QStringLiteral("[SOURCE.zrlang"));
  Parser.addPositionalArgument(
      QStringLiteral("TRANSLATION.lng"),
      QStringLiteral("Its translation; a file that does not exist yet starts a new one to be "
                     "saved under that name. Given alone, it fills in the open files dialog."),
      QStringLiteral("[TRANSLATION.lng]]"));

  // Without an application object the parser cannot name the program.
  const QString Usage = Parser.helpText().replace(
      QStringLiteral("<executable_name>"), QFileInfo(Args.value(0)).fileName());
  const auto Wrong = [&](const QString &Error) {
    Err << QCoreApplication::applicationName() << ": " << Error << "\n\n" << Usage;
    Err.flush();
    return UsageExitStatus;
  };
  if (!Parser.parse(Args))
    return Wrong(Parser.errorText());
  if (Parser.isSet(Help)) {
    Out << Usage;
    Out.flush();
    return 0;
  }
  if (Parser.isSet(Version)) {
    Out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
        << '\n';
    Out.flush();
    return 0;
  }
  const QStringList Positional = Parser.positionalArguments();
  if (Positional.size() > 2)
    return Wrong(QStringLiteral("Too many files: %1.").arg(Positional.join(QStringLiteral(", "))));
  Files = TStartFiles();
  Files.Display = Absolute(Parser.value(Display));
  if (Positional.size() == 1 && Positional[0].endsWith(QStringLiteral(".lng"), Qt::CaseInsensitive)) {
    Files.Translation = Absolute(Positional[0]);
  } else if (!Positional.isEmpty()) {
    Files.Source = Absolute(Positional[0]);
    Files.Translation = Absolute(Positional.value(1));
  }
  return -1;
}
