#include "Localization.h"

#include "RtlFormat.h"

namespace {
Localizer::TLookup InstalledLookup = nullptr;
} // namespace

void Localizer::SetLookup(TLookup Lookup) {
  InstalledLookup = Lookup;
}

QString Localizer::Translate(QStringView ZrLangConst, const QString &DefaultValue) {
  if (InstalledLookup == nullptr)
    return DefaultValue;
  QString Text = InstalledLookup(ZrLangConst);
  return Text.isEmpty() ? DefaultValue : Text;
}

QString Localizer::Translate(QStringView ZrLangConst, const QString &DefaultValue,
                             const QVariantList &Params) {
  return RtlFormat(Translate(ZrLangConst, DefaultValue), Params);
}
