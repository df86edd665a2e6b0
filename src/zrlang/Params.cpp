#include "Params.h"

QString TZrLang_Params::Names(qsizetype Index) const {
  const QString &Line = FLines.at(Index);
  const qsizetype Eq = Line.indexOf(u'=');
  return Eq < 0 ? Line : Line.left(Eq);
}

QString TZrLang_Params::ValueFromIndex(qsizetype Index) const {
  const QString &Line = FLines.at(Index);
  const qsizetype Eq = Line.indexOf(u'=');
  return Eq < 0 ? QString() : Line.mid(Eq + 1);
}

qsizetype TZrLang_Params::IndexOfName(QStringView Name) const {
  for (qsizetype I = 0; I < FLines.size(); ++I) {
    const QString &Line = FLines.at(I);
    const qsizetype Eq = Line.indexOf(u'=');
    const QStringView LineName = Eq < 0 ? QStringView(Line) : QStringView(Line).left(Eq);
    if (LineName.compare(Name, Qt::CaseInsensitive) == 0)
      return I;
  }
  return -1;
}

QString TZrLang_Params::Values(QStringView Name) const {
  const qsizetype I = IndexOfName(Name);
  return I < 0 ? QString() : ValueFromIndex(I);
}

void TZrLang_Params::SetValue(QStringView Name, QStringView Value) {
  const qsizetype I = IndexOfName(Name);
  if (Value.isEmpty()) {
    if (I >= 0)
      FLines.removeAt(I);
    return;
  }
  QString Line = Name.toString();
  Line.append(u'=').append(Value);
  if (I >= 0)
    FLines[I] = std::move(Line);
  else
    FLines.append(std::move(Line));
}
