#pragma once

#include "EditHistory.h"

// A history that keeps no steps: an edit is done and forgotten, and the
// document stays modified until it is saved or closed. A document made
// without a history has it (the command-line tool's, which never takes an
// edit back).
class TEditsWithoutUndo : public TEditHistory {
public:
  void Push(std::unique_ptr<TEntryEdit> Edit) override;
  void Clear() override;
  bool IsClean() const override { return FClean; }
  void SetClean() override { FClean = true; }

private:
  void SetCleanAndTell(bool Clean);

  bool FClean = true;
};
