#include "CliMemory.h"

#include "DocumentMemory.h"
#include "TranslationMemory.h"

#include <QFileInfo>

TCliOption CliMemoryOption() {
  return TCliOption{QStringLiteral("--memory"),
                    QStringLiteral("DB"),
                    {},
                    false,
                    QStringLiteral("The translation memory (an SQLite file, created when\n"
                                   "missing); by default the user's, in the program's data\n"
                                   "folder, even when the editor's Options name another.")};
}

std::unique_ptr<TTranslationMemory> OpenCliMemory(const TCliArguments &Args, bool bCreate) {
  if (Args.Has(QStringLiteral("--memory"))) {
    const QString Path = Args.Value(QStringLiteral("--memory"));
    if (Path.isEmpty())
      throw ECliUsageError(QStringLiteral("--memory needs a file name"));
    return std::make_unique<TTranslationMemory>(Path);
  }
  const QString Path = DefaultMemoryPath();
  if (!bCreate && !QFileInfo::exists(Path))
    return nullptr;
  return std::make_unique<TTranslationMemory>(Path);
}
