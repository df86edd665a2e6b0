#pragma once

#include "TranslationDocument.h"

struct TCliArguments;
class TTranslationMemory;

#include <QString>
#include <array>
#include <initializer_list>
#include <memory>

// Opens SOURCE with TRANSLATION (blank for a new translation) as the editor
// does, without a display translation. A file's error is reported with the
// library's message alone: the command line names its files itself. With a
// memory, the translated entries the reconciliation removes are kept in it
// (REQUIRES: Memory outlives the document's saves).
std::unique_ptr<TTranslationDocument> LoadCliDocument(const QString &SourceFile,
                                                      const QString &TranslationFile,
                                                      TTranslationMemory *Memory = nullptr);

// The program ends right after a command. Freeing a large document string by
// string takes a noticeable share of a command, so the document is kept until
// the process ends, when the system reclaims its memory at once. The holder
// lives in static storage, so leak checkers still see the document as
// reachable.
void KeepUntilExit(std::unique_ptr<TTranslationDocument> Doc);

// Raises ECliUsageError "WHAT may not be the same file as INPUT" when both
// names are given and refer to one file: the same file when both exist,
// otherwise the same absolute path.
void RefuseSameFile(const QString &Output, const QString &Input, const QString &What);

// The file named by --output. Raises ECliUsageError when it is missing or is
// one of Inputs (see RefuseSameFile).
QString OutputOption(const TCliArguments &Args, std::initializer_list<QString> Inputs);

// Whether a command writes its translation as Unicode: as --encoding says,
// by default in the document's own encoding. Warns on stderr when that is
// not the encoding of the language source.
bool OutputEncoding(const TTranslationDocument &Doc, const TCliArguments &Args);

// Warns on stderr about the source's entries that cannot be translated
// because their ID is 0 or negative; nothing when there are none.
void WarnNonPositiveIDs(const TLangSource &Source);

// The totals table of the differences, from the program's constant, with its
// columns aligned by blanks; lines end with LF.
QString DifferencesTotalsText(const std::array<int, 9> &Counts);
