#pragma once

#include "BaseDialog.h"
#include "DiskDifferences.h"

#include <vector>

class QLabel;
class QPushButton;
class QTreeView;
class TDiskDifferencesModel;
class TZrLanguageController;

// Lists the entries whose translation on disk differs from the open one
// (component, name, text on disk, open text) and lets the user reload the
// file or keep the open version from there. The list is a view over a model:
// it opens at once however many entries differ.
//
// Use: switch (TUIDiskCompareDialog::Execute(this, Differences)) ...
class TUIDiskCompareDialog : public TUIBaseDialog {
  Q_OBJECT

public:
  enum TChoice { dcClose, dcReload, dcKeepMine };

  explicit TUIDiskCompareDialog(QWidget *AOwner = nullptr);
  ~TUIDiskCompareDialog() override;

  static TChoice Execute(QWidget *AOwner, std::vector<TDiskDifference> Differences);

  void SetDifferences(std::vector<TDiskDifference> Differences);
  TChoice Choice() const { return FChoice; }

  QLabel *DifferencesLabel;
  QTreeView *DifferencesView;
  QPushButton *ReloadButton;
  QPushButton *KeepButton;

protected:
  void UpdateCaptions() override;

private:
  void Choose(TChoice Choice);

  TDiskDifferencesModel *FModel;
  TChoice FChoice = dcClose;
  TZrLanguageController *ZrLanguageController = nullptr;
};
