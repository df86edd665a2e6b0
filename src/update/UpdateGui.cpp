#include "UpdateGui.h"

#include "LanguageManager.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

bool UpdateHasGui() {
  return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

bool AskUpdateQuestion(const QString &Question) {
  return QMessageBox::question(QApplication::activeWindow(), QString(), Question,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TUpdateProgressWindow::TUpdateProgressWindow(const QString &Label)
    : FDialog(std::make_unique<QProgressDialog>()) {
  FDialog->setObjectName(QStringLiteral("UpdateProgressWindow"));
  FDialog->setLabelText(Label);
  FDialog->setCancelButtonText(LangConstant(u"SDialogButtonCancel"));
  FDialog->setRange(0, 0);
  FDialog->setWindowModality(Qt::ApplicationModal);
  FDialog->setMinimumDuration(0);
  FDialog->setAutoClose(false);
  FDialog->setAutoReset(false);
  FDialog->setValue(0);
  FDialog->show();
}

TUpdateProgressWindow::~TUpdateProgressWindow() = default;

bool TUpdateProgressWindow::Update(qint64 Received, qint64 Total) {
  // The dialog counts in int; a kibibyte scale keeps large files in range.
  if (Total > 0) {
    FDialog->setMaximum(int(Total / 1024) + 1);
    FDialog->setValue(int(qMin(Received, Total) / 1024));
  }
  return !FDialog->wasCanceled();
}
