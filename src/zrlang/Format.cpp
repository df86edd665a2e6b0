#include "Format.h"

#include "RtlFormat.h"

QString ZrLang_Format(const QString &Fmt, const QVariantList &Args) {
  return RtlFormat(Fmt, Args);
}
