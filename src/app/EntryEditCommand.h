#pragma once

#include "TranslationDocument.h"

#include <QUndoCommand>

// One undo step of a document: the states of the entries it touched before
// and after. REQUIRES: the document outlives the command and keeps its
// entry table (the undo stack is cleared whenever the table is).
class TEntryEditCommand : public QUndoCommand {
public:
  using TStates = std::vector<TTranslationDocument::TEntryState>;
  TEntryEditCommand(TTranslationDocument &Document, TStates Before, TStates After,
                    const QString &Action, int MergeKey);
  // A step over many entries (a Replace All, a pre-translation) leaves its
  // texts to the worker of BackgroundDisposal.
  ~TEntryEditCommand() override;

  void undo() override;
  void redo() override;
  int id() const override;
  bool mergeWith(const QUndoCommand *Other) override;

private:
  bool SameEntries(const TEntryEditCommand &Other) const;

  TTranslationDocument &FDocument;
  TStates FBefore;
  TStates FAfter;
  int FMergeKey;
};
