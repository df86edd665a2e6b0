#include "CoreError.h"

ECoreError::ECoreError(const QString &Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}

QString ExceptionMessage(const std::exception &E) {
  if (const auto *Core = dynamic_cast<const ECoreError *>(&E))
    return Core->Message();
  return QString::fromUtf8(E.what());
}
