#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

// The lines (counted from 1) of chosen entries of a translation file: property
// IDs of component sections and constants, found by a light pass over the
// text with the reader's line grammar, since the library's reader keeps no
// line numbers. Names are compared in text order; the first line of a key
// counts. Only the wanted entries are looked for, so a check without problems
// costs no pass at all.
class TTranslationLines {
public:
  void WantProperty(const QString &Component, int iID);
  void WantConstant(const QString &Name);
  bool IsEmpty() const { return FSections.isEmpty() && FConstants.isEmpty(); }

  // Bytes: the whole file, decoded as the reader decodes it, narrow text in
  // CodePage.
  void Find(QByteArrayView Bytes, unsigned CodePage);

  // 0 when not wanted or not in the file.
  int PropertyLine(const QString &Component, int iID) const;
  int ConstantLine(const QString &Name) const;

private:
  // Problems come entry by entry, many from one component: its key is made
  // once.
  const QString &ComponentKey(const QString &Component) const;

  // Text order keys to lines, 0 until found.
  QHash<QString, QHash<int, int>> FSections;
  QHash<QString, int> FConstants;
  mutable QString FLastComponent, FLastKey;
};
