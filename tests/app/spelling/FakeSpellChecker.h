#pragma once

#include "SpellChecker.h"

#include <QSet>

// Knows the words it was given and counts what it was asked.
class TFakeSpellChecker : public TSpellChecker {
public:
  explicit TFakeSpellChecker(QSet<QString> Known) : FKnown(std::move(Known)) {}

  bool Check(const QString &Word) override {
    ++Checks;
    return FKnown.contains(Word);
  }
  QStringList Suggest(const QString &, int) override { return {}; }
  void AddToPersonal(const QString &Word) override { FKnown.insert(Word); }
  void IgnoreForSession(const QString &Word) override { FKnown.insert(Word); }

  int Checks = 0;

private:
  QSet<QString> FKnown;
};
