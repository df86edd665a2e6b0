#include "UIGuard.h"

#include "CoreApplication.h"
#include "CoreError.h"
#include "Exceptions.h"

#include <QApplication>
#include <QMessageBox>

QString TUIGuard::ErrorText(const std::exception &E) {
  const auto *Own = dynamic_cast<const Exception *>(&E);
  return Own ? Own->Message() : ExceptionMessage(E);
}

void TUIGuard::ShowError(QWidget *, const std::exception &E) {
  ShowMessageBox(mbkError, QString(), ErrorText(E));
}

void TUIGuard::InstallMessageBoxes() {
  SetMessageBoxHandler([](TMessageBoxKind Kind, const QString &Caption, const QString &Text) {
    const QMessageBox::Icon Icon = Kind == mbkError     ? QMessageBox::Critical
                                   : Kind == mbkWarning ? QMessageBox::Warning
                                                        : QMessageBox::Information;
    QMessageBox Box(Icon, Caption, Text, QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
  });
}
