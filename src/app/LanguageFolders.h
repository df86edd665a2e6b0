#pragma once

#include <QString>
#include <QStringList>

// The folders Lingrove's interface languages are looked for in, best first:
// "Languages" beside the program (the build tree, a copied program folder),
// then the installed languages folder relative to the program's folder
// ("../share/lingrove/languages" from "bin"). Paths are cleaned, without a
// trailing separator.
// REQUIRES: ProgramDir is absolute.
QStringList LanguageFolderCandidates(const QString &ProgramDir);

// The first candidate folder that exists; the first candidate when none does,
// so that the program runs with its built-in language only.
QString FindLanguageFolder(const QString &ProgramDir);
