#pragma once

#include <QString>
#include <QVariantList>

// The framework's translation hook for code that runs without the
// localization library: it hands back the default text. The constant's name
// documents which message is meant.
class Localizer {
public:
  Localizer() = delete;
  static QString Translate(QStringView ZrLangConst, const QString &DefaultValue);
  // The default text used as the format of Params by the run-time format
  // (RtlFormat.h); a placeholder without a fitting argument raises
  // EConvertError.
  static QString Translate(QStringView ZrLangConst, const QString &DefaultValue,
                           const QVariantList &Params);
};
