#pragma once

// A Hunspell dictionary of a few English words, written where Enchant looks
// first: $XDG_CONFIG_HOME/enchant/hunspell/. Tests point XDG_CONFIG_HOME at a
// folder of their own before Enchant starts, so that it never sees the
// user's dictionaries or word lists.

#include <QDir>
#include <QFile>
#include <QString>

inline const char *const TinyDictionaryWords[] = {"close", "file", "files", "name",
                                                  "open",  "save", "the",   "word"};

// Writes Tag.aff and Tag.dic below ConfigHome; false when that fails.
inline bool WriteTinyDictionary(const QString &ConfigHome, const QString &Tag) {
  const QString Folder = ConfigHome + QStringLiteral("/enchant/hunspell/");
  if (!QDir().mkpath(Folder))
    return false;
  QFile Aff(Folder + Tag + QStringLiteral(".aff"));
  QFile Dic(Folder + Tag + QStringLiteral(".dic"));
  if (!Aff.open(QIODevice::WriteOnly) || !Dic.open(QIODevice::WriteOnly))
    return false;
  Aff.write("SET UTF-8\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ\n");
  Dic.write(QByteArray::number(qsizetype(std::size(TinyDictionaryWords))) + '\n');
  for (const char *Word : TinyDictionaryWords)
    Dic.write(QByteArray(Word) + '\n');
  return Aff.flush() && Dic.flush();
}
