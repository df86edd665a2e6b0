#include "Localization.h"

#include "RtlFormat.h"

QString Localizer::Translate(QStringView, const QString &DefaultValue) {
  return DefaultValue;
}

QString Localizer::Translate(QStringView ZrLangConst, const QString &DefaultValue,
                             const QVariantList &Params) {
  return RtlFormat(Translate(ZrLangConst, DefaultValue), Params);
}
