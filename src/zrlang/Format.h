#pragma once

#include <QString>
#include <QVariant>

// Formats Fmt with Args by the run-time format (RtlFormat.h): "%s", "%d",
// "%1:s", "%*d", "%.2f" and the rest; a placeholder without a fitting
// argument raises EConvertError.
QString ZrLang_Format(const QString &Fmt, const QVariantList &Args);
