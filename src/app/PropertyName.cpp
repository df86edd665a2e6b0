#include "PropertyName.h"

TPropertyName::TPropertyName(const QString &Text) : d(new TData) {
  d->Text = Text;
}

const QString &TPropertyName::Text() const {
  static const QString None;
  return d ? d->Text : None;
}
