#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

class TZrLang_Params;

// Per-entry data that travels with a translation in one header parameter,
// which the library reads and writes like any other and which other
// programs ignore: a list of items separated by ";". Items are kept in the
// order they were added, so an unchanged list is written back unchanged.
//
// Items name entries as "component/ID" for a property and "$CONSTANTS/name"
// for a constant, with "%" and ";" written as "%25" and "%3B" (EscapeEntry),
// and tie them to texts by TextsHash, so that an item stops applying once
// the entry's text changes.
class THeaderItems {
public:
  explicit THeaderItems(QStringView ParamName) : FParamName(ParamName.toString()) {}

  // Blank items and repeats are dropped.
  void Read(const TZrLang_Params &Params);
  // Removes the parameter when there are no items.
  void Write(TZrLang_Params &Params) const;
  void Clear();

  bool IsEmpty() const { return FItems.isEmpty(); }
  const QStringList &Items() const { return FItems; }
  bool Contains(const QString &Item) const { return FLookup.contains(Item); }
  // Both return whether anything changed.
  bool Add(QString Item);
  template <class F> bool RemoveIf(F &&Pred) {
    const qsizetype Before = FItems.size();
    FItems.removeIf([&](const QString &Item) {
      if (!Pred(Item))
        return false;
      FLookup.remove(Item);
      return true;
    });
    return FItems.size() != Before;
  }

  static QString PropertyEntry(const QString &Component, qint32 ID);
  static QString ConstantEntry(const QString &Name);
  static QString EscapeEntry(QStringView Entry);
  static QString UnescapeEntry(QStringView Escaped);
  // 8 hex digits of a hash over the texts that must not change between runs
  // or machines (which rules out qHash).
  static QString TextsHash(QStringView Source, QStringView Translation);

private:
  QString FParamName;
  QStringList FItems;
  QSet<QString> FLookup;
};
