// `convert IN OUT --encoding ansi|unicode`: rewrites a translation.
#include "CliCommand.h"
#include "Translations.h"

int RunConvertCommand(const TCliArguments &Args) {
  const bool bUnicode = Args.Value(QStringLiteral("--encoding")) == u"unicode";
  TZrLang_CompTranslations Translation;
  Translation.Text_LoadFromFile(Args.Positional[0], false);
  // Nothing is skipped: entries read from a file carry no states.
  Translation.Text_SaveToFile(Args.Positional[1], bUnicode, false);
  return cesSuccess;
}
