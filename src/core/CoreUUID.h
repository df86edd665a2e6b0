#pragma once

#include <QString>
#include <QUuid>

// The 16-byte GUID record.
using TGUID = QUuid;

class TUUID {
public:
  TUUID() = delete;
  // A new random GUID; raises ECoreError "CoCreateGuid failed" when the
  // system gives none.
  static TGUID NewGUID();
  static TGUID EmptyGUID();
  static bool IsEmptyGUID(const TGUID &GUID);
  static bool EqualGUIDs(const TGUID &GUID1, const TGUID &GUID2);
  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case digits.
  static QString ToString(const TGUID &GUID);
  // The same in single quotes.
  static QString ToQuotedString(const TGUID &GUID);
  // Parses exactly the 38-character form; raises ECoreError otherwise.
  static TGUID FromString(const QString &Value);
};

// A new GUID as text without braces and, unless KeepDashes, without dashes
// (32 upper-case hexadecimal digits); empty when no GUID could be made.
QString NewGUIDName(bool KeepDashes = false);
