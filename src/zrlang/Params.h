#pragma once

#include <QHash>
#include <QStringList>

// Header parameters of a translation: "Name=Value" lines in the order of
// their first assignment. Names are looked up without regard to case;
// assigning an empty value removes the line. Lookups are hashed, so reading
// a header of many parameters stays linear.
class TZrLang_Params {
public:
  qsizetype Count() const { return Lines().size(); }
  const QString &Strings(qsizetype Index) const { return Lines().at(Index); }
  QString Names(qsizetype Index) const;
  QString ValueFromIndex(qsizetype Index) const;
  const QStringList &Lines() const;

  // -1 when no line has that name.
  qsizetype IndexOfName(QStringView Name) const;
  // Empty when no line has that name.
  QString Values(QStringView Name) const;
  // An existing line is rewritten in place as Name=Value with Name as given.
  void SetValue(QStringView Name, QStringView Value);
  void Clear();

private:
  static QString Key(QStringView Name) { return Name.toString().toCaseFolded(); }
  void Compact() const;

  // Removed lines leave null slots until the lines are next read by position.
  mutable QStringList FLines;
  mutable qsizetype FHoles = 0;
  mutable QHash<QString, qsizetype> FIndex; // folded name -> slot in FLines
};
