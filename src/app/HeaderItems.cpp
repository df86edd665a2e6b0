#include "HeaderItems.h"

#include "Params.h"

using namespace Qt::StringLiterals;

void THeaderItems::Read(const TZrLang_Params &Params) {
  Clear();
  const QString Value = Params.Values(FParamName);
  for (QStringView Item : QStringView(Value).split(u';', Qt::SkipEmptyParts))
    Add(Item.trimmed().toString());
}

void THeaderItems::Write(TZrLang_Params &Params) const {
  Params.SetValue(FParamName, FItems.join(u';'));
}

void THeaderItems::Clear() {
  FItems.clear();
  FLookup.clear();
}

bool THeaderItems::Add(QString Item) {
  if (Item.isEmpty() || FLookup.contains(Item))
    return false;
  FLookup.insert(Item);
  FItems << std::move(Item);
  return true;
}

QString THeaderItems::PropertyEntry(const QString &Component, qint32 ID) {
  return Component + u'/' + QString::number(ID);
}

QString THeaderItems::ConstantEntry(const QString &Name) {
  return u"$CONSTANTS/"_s + Name;
}

QString THeaderItems::EscapeEntry(QStringView Entry) {
  QString Result = Entry.toString();
  Result.replace(u'%', u"%25"_s);
  Result.replace(u';', u"%3B"_s);
  return Result;
}

QString THeaderItems::UnescapeEntry(QStringView Escaped) {
  QString Result = Escaped.toString();
  Result.replace(u"%3B"_s, u";"_s, Qt::CaseInsensitive);
  Result.replace(u"%25"_s, u"%"_s);
  return Result;
}

// FNV-1a over the UTF-16 units of both texts, a separator between them.
QString THeaderItems::TextsHash(QStringView Source, QStringView Translation) {
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
  return u"%1"_s.arg(H, 8, 16, QChar(u'0'));
}
