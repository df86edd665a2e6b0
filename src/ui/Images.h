#pragma once

#include <QIcon>

// The program's image list. The grid relies on the fixed indexes of its row
// and state images; actions take theirs from here too.
enum TImageIndex : int {
  iiOpen = 0,
  iiTranslated = 1,
  iiUntranslated = 2,
  iiSave = 3,
  iiComponent = 4,
  iiConstants = 5,
  iiSaveAs = 6,
  iiProperty = 7,
  iiConstant = 8,
  iiCut = 9,
  iiCopy = 10,
  iiPaste = 11,
  iiMarkTranslated = 12,
  iiPreviousItem = 13,
  iiNextItem = 14,
  iiPreviousUntranslated = 15,
  iiNextUntranslated = 16,
  iiProperties = 17,
  iiExpandAll = 18,
  iiCollapseAll = 19,
  iiOptions = 20,
  iiDocumentation = 21,
  iiUpdates = 22,
  iiAbout = 23,
  iiExit = 24,
  iiUndo = 25,
  iiRedo = 26,
  iiFind = 27,
  iiReplace = 28,
  iiGoTo = 29,
  iiCopySource = 30,
  iiFilter = 31,
  iiProblemError = 32,
  iiProblemWarning = 33,
  iiNextProblem = 34,
  iiPreviousProblem = 35,
  iiIgnoreProblem = 36,
  iiShowIgnoredProblems = 37,
  iiExport = 38,
  iiImport = 39,
  iiCount
};

// REQUIRES: a QApplication exists. Icons are built once and shared.
QIcon ImageListIcon(int Index);
