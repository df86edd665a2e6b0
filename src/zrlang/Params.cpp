#include "Params.h"

const QStringList &TZrLang_Params::Lines() const {
  if (FHoles > 0)
    Compact();
  return FLines;
}

void TZrLang_Params::Compact() const {
  FLines.removeIf([](const QString &L) { return L.isNull(); });
  FHoles = 0;
  FIndex.clear();
  for (qsizetype I = 0; I < FLines.size(); ++I)
    FIndex.insert(Key(QStringView(FLines[I]).left(FLines[I].indexOf(u'='))), I);
}

QString TZrLang_Params::Names(qsizetype Index) const {
  const QString &Line = Strings(Index);
  const qsizetype Eq = Line.indexOf(u'=');
  return Eq < 0 ? Line : Line.left(Eq);
}

QString TZrLang_Params::ValueFromIndex(qsizetype Index) const {
  const QString &Line = Strings(Index);
  const qsizetype Eq = Line.indexOf(u'=');
  return Eq < 0 ? QString() : Line.mid(Eq + 1);
}

qsizetype TZrLang_Params::IndexOfName(QStringView Name) const {
  if (FHoles > 0)
    Compact();
  return FIndex.value(Key(Name), -1);
}

QString TZrLang_Params::Values(QStringView Name) const {
  const auto It = FIndex.constFind(Key(Name));
  if (It == FIndex.constEnd())
    return QString();
  const QString &Line = FLines.at(It.value());
  return Line.mid(Line.indexOf(u'=') + 1);
}

void TZrLang_Params::SetValue(QStringView Name, QStringView Value) {
  const QString K = Key(Name);
  const auto It = FIndex.find(K);
  if (Value.isEmpty()) {
    if (It != FIndex.end()) {
      FLines[It.value()] = QString();
      ++FHoles;
      FIndex.erase(It);
    }
    return;
  }
  QString Line = Name.toString();
  Line.append(u'=').append(Value);
  if (It != FIndex.end()) {
    FLines[It.value()] = std::move(Line);
  } else {
    FIndex.insert(K, FLines.size());
    FLines.append(std::move(Line));
  }
}

void TZrLang_Params::Clear() {
  FLines.clear();
  FHoles = 0;
  FIndex.clear();
}
