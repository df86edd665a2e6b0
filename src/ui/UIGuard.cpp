#include "UIGuard.h"

#include "Exceptions.h"

#include <QMessageBox>

namespace {
TUIGuard::TErrorSink &Sink() {
  static TUIGuard::TErrorSink S;
  return S;
}
} // namespace

void TUIGuard::ShowError(QWidget *Parent, const std::exception &E) {
  const auto *Own = dynamic_cast<const Exception *>(&E);
  const QString Message = Own ? Own->Message() : QString::fromUtf8(E.what());
  if (Sink()) {
    Sink()(Message);
    return;
  }
  QMessageBox::critical(Parent, QString(), Message);
}

void TUIGuard::SetErrorSink(TErrorSink S) {
  Sink() = std::move(S);
}
