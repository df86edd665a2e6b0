#pragma once

#include "TranslationDocument.h"

#include <QString>
#include <vector>

// One edit of a document: the states of the entries it touched before and
// after. REQUIRES: the document outlives the edit and keeps its entry table
// (a history is cleared whenever the table is).
class TEntryEdit {
public:
  using TStates = std::vector<TTranslationDocument::TEntryState>;
  TEntryEdit(TTranslationDocument &Document, TStates Before, TStates After, QString Action,
             int MergeKey);
  // An edit of many entries (a Replace All, a pre-translation) leaves its
  // texts to the worker of BackgroundDisposal.
  ~TEntryEdit();
  TEntryEdit(const TEntryEdit &) = delete;
  TEntryEdit &operator=(const TEntryEdit &) = delete;

  const QString &Action() const { return FAction; }
  // Non-zero for an edit that may take the next one in (see Merge).
  int MergeKey() const { return FMergeKey; }
  void Undo();
  void Redo();

  enum class TMerge {
    Kept,     // Next stays an edit of its own
    Merged,   // this edit now ends where Next ended
    TypedBack // Next brought the entries back to where this edit began:
              // the document is as before this edit, which is void
  };
  // Takes the done edit Next in when both have the same key and the same
  // entries: consecutive keystrokes in one entry are one edit.
  TMerge Merge(const TEntryEdit &Next);

private:
  bool SameEntries(const TEntryEdit &Other) const;

  TTranslationDocument &FDocument;
  TStates FBefore;
  TStates FAfter;
  QString FAction;
  int FMergeKey;
};
