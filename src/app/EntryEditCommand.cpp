#include "EntryEditCommand.h"

#include "BackgroundDisposal.h"

#include <algorithm>

namespace {
// Every merging step shares one id; the merge key tells them apart.
constexpr int MergingCommandId = 1;
// Below this many entries a step frees its texts at once.
constexpr size_t DisposedStates = 10000;
} // namespace

TEntryEditCommand::TEntryEditCommand(TTranslationDocument &Document, TStates Before, TStates After,
                                     const QString &Action, int MergeKey)
    : QUndoCommand(Action), FDocument(Document), FBefore(std::move(Before)),
      FAfter(std::move(After)), FMergeKey(MergeKey) {}

TEntryEditCommand::~TEntryEditCommand() {
  if (FBefore.size() + FAfter.size() >= DisposedStates)
    BackgroundDisposal::Dispose(std::pair{std::move(FBefore), std::move(FAfter)});
}

void TEntryEditCommand::undo() {
  FDocument.Apply(FBefore);
}

void TEntryEditCommand::redo() {
  FDocument.Apply(FAfter);
}

int TEntryEditCommand::id() const {
  return FMergeKey != 0 ? MergingCommandId : -1;
}

bool TEntryEditCommand::SameEntries(const TEntryEditCommand &Other) const {
  return std::equal(FAfter.begin(), FAfter.end(), Other.FAfter.begin(), Other.FAfter.end(),
                    [](const auto &A, const auto &B) { return A.Position == B.Position; });
}

bool TEntryEditCommand::mergeWith(const QUndoCommand *Other) {
  const auto *Next = static_cast<const TEntryEditCommand *>(Other);
  if (Next->FMergeKey != FMergeKey || !SameEntries(*Next))
    return false;
  FAfter = Next->FAfter;
  // Typing back the text that was there takes the step back whole, the
  // entries' states with it, and leaves no step.
  const bool TypedBack = std::equal(
      FBefore.begin(), FBefore.end(), FAfter.begin(), FAfter.end(),
      [](const auto &A, const auto &B) { return A.Value == B.Value && A.ConstValue == B.ConstValue; });
  if (TypedBack) {
    FAfter = FBefore;
    FDocument.Apply(FBefore);
    setObsolete(true);
  }
  return true;
}
