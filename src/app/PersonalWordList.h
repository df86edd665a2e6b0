#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QIODevice;

// The words of a word list: one a line, UTF-8 (a byte-order mark is
// skipped), any line break; blank lines are none.
QStringList ReadWordList(QIODevice &Device);
// Words one a line, UTF-8 without a byte-order mark, LF line ends.
void WriteWordList(QIODevice &Device, const QStringList &Words);

// The words a user added to the dictionary of one language, kept in a file
// of their own across sessions.
class TPersonalWordList {
public:
  // Reads FileName; a missing or unreadable file is an empty list, so that
  // spelling works without one.
  explicit TPersonalWordList(const QString &FileName);

  const QString &FileName() const { return FFileName; }
  const QStringList &Words() const { return FWords; }
  bool Contains(const QString &Word) const { return FIndex.contains(Word); }
  // Appends Word to the words the file holds now (another instance of the
  // program may have added some) and writes it anew through QSaveFile,
  // creating its folder; the list then holds what the file does. Nothing
  // when the list has the word. Raises EFCreateError when the file cannot be
  // written, and then does not hold the word.
  void Add(const QString &Word);
  // Takes Removed out of the words the file holds now and writes it anew
  // when that changes them; raises EFCreateError as Add does.
  void Remove(const QStringList &Removed);

private:
  // The file's words, each once; empty when it cannot be read.
  static QStringList ReadFile(const QString &FileName);
  // Writes Words as the file, which the list then holds.
  void Write(QStringList Words);

  QString FFileName;
  QStringList FWords;
  QSet<QString> FIndex;
};
