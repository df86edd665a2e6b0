#pragma once

#include <QHash>
#include <QString>

// A control file read as INI text: "[section]" lines and "key=value" lines.
// Section and key names compare without regard to case; blanks around names
// and values are dropped, and one pair of double quotes around a value too.
// Lines starting with ';' or '#' are comments, other lines without '=' are
// skipped, and the first of repeated keys counts. Nothing else is special,
// so values may hold ';', ',', '%', '\' and quotes inside.
class TUpdateControlFile {
public:
  // Reads UTF-8 text (a byte-order mark is skipped). Replaces any earlier
  // content.
  void Parse(const QByteArray &Data);
  // False when the file cannot be read (the content is then empty).
  bool LoadFromFile(const QString &FileName);

  bool Has(const QString &Section, const QString &Key) const;
  QString Value(const QString &Section, const QString &Key,
                const QString &Default = QString()) const;
  // The value as a decimal integer; Default when missing or not a number.
  qint64 IntValue(const QString &Section, const QString &Key, qint64 Default) const;
  bool HasSection(const QString &Section) const;

private:
  QHash<QString, QHash<QString, QString>> FSections; // keys in lower case
};
