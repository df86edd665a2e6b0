#pragma once

#include "SpellChecker.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>
#include <memory>

class TPersonalWordList;

// The spelling of the open translation's language for the editor: a
// dictionary with the user's personal word list of its language, the words
// ignored in this session, and a cache of every word judged, so that judging
// a word again costs one lookup. While no dictionary is open every word is
// correct and there are no suggestions.
//
// Check and Suggest may be called from other threads while the session is
// used on its own; every call holds the session's lock.
class TSpellingSession : public QObject, public TSpellChecker {
  Q_OBJECT

public:
  explicit TSpellingSession(QObject *Parent = nullptr);
  ~TSpellingSession() override;

  // Opens the system's dictionary for the language LangID (see
  // SpellingLanguageTags); false when none is installed, which leaves the
  // session closed.
  bool Open(quint16 LangID);
  // Opens Checker as the dictionary of the language Tag ("de_DE").
  void Open(std::unique_ptr<TSpellChecker> Checker, const QString &Tag);
  void Close();
  bool IsOpen() const;
  // The open dictionary's tag; empty while closed.
  QString Tag() const;

  bool Check(const QString &Word) override;
  QStringList Suggest(const QString &Word, int Max) override;
  // Also appends Word to the personal word list file of the language
  // (PersonalWordListFile), raising EFCreateError when that cannot be
  // written; the word is then accepted for this session only.
  void AddToPersonal(const QString &Word) override;
  void IgnoreForSession(const QString &Word) override;

  // The personal word list of the language Tag: "Words.<Tag>.txt" in the
  // program's settings folder; empty when there is no such folder.
  static QString PersonalWordListFile(const QString &Tag);

Q_SIGNALS:
  // A word may be judged otherwise than before: a dictionary was opened or
  // closed, or a word added or ignored.
  void Changed();

private:
  void Accept(const QString &Word);

  mutable QMutex FMutex;
  std::unique_ptr<TSpellChecker> FChecker;
  std::unique_ptr<TPersonalWordList> FPersonal;
  QString FTag;
  QHash<QString, bool> FCache;
};
