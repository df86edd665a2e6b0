#pragma once

#include "TranslationChecks.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

class TZrLang_Params;

// The problems a translator chose to ignore, each one a check of one entry
// with the texts it was found in: editing either text brings the problem
// back, and undoing the edit hides it again.
//
// They travel with the translation in one header parameter, which the
// library reads and writes like any other and which other programs ignore:
//   IgnoredProblems=check:entry:hash;check:entry:hash
// where entry is "component/ID" for a property and "$CONSTANTS/name" for a
// constant, hash is 8 hex digits over the source and translated values, and
// "%" and ";" in an entry are written as "%25" and "%3B". Items are kept in
// the order they were added, so an unchanged set is written back unchanged.
class TIgnoredProblems {
public:
  static constexpr QStringView ParamName = u"IgnoredProblems";

  // Items that cannot be parsed are kept as they are but match nothing.
  void Read(const TZrLang_Params &Params);
  // Removes the parameter when there are no items.
  void Write(TZrLang_Params &Params) const;
  void Clear();

  bool IsEmpty() const { return FItems.isEmpty(); }
  bool Contains(TTranslationCheck Check, QStringView Entry, QStringView Source,
                QStringView Translation) const;
  // Whether any check of the entry with these texts is ignored.
  bool ContainsAny(QStringView Entry, QStringView Source, QStringView Translation) const;
  // Both return whether anything changed.
  bool Add(TTranslationCheck Check, QStringView Entry, QStringView Source,
           QStringView Translation);
  // Removes every item of the entry, whatever its check and texts.
  bool RemoveEntry(QStringView Entry);

  static QString PropertyEntry(const QString &Component, qint32 ID);
  static QString ConstantEntry(const QString &Name);

private:
  static QString Item(QStringView CheckId, QStringView Entry, QStringView Source,
                      QStringView Translation);
  QStringList FItems;
  QSet<QString> FLookup;
};
