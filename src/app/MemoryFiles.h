#pragma once

#include "MemoryUnit.h"

#include <QString>
#include <vector>

class TTranslationMemory;

// The files a translation memory is filled from and written to, as both the
// editor and the command-line tool use them.

// The units of a TMX file. Raises EFOpenError when the file cannot be read
// and EZrLangError naming it when it is no TMX.
std::vector<TMemoryUnit> ReadTmxFile(const QString &File);

// The language source of a translation file: the one .zrlang file in its
// folder; empty when the folder has none or several.
QString LangSourceBeside(const QString &TranslationFile);

struct TMemoryExport {
  int Written = 0;
  int LeftOut = 0; // texts with characters XML cannot carry
};
// Writes every unit of Memory to File as TMX, the file replaced only once
// it is complete; the header names the source language when all units share
// one. Raises what the memory and the file raise.
TMemoryExport ExportMemoryToTmx(TTranslationMemory &Memory, const QString &File);
