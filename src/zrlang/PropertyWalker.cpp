#include "PropertyWalker.h"

#include "CompEntries.h"
#include "MaskList.h"
#include "TextUtils.h"
#include "Translations.h"

#include <QMetaProperty>
#include <QObject>

namespace {

bool IsAccepted(const QString &Value, const TZrLang_UpdateOptions &O) {
  if (O.bIgnoreNonAlphaProps) {
    for (QChar C : Value) {
      const char16_t U = C.unicode();
      if ((U >= u'A' && U <= u'Z') || (U >= u'a' && U <= u'z') || U >= 0xA1)
        return true;
    }
    return false;
  }
  return !O.bIgnoreEmptyProps || !Value.isEmpty();
}

QString JoinLines(const QStringList &Lines) {
  QString Text;
  for (const QString &L : Lines)
    Text.append(L).append(u"\r\n");
  return Text;
}

QStringList SplitLines(const QString &Text) {
  QStringList Lines;
  ZrLang_ForEachLine(Text, [&Lines](QStringView L) { Lines.append(L.toString()); });
  return Lines;
}

} // namespace

TZrLang_PropertyWalker::TPropKind TZrLang_PropertyWalker::KindOf(const QMetaProperty &P) {
  const QMetaType T = P.metaType();
  if (T.id() == QMetaType::QString)
    return pkString;
  if (T.id() == QMetaType::QStringList)
    return pkStringList;
  if (T == QMetaType::fromType<QObjectList>())
    return pkCollection;
  if (T.flags() & QMetaType::PointerToQObject)
    return pkObject;
  return pkOther;
}

bool TZrLang_PropertyWalker::IsWalkable(const QObject *Sub, const QObject *Holder) {
  // Only the holder's own unnamed helper objects belong to it; named objects
  // and widgets are components in their own right.
  return Sub && Sub->parent() == Holder && Sub->objectName().isEmpty() && !Sub->isWidgetType();
}

QString TZrLang_PropertyWalker::PathOf(const QString &Prefix, const char *Name) {
  QString Path = Prefix;
  if (!Path.isEmpty())
    Path.append(u'.');
  Path.append(QLatin1StringView(Name));
  return Path;
}

void TZrLang_PropertyWalker::Update(TZrLang_CompEntry &Entry, TZrLang_UpdateOptions &Options) {
  QString MaskPrefix = Entry.GetComponentNamePath(false);
  MaskPrefix.append(u'.');
  if (Entry.FComponent)
    UpdatePass(Entry, Entry.FComponent, QString(), MaskPrefix, Options);
  if (Options.bModifyList && Entry.FPropEntries) {
    Entry.FPropEntries->DeleteInvalid();
    if (Entry.FPropEntries->Count() == 0)
      Entry.FPropEntries.reset();
  }
  if (!Entry.FComponent)
    return;
  for (QObject *Comp : ZrLang_OwnedComponents(Entry.FComponent)) {
    TZrLang_CompEntry *Child =
        Entry.FOwnedCompEntries ? Entry.FOwnedCompEntries->FindComponent(Comp) : nullptr;
    if (!Child && Options.bModifyList) {
      if (!Entry.FOwnedCompEntries)
        Entry.FOwnedCompEntries = std::make_unique<TZrLang_CompEntries>(&Entry);
      auto New = std::make_unique<TZrLang_CompEntry>(&Entry);
      Child = New.get();
      Child->BindComponents(Comp);
      Entry.FOwnedCompEntries->Add(std::move(New));
    }
    if (Child)
      Update(*Child, Options);
  }
}

void TZrLang_PropertyWalker::UpdatePass(TZrLang_CompEntry &Entry, QObject *Obj,
                                        const QString &Prefix, const QString &MaskPrefix,
                                        TZrLang_UpdateOptions &Options) {
  const QMetaObject *Meta = Obj->metaObject();
  for (int I = 0; I < Meta->propertyCount(); ++I) {
    const QMetaProperty P = Meta->property(I);
    const TPropKind Kind = KindOf(P);
    if (Kind == pkOther || qstrcmp(P.name(), "objectName") == 0)
      continue;
    const QString PropPath = PathOf(Prefix, P.name());
    const QString FullPath = MaskPrefix + PropPath;
    if (Options.IgnoreMasks->Matches(FullPath))
      continue;
    const QVariant Value = P.read(Obj);
    // A value is stored the way a form file would keep it: a stored,
    // writable property that holds something other than its empty default.
    bool Stored = P.isStored() && P.isWritable();
    switch (Kind) {
    case pkString: {
      const QString S = Value.toString();
      if ((Stored && !S.isEmpty()) || Options.StoreMasks->Matches(FullPath))
        Record(Entry, PropPath, S, Options);
      break;
    }
    case pkStringList: {
      const QStringList L = Value.toStringList();
      if ((Stored && !L.isEmpty()) || Options.StoreMasks->Matches(FullPath))
        Record(Entry, PropPath, JoinLines(L), Options);
      break;
    }
    case pkCollection: {
      if (!P.isReadable() || !P.isWritable())
        break;
      const QObjectList Items = Value.value<QObjectList>();
      if ((!Stored || Items.isEmpty()) && !Options.StoreMasks->Matches(FullPath))
        break;
      for (qsizetype J = 0; J < Items.size(); ++J)
        if (Items[J])
          UpdatePass(Entry, Items[J], PropPath + u'[' + QString::number(J) + u']', MaskPrefix,
                     Options);
      break;
    }
    case pkObject: {
      if (!P.isReadable() || !P.isWritable())
        break;
      QObject *Sub = Value.value<QObject *>();
      if (!Sub || (!Stored && !Options.StoreMasks->Matches(FullPath)))
        break;
      if (Options.bIgnoreFontProps && qstrcmp(Sub->metaObject()->className(), "TFont") == 0)
        break;
      if (IsWalkable(Sub, Obj))
        UpdatePass(Entry, Sub, PropPath, MaskPrefix, Options);
      break;
    }
    case pkOther:
      break;
    }
  }
}

void TZrLang_PropertyWalker::Record(TZrLang_CompEntry &Entry, const QString &PropPath,
                                    const QString &Value, TZrLang_UpdateOptions &Options) {
  if (!IsAccepted(Value, Options))
    return;
  if (Options.bModifyList) {
    if (!Entry.FPropEntries)
      Entry.FPropEntries = std::make_unique<TZrLang_PropEntries>();
    if (Entry.FPropEntries->Add(Options.NextID, PropPath, Value))
      ++Options.NextID;
  } else if (Entry.FPropEntries) {
    if (PZrLang_PropEntry P = Entry.FPropEntries->FindPropByName(PropPath))
      P->wsDefLangValue = Value;
  }
}

void TZrLang_PropertyWalker::Apply(TZrLang_CompEntry &Entry,
                                   const TZrLang_CompTranslation *Translation) {
  ApplyPass(Entry, Entry.FComponent, QString(), Translation);
}

void TZrLang_PropertyWalker::ApplyPass(TZrLang_CompEntry &Entry, QObject *Obj,
                                       const QString &Prefix,
                                       const TZrLang_CompTranslation *Translation) {
  const QMetaObject *Meta = Obj->metaObject();
  for (int I = 0; I < Meta->propertyCount(); ++I) {
    const QMetaProperty P = Meta->property(I);
    const TPropKind Kind = KindOf(P);
    if (Kind == pkOther || qstrcmp(P.name(), "objectName") == 0 || !P.isWritable())
      continue;
    const QString PropPath = PathOf(Prefix, P.name());
    if (Kind == pkString || Kind == pkStringList) {
      const PZrLang_PropEntry Rec = Entry.FPropEntries->FindPropByName(PropPath);
      if (!Rec)
        continue;
      QString Text = Rec->wsDefLangValue;
      if (Translation)
        if (const PZrLang_PropValueTranslation T = Translation->FindPropByID(Rec->iID))
          Text = T->wsValue;
      const QVariant NewValue = Kind == pkString ? QVariant(Text) : QVariant(SplitLines(Text));
      // Writing only what changed spares the widgets needless relayouts.
      if (P.read(Obj) != NewValue)
        P.write(Obj, NewValue);
    } else if (Kind == pkCollection) {
      const QObjectList Items = P.read(Obj).value<QObjectList>();
      for (qsizetype J = 0; J < Items.size(); ++J)
        if (Items[J])
          ApplyPass(Entry, Items[J], PropPath + u'[' + QString::number(J) + u']', Translation);
    } else if (Kind == pkObject) {
      QObject *Sub = P.read(Obj).value<QObject *>();
      if (IsWalkable(Sub, Obj))
        ApplyPass(Entry, Sub, PropPath, Translation);
    }
  }
}
