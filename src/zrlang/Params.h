#pragma once

#include <QStringList>

// Header parameters of a translation: "Name=Value" lines in the order of
// their first assignment. Names are looked up without regard to case;
// assigning an empty value removes the line.
class TZrLang_Params {
public:
  qsizetype Count() const { return FLines.size(); }
  const QString &Strings(qsizetype Index) const { return FLines.at(Index); }
  QString Names(qsizetype Index) const;
  QString ValueFromIndex(qsizetype Index) const;
  const QStringList &Lines() const { return FLines; }

  // -1 when no line has that name.
  qsizetype IndexOfName(QStringView Name) const;
  // Empty when no line has that name.
  QString Values(QStringView Name) const;
  // An existing line is rewritten in place as Name=Value with Name as given.
  void SetValue(QStringView Name, QStringView Value);
  void Clear() { FLines.clear(); }

private:
  QStringList FLines;
};
