#include "CoreUUID.h"

#include "CoreError.h"

TGUID TUUID::NewGUID() {
  const TGUID GUID = QUuid::createUuid();
  if (GUID.isNull())
    throw ECoreError(QStringLiteral("CoCreateGuid failed"));
  return GUID;
}

TGUID TUUID::EmptyGUID() {
  return FromString(QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
}

bool TUUID::IsEmptyGUID(const TGUID &GUID) {
  return EqualGUIDs(GUID, EmptyGUID());
}

bool TUUID::EqualGUIDs(const TGUID &GUID1, const TGUID &GUID2) {
  return GUID1.toRfc4122() == GUID2.toRfc4122();
}

QString TUUID::ToString(const TGUID &GUID) {
  return GUID.toString(QUuid::WithBraces).toUpper();
}

QString TUUID::ToQuotedString(const TGUID &GUID) {
  return u'\'' + ToString(GUID).replace(u'\'', QStringLiteral("''")) + u'\'';
}

TGUID TUUID::FromString(const QString &Value) {
  bool Valid = Value.size() == 38 && Value.front() == u'{' && Value.back() == u'}';
  for (qsizetype I = 1; Valid && I < 37; ++I) {
    const QChar C = Value[I];
    if (I == 9 || I == 14 || I == 19 || I == 24)
      Valid = C == u'-';
    else
      Valid = C.isDigit() || (C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F');
  }
  if (!Valid)
    throw ECoreError(QStringLiteral("'%1' is not a valid GUID value").arg(Value));
  return QUuid::fromString(Value);
}

QString NewGUIDName(bool KeepDashes) {
  const TGUID GUID = QUuid::createUuid();
  if (GUID.isNull())
    return QString();
  QString Name = GUID.toString(KeepDashes ? QUuid::WithoutBraces : QUuid::Id128);
  return Name.toUpper();
}
