#pragma once

#include <QString>
#include <QStringList>

// The folders Lingrove's manual (HTML pages) is looked for in, best first:
// "Manual" beside the program (the build tree), then the installed manual
// folder relative to the program's folder ("../share/lingrove/manual" from
// "bin"). Paths are cleaned, without a trailing separator.
// REQUIRES: ProgramDir is absolute.
QStringList ManualFolderCandidates(const QString &ProgramDir);

// The path of Page ("index.html") in the first candidate folder that holds
// it; empty when none does.
QString FindManualPage(const QString &ProgramDir, const QString &Page);
