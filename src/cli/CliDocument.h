#pragma once

#include "TranslationDocument.h"

#include <QString>
#include <array>
#include <memory>

// Opens SOURCE with TRANSLATION (blank for a new translation) as the editor
// does, without a display translation. A file's error is reported with the
// library's message alone: the command line names its files itself.
std::unique_ptr<TTranslationDocument> LoadCliDocument(const QString &SourceFile,
                                                      const QString &TranslationFile);

// Warns on stderr about the source's entries that cannot be translated
// because their ID is 0 or negative; nothing when there are none.
void WarnNonPositiveIDs(const TLangSource &Source);

// The totals table of the differences, from the program's constant, with its
// columns aligned by blanks; lines end with LF.
QString DifferencesTotalsText(const std::array<int, 9> &Counts);
