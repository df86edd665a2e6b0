#include "IgnoredProblems.h"

#include "Params.h"

using namespace Qt::StringLiterals;

namespace {

// FNV-1a over the UTF-16 units of both texts, a separator between them: the
// value must not change between runs or machines, which rules out qHash.
quint32 TextsHash(QStringView Source, QStringView Translation) {
  quint32 H = 2166136261u;
  auto Feed = [&H](QStringView Text) {
    for (QChar C : Text) {
      H = (H ^ (C.unicode() & 0xFF)) * 16777619u;
      H = (H ^ (C.unicode() >> 8)) * 16777619u;
    }
  };
  Feed(Source);
  H = (H ^ 0xFFu) * 16777619u;
  Feed(Translation);
  return H;
}

QString EscapeEntry(QStringView Entry) {
  QString Result = Entry.toString();
  Result.replace(u'%', u"%25"_s);
  Result.replace(u';', u"%3B"_s);
  return Result;
}

// The entry part of an item ("check:entry:hash"); empty when malformed.
QStringView EntryOf(QStringView Item) {
  const qsizetype First = Item.indexOf(u':');
  const qsizetype Last = Item.lastIndexOf(u':');
  if (First < 0 || Last <= First)
    return {};
  return Item.sliced(First + 1, Last - First - 1);
}

} // namespace

void TIgnoredProblems::Read(const TZrLang_Params &Params) {
  Clear();
  const QString Value = Params.Values(ParamName);
  for (QStringView Item : QStringView(Value).split(u';', Qt::SkipEmptyParts)) {
    const QString Text = Item.trimmed().toString();
    if (!Text.isEmpty() && !FLookup.contains(Text)) {
      FItems << Text;
      FLookup.insert(Text);
    }
  }
}

void TIgnoredProblems::Write(TZrLang_Params &Params) const {
  Params.SetValue(ParamName, FItems.join(u';'));
}

void TIgnoredProblems::Clear() {
  FItems.clear();
  FLookup.clear();
}

QString TIgnoredProblems::Item(QStringView CheckId, QStringView Entry, QStringView Source,
                               QStringView Translation) {
  return CheckId.toString() + u':' + EscapeEntry(Entry) + u':' +
         u"%1"_s.arg(TextsHash(Source, Translation), 8, 16, QChar(u'0'));
}

bool TIgnoredProblems::Contains(TTranslationCheck Check, QStringView Entry, QStringView Source,
                                QStringView Translation) const {
  if (FLookup.isEmpty())
    return false;
  return FLookup.contains(
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
  QString Text = Item(QStringView(TranslationCheckInfo(Check).Id), Entry, Source, Translation);
  if (FLookup.contains(Text))
    return false;
  FLookup.insert(Text);
  FItems << std::move(Text);
  return true;
}

bool TIgnoredProblems::RemoveEntry(QStringView Entry) {
  const QString Escaped = EscapeEntry(Entry);
  const qsizetype Before = FItems.size();
  FItems.removeIf([&](const QString &Item) {
    if (EntryOf(Item) != Escaped)
      return false;
    FLookup.remove(Item);
    return true;
  });
  return FItems.size() != Before;
}

QString TIgnoredProblems::PropertyEntry(const QString &Component, qint32 ID) {
  return Component + u'/' + QString::number(ID);
}

QString TIgnoredProblems::ConstantEntry(const QString &Name) {
  return u"$CONSTANTS/"_s + Name;
}
