#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// A dictionary of one language that judges single words. Words are given
// without surrounding punctuation or accelerator marks.
class TSpellChecker {
public:
  virtual ~TSpellChecker() = default;

  // True when Word is spelled correctly (or was added or ignored).
  virtual bool Check(const QString &Word) = 0;
  // At most Max corrections of Word, the likeliest first; empty when there
  // are none.
  virtual QStringList Suggest(const QString &Word, int Max) = 0;
  // Word counts as correct from now on; whether it is kept beyond the
  // session is the implementation's business.
  virtual void AddToPersonal(const QString &Word) = 0;
  // Word counts as correct until this checker is destroyed.
  virtual void IgnoreForSession(const QString &Word) = 0;
};

// The system's spell checker (Enchant over the installed dictionaries) for
// the first of Tags ("de_DE", "de") that has a dictionary, whose tag is put
// in *UsedTag; null when none has. Its AddToPersonal keeps the word for the
// session only.
std::unique_ptr<TSpellChecker> OpenSystemSpellChecker(const QStringList &Tags,
                                                      QString *UsedTag = nullptr);
