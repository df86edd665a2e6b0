#pragma once

#include "HeaderItems.h"
#include "TranslationChecks.h"

#include <QString>
#include <QStringView>

class TZrLang_Params;

// The problems a translator chose to ignore, each one a check of one entry
// with the texts it was found in: editing either text brings the problem
// back, and undoing the edit hides it again.
//
// They travel with the translation in one header parameter (THeaderItems):
//   IgnoredProblems=check:entry:hash;check:entry:hash
// where hash is THeaderItems::TextsHash over the source and translated
// values. Items that cannot be parsed are kept as they are but match nothing.
class TIgnoredProblems {
public:
  static constexpr QStringView ParamName = u"IgnoredProblems";

  void Read(const TZrLang_Params &Params) { FItems.Read(Params); }
  void Write(TZrLang_Params &Params) const { FItems.Write(Params); }
  void Clear() { FItems.Clear(); }

  bool IsEmpty() const { return FItems.IsEmpty(); }
  bool Contains(TTranslationCheck Check, QStringView Entry, QStringView Source,
                QStringView Translation) const;
  // Whether any check of the entry with these texts is ignored.
  bool ContainsAny(QStringView Entry, QStringView Source, QStringView Translation) const;
  // Both return whether anything changed.
  bool Add(TTranslationCheck Check, QStringView Entry, QStringView Source,
           QStringView Translation);
  // Removes every item of the entry, whatever its check and texts.
  bool RemoveEntry(QStringView Entry);

  static QString PropertyEntry(const QString &Component, qint32 ID) {
    return THeaderItems::PropertyEntry(Component, ID);
  }
  static QString ConstantEntry(const QString &Name) { return THeaderItems::ConstantEntry(Name); }

private:
  static QString Item(QStringView CheckId, QStringView Entry, QStringView Source,
                      QStringView Translation);
  THeaderItems FItems{ParamName};
};
