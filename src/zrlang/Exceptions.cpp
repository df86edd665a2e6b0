#include "Exceptions.h"

QString ZrLang_QuotedName(QStringView Name) {
  constexpr qsizetype MaxLength = 200;
  if (Name.size() <= MaxLength)
    return Name.toString();
  qsizetype Keep = MaxLength;
  if (Name[Keep - 1].isHighSurrogate())
    --Keep;
  return Name.first(Keep).toString() + QStringLiteral("...");
}

EReadError::EReadError() : EStreamError(QStringLiteral("Stream read error")) {}

EReadError::EReadError(const QString &Msg) : EStreamError(Msg) {}

EWriteError::EWriteError() : EStreamError(QStringLiteral("Stream write error")) {}

EFOpenError::EFOpenError(const QString &FileName, const QString &Reason)
    : EStreamError(
          QStringLiteral("Cannot open file \"%1\". %2").arg(ZrLang_QuotedName(FileName), Reason)) {}

EFCreateError::EFCreateError(const QString &FileName, const QString &Reason)
    : EStreamError(QStringLiteral("Cannot create file \"%1\". %2")
                       .arg(ZrLang_QuotedName(FileName), Reason)) {}

EResNotFound::EResNotFound(const QString &ResName)
    : Exception(QStringLiteral("Resource %1 not found").arg(ZrLang_QuotedName(ResName))) {}

EListError::EListError(int Index)
    : Exception(QStringLiteral("List index out of bounds (%1)").arg(Index)) {}
