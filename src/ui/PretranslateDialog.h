#pragma once

#include "BaseDialog.h"

class QLabel;
class QRadioButton;
class QSpinBox;
class TZrLanguageController;

// Tools > Pre-translate: whether the untranslated entries take only exact
// matches or also fuzzy ones down to a similarity.
//
// Use:
//   int MinSimilarity = Attribs->MemoryMinSimilarity();
//   if (TUIPretranslateDialog::Execute(this, MinSimilarity)) ...
class TUIPretranslateDialog : public TUIBaseDialog {
  Q_OBJECT

public:
  explicit TUIPretranslateDialog(QWidget *AOwner = nullptr);
  ~TUIPretranslateDialog() override;

  // Offers exact matches only, with MinSimilarity (percent) as the value for
  // fuzzy ones. On OK MinSimilarity becomes the choice, 100 for exact
  // matches only, and the answer is true; otherwise nothing changes.
  static bool Execute(QWidget *AOwner, int &MinSimilarity);

  // The choice in percent: 100 for exact matches only.
  int MinSimilarity() const;

  QLabel *IntroLabel;
  QRadioButton *ExactRadio;
  QRadioButton *FuzzyRadio;
  QSpinBox *SimilaritySpin;

protected:
  void UpdateCaptions() override;
  void UpdateSize() override;

private:
  TZrLanguageController *ZrLangController = nullptr;
};
