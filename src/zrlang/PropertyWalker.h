#pragma once

#include <QString>

class QObject;
class QMetaProperty;
class TZrLang_CompEntry;
class TZrLang_CompTranslation;
class TZrLang_MaskList;

struct TZrLang_UpdateOptions {
  bool bModifyList;
  bool bIgnoreEmptyProps;
  bool bIgnoreNonAlphaProps;
  bool bIgnoreFontProps;
  const TZrLang_MaskList *IgnoreMasks;
  const TZrLang_MaskList *StoreMasks;
  qint32 NextID; // shared by the whole update
};

// Walks the published properties of an entry's component: strings, string
// lists, collections (QObjectList properties) and owned unnamed sub-objects.
class TZrLang_PropertyWalker {
public:
  static void Update(TZrLang_CompEntry &Entry, TZrLang_UpdateOptions &Options);
  static void Apply(TZrLang_CompEntry &Entry, const TZrLang_CompTranslation *Translation);

private:
  enum TPropKind { pkOther, pkString, pkStringList, pkObject, pkCollection };
  static TPropKind KindOf(const QMetaProperty &P);
  static bool IsWalkable(const QObject *Sub, const QObject *Holder);
  static QString PathOf(const QString &Prefix, const char *Name);

  static void UpdatePass(TZrLang_CompEntry &Entry, QObject *Obj, const QString &Prefix,
                         const QString &MaskPrefix, TZrLang_UpdateOptions &Options);
  static void Record(TZrLang_CompEntry &Entry, const QString &PropPath, const QString &Value,
                     TZrLang_UpdateOptions &Options);
  static void ApplyPass(TZrLang_CompEntry &Entry, QObject *Obj, const QString &Prefix,
                        const TZrLang_CompTranslation *Translation);
};
