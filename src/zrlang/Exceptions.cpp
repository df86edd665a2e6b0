#include "Exceptions.h"

EReadError::EReadError() : EStreamError(QStringLiteral("Stream read error")) {}

EReadError::EReadError(const QString &Msg) : EStreamError(Msg) {}

EWriteError::EWriteError() : EStreamError(QStringLiteral("Stream write error")) {}

EFOpenError::EFOpenError(const QString &FileName, const QString &Reason)
    : EStreamError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, Reason)) {}

EFCreateError::EFCreateError(const QString &FileName, const QString &Reason)
    : EStreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, Reason)) {}

EResNotFound::EResNotFound(const QString &ResName)
    : Exception(QStringLiteral("Resource %1 not found").arg(ResName)) {}

EListError::EListError(int Index)
    : Exception(QStringLiteral("List index out of bounds (%1)").arg(Index)) {}
