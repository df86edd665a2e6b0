#include "EntryEdit.h"

#include "BackgroundDisposal.h"

#include <algorithm>

namespace {
// Below this many entries an edit frees its texts at once.
constexpr size_t DisposedStates = 10000;
} // namespace

TEntryEdit::TEntryEdit(TTranslationDocument &Document, TStates Before, TStates After,
                       QString Action, int MergeKey)
    : FDocument(Document), FBefore(std::move(Before)), FAfter(std::move(After)),
      FAction(std::move(Action)), FMergeKey(MergeKey) {}

TEntryEdit::~TEntryEdit() {
  if (FBefore.size() + FAfter.size() >= DisposedStates)
    BackgroundDisposal::Dispose(std::pair{std::move(FBefore), std::move(FAfter)});
}

void TEntryEdit::Undo() {
  FDocument.Apply(FBefore);
}

void TEntryEdit::Redo() {
  FDocument.Apply(FAfter);
}

bool TEntryEdit::SameEntries(const TEntryEdit &Other) const {
  return std::equal(FAfter.begin(), FAfter.end(), Other.FAfter.begin(), Other.FAfter.end(),
                    [](const auto &A, const auto &B) { return A.Position == B.Position; });
}

TEntryEdit::TMerge TEntryEdit::Merge(const TEntryEdit &Next) {
  if (Next.FMergeKey != FMergeKey || !SameEntries(Next))
    return TMerge::Kept;
  FAfter = Next.FAfter;
  // Typing back the text that was there takes the edit back whole, the
  // entries' states with it.
  const bool TypedBack = std::equal(
      FBefore.begin(), FBefore.end(), FAfter.begin(), FAfter.end(),
      [](const auto &A, const auto &B) { return A.Value == B.Value && A.ConstValue == B.ConstValue; });
  if (!TypedBack)
    return TMerge::Merged;
  FAfter = FBefore;
  FDocument.Apply(FBefore);
  return TMerge::TypedBack;
}
