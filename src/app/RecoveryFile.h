#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class QIODevice;

// One changed entry of a document, named as TTranslationDocument::EntryKey
// names it.
struct TRecoveryEntry {
  QString Key;
  QString Value;
  QString ConstValue;
  quint8 States = 0; // TZrLang_TranslationStates::AsByte()
};

// What a recovery file holds: the files of a document with unsaved changes,
// its languages and the contents of every entry changed since it was opened.
// Applied to the same files opened anew, the entries give back the document
// as it was.
struct TRecoveryData {
  QString SourcePath;
  QString DisplayPath;     // empty: none
  QString TranslationPath; // empty: a new translation
  quint16 LangIDSource = 0;
  quint16 LangIDTranslation = 0;
  QDateTime LastChange; // UTC
  qint64 ProcessId = 0;
  std::vector<TRecoveryEntry> Entries;
};

// UTF-8 text: "Name=value" lines, then one line per entry with its fields
// separated by tabs. Values are escaped as translation values are, so every
// line ends at the first line break.
void WriteRecoveryData(QIODevice &Out, const TRecoveryData &Data);
// Nothing when the stream is not a complete recovery file (a file cut short
// by a crash while it was written is never seen: it is replaced atomically).
std::optional<TRecoveryData> ReadRecoveryData(QIODevice &In);
