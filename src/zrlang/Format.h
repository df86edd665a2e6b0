#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>

// Formats Fmt with Args the way the library's message texts are written:
// "%s" takes a text, "%d" and "%u" an integer, "%x" an integer in hex, "%%"
// is a percent sign. A placeholder may carry "-", a width and a precision
// ("%.8d" pads to eight digits). A placeholder without a fitting argument
// raises EConvertError.
QString ZrLang_Format(const QString &Fmt, const QVariantList &Args);
