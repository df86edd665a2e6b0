#include "Localization.h"

QString Localizer::Translate(QStringView, const QString &DefaultValue) {
  return DefaultValue;
}

QString Localizer::Translate(QStringView ZrLangConst, const QString &DefaultValue,
                             const QVariantList &Params) {
  const QString Format = Translate(ZrLangConst, DefaultValue);
  QString Result;
  qsizetype Next = 0;
  for (qsizetype I = 0; I < Format.size(); ++I) {
    if (Format[I] != u'%' || I + 1 >= Format.size()) {
      Result.append(Format[I]);
      continue;
    }
    const QChar Type = Format[++I];
    if (Type == u'%')
      Result.append(u'%');
    else if ((Type == u's' || Type == u'd') && Next < Params.size())
      Result.append(Params.at(Next++).toString());
    else
      Result.append(u'%').append(Type);
  }
  return Result;
}
