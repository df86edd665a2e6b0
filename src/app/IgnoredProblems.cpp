#include "IgnoredProblems.h"

namespace {

// The entry part of an item ("check:entry:hash"); empty when malformed.
QStringView EntryOf(QStringView Item) {
  const qsizetype First = Item.indexOf(u':');
  const qsizetype Last = Item.lastIndexOf(u':');
  if (First < 0 || Last <= First)
    return {};
  return Item.sliced(First + 1, Last - First - 1);
}

} // namespace

QString TIgnoredProblems::Item(QStringView CheckId, QStringView Entry, QStringView Source,
                               QStringView Translation) {
  return CheckId.toString() + u':' + THeaderItems::EscapeEntry(Entry) + u':' +
         THeaderItems::TextsHash(Source, Translation);
}

bool TIgnoredProblems::Contains(TTranslationCheck Check, QStringView Entry, QStringView Source,
                                QStringView Translation) const {
  if (FItems.IsEmpty())
    return false;
  return FItems.Contains(
      Item(QStringView(TranslationCheckInfo(Check).Id), Entry, Source, Translation));
}

bool TIgnoredProblems::ContainsAny(QStringView Entry, QStringView Source,
                                   QStringView Translation) const {
  for (const TTranslationCheckInfo &Info : TranslationCheckInfos())
    if (Contains(Info.Check, Entry, Source, Translation))
      return true;
  return false;
}

bool TIgnoredProblems::Add(TTranslationCheck Check, QStringView Entry, QStringView Source,
                           QStringView Translation) {
  return FItems.Add(Item(QStringView(TranslationCheckInfo(Check).Id), Entry, Source, Translation));
}

bool TIgnoredProblems::RemoveEntry(QStringView Entry) {
  const QString Escaped = THeaderItems::EscapeEntry(Entry);
  return FItems.RemoveIf([&](const QString &Item) { return EntryOf(Item) == Escaped; });
}
