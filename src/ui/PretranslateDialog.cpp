#include "PretranslateDialog.h"

#include "Action.h"
#include "DialogControls.h"
#include "LanguageController.h"
#include "LanguageManager.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {

const QString SectionName = QStringLiteral("Dialog.Pretranslate");

// Besides the form's own exclusions: the title comes from a constant.
const QStringList IgnoreMasks = {
    QStringLiteral("*.Category"),      QStringLiteral("Action*.*"),
    QStringLiteral("DialogButtons.*"), QStringLiteral(".windowTitle"),
    QStringLiteral("*.suffix"),
};

// Designed client size at 96 DPI.
constexpr int DesignedWidth = 420;
constexpr int DesignedHeight = 170;

// Below this a "match" is hardly ever of use; 100 is an exact match.
constexpr int LeastSimilarity = 30;
constexpr int MostFuzzySimilarity = 99;

} // namespace

TUIPretranslateDialog::TUIPretranslateDialog(QWidget *AOwner) : TUIBaseDialog(AOwner) {
  setObjectName(QStringLiteral("UIPretranslateDialog"));
  SetSavePosition(false);
  resize(DesignedWidth, DesignedHeight);

  auto *Grid = new QGridLayout(DialogPanel);
  Grid->setContentsMargins(0, 0, 0, 0);
  IntroLabel = new QLabel(
      QStringLiteral("Fill the untranslated entries with translations of the same source text "
                     "from this translation and the translation memory, marked as translated "
                     "automatically, to be reviewed."),
      DialogPanel);
  IntroLabel->setObjectName(QStringLiteral("IntroLabel"));
  IntroLabel->setWordWrap(true);
  ExactRadio = new QRadioButton(QStringLiteral("&Exact matches only"), DialogPanel);
  ExactRadio->setObjectName(QStringLiteral("ExactRadio"));
  ExactRadio->setChecked(true);
  FuzzyRadio = new QRadioButton(
      QStringLiteral("Also &fuzzy matches with a similarity of at least:"), DialogPanel);
  FuzzyRadio->setObjectName(QStringLiteral("FuzzyRadio"));
  SimilaritySpin = new QSpinBox(DialogPanel);
  SimilaritySpin->setObjectName(QStringLiteral("SimilaritySpin"));
  SimilaritySpin->setRange(LeastSimilarity, MostFuzzySimilarity);
  SimilaritySpin->setSuffix(QStringLiteral(" %"));
  SimilaritySpin->setEnabled(false);
  Grid->addWidget(IntroLabel, 0, 0, 1, 2);
  Grid->setRowMinimumHeight(1, 6);
  Grid->addWidget(ExactRadio, 2, 0, 1, 2);
  Grid->addWidget(FuzzyRadio, 3, 0);
  Grid->addWidget(SimilaritySpin, 3, 1, Qt::AlignLeft);
  Grid->setColumnStretch(1, 1);
  Grid->setRowStretch(4, 1);

  DialogButtons->SetShowApplyButton(false);
  SetHelpTopic(QStringLiteral("memory.html#pretranslate"));
  PutButtonsLastInTabOrder(*this, SimilaritySpin);
  ExactRadio->setFocus();
  connect(FuzzyRadio, &QRadioButton::toggled, SimilaritySpin, &QWidget::setEnabled);

  ZrLangController = TZrLanguageController::CreateLoaded(this, QStringLiteral("ZrLangController"),
                                                         SectionName, IgnoreMasks);
  connect(ZrLangController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

TUIPretranslateDialog::~TUIPretranslateDialog() = default;

bool TUIPretranslateDialog::Execute(QWidget *AOwner, int &MinSimilarity) {
  auto Dialog = CreateForm<TUIPretranslateDialog>(AOwner);
  Dialog->SimilaritySpin->setValue(MinSimilarity);
  if (Dialog->exec() != mrOk)
    return false;
  MinSimilarity = Dialog->MinSimilarity();
  return true;
}

int TUIPretranslateDialog::MinSimilarity() const {
  return FuzzyRadio->isChecked() ? SimilaritySpin->value() : 100;
}

void TUIPretranslateDialog::UpdateCaptions() {
  TUIBaseDialog::UpdateCaptions();
  setWindowTitle(LangConstant(u"SFormCaptionPretranslate"));
}

void TUIPretranslateDialog::UpdateSize() {
  FitDialogToContents(*this);
  TUIBaseDialog::UpdateSize();
}
