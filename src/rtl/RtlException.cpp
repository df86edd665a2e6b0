#include "RtlException.h"

Exception::Exception(const QString &Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}

EConvertError::EConvertError(const QString &Fmt)
    : Exception(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt)) {}
