#pragma once

#include "MemoryUnit.h"
#include "TranslationSupport.h"

#include <QString>
#include <vector>

class TLangSource;
class TTranslationDocument;
class TTranslationMemory;
class TZrLang_CompTranslations;

// What the translation memory takes from and gives to translations.

// The language tags of a translation's languages; the target is empty when
// the translation names no language it knows, and then nothing is stored.
QString MemorySourceLang(const TTranslationLanguages &Languages);
QString MemoryTargetLang(const TTranslationLanguages &Languages);

// The units of the document's translated entries (not those untranslated or
// translated automatically), with Origin as their file; with bChangedOnly
// only entries changed in this session. REQUIRES: an open document.
std::vector<TMemoryUnit> TranslatedMemoryUnits(TTranslationDocument &Doc, const QString &Origin,
                                               bool bChangedOnly);

// Keeps in Memory the translated entries of Translation that Source lacks,
// which a reconciliation with Source would delete. A translation file holds
// no source texts, so an entry's source text comes from the unit the memory
// holds for that entry of Origin (stored when the translation was saved or
// imported): its present translation is stored with it. Returns how many
// removed entries the memory keeps; those it knows nothing of are lost.
// REQUIRES: called before the reconciliation.
int KeepRemovedTranslations(TTranslationMemory &Memory, const TLangSource &Source,
                            const TZrLang_CompTranslations &Translation,
                            const TTranslationLanguages &Languages, const QString &Origin);

// The units of a translation file and its language source as an import
// takes them: every translated entry, properties matched by component and
// ID, constants by name. Raises the library's errors for unreadable files.
std::vector<TMemoryUnit> MemoryUnitsOfFiles(const QString &SourceFile,
                                            const QString &TranslationFile);

// The user's translation memory: "memory.sqlite" in the program's data
// folder (the application-data location of Lingrove).
QString DefaultMemoryPath();
// The memory the editor uses given its MemoryPath setting: the setting's
// file, the default one while it is empty.
QString MemoryPathOf(const QString &Setting);

// The name a memory gives a file: its absolute path.
QString MemoryOrigin(const QString &FileName);
