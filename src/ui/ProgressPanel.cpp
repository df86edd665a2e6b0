#include "ProgressPanel.h"

#include "LanguageManager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TProgressPanel::TProgressPanel(QWidget *Parent) : QFrame(Parent) {
  FText = new QLabel(this);
  FText->setObjectName(QStringLiteral("ProgressText"));
  FBar = new QProgressBar(this);
  FBar->setObjectName(QStringLiteral("ProgressBar"));
  FBar->setTextVisible(false);
  FBar->setMaximumWidth(160);
  FCancel = new QPushButton(this);
  FCancel->setObjectName(QStringLiteral("ProgressCancel"));
  auto *Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(FText);
  Layout->addWidget(FBar);
  Layout->addWidget(FCancel);
  connect(FCancel, &QPushButton::clicked, this, &TProgressPanel::CancelClicked);
  hide();
}

void TProgressPanel::Begin(int Steps, bool bCancellable) {
  FBar->setRange(0, Steps);
  FBar->setValue(0);
  FText->clear();
  FCancel->setText(LangConstant(u"SDialogButtonCancel"));
  FCancel->setVisible(bCancellable);
  // The rest of the window is disabled meanwhile; this stays usable.
  setEnabled(true);
  show();
}

void TProgressPanel::SetStep(int Step, const QString &Text) {
  FBar->setValue(Step);
  FText->setText(Text);
}

void TProgressPanel::End() {
  hide();
}
