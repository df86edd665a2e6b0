#pragma once

#include "TranslationStates.h"

#include <QModelIndex>
#include <QString>
#include <vector>

class TEntryTreeModel;

// What the entries shown in the translation memo held before its first
// edit, so that an edit which brings the memo back to the text it was loaded
// with (the memo's own undo) also brings back their values and states: an
// entry whose pre-filled source text returns must not stay marked translated.
// REQUIRES: the model keeps its rows between Take() and Restore(); Reset()
// whenever the memo is loaded again.
class TMemoEditOrigin {
public:
  bool Taken() const { return FTaken; }
  // Forgets what was taken; LoadedText is the memo's text as loaded.
  void Reset(const QString &LoadedText);
  // Records the values and states of Rows before the memo's first edit.
  void Take(const TEntryTreeModel &Model, const QModelIndexList &Rows);
  bool IsOriginText(const QString &MemoText) const { return FTaken && MemoText == FMemoText; }
  // Stores every recorded value and state again.
  void Restore(TEntryTreeModel &Model) const;

private:
  struct TEntry {
    QModelIndex Row;
    QString Value;
    TZrLang_TranslationStates States;
  };
  std::vector<TEntry> FEntries;
  QString FMemoText;
  bool FTaken = false;
};
