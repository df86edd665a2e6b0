#include "UpdateDateTime.h"

namespace {

struct TFields {
  int Day = -1, Month = -1, Year = -1, Hour = 0, Minute = 0, Second = 0;
};

// Reads up to MaxDigits decimal digits at Pos; -1 when there is none.
int ReadNumber(QStringView Text, qsizetype &Pos, int MaxDigits) {
  int Value = 0, Digits = 0;
  while (Pos < Text.size() && Digits < MaxDigits && Text[Pos] >= u'0' && Text[Pos] <= u'9') {
    Value = Value * 10 + (Text[Pos].unicode() - u'0');
    ++Pos;
    ++Digits;
  }
  return Digits == 0 ? -1 : Value;
}

bool ParseFields(QStringView Text, QStringView Format, TFields &Fields) {
  qsizetype Pos = 0, F = 0;
  while (F < Format.size()) {
    const QChar Letter = Format[F].toLower();
    qsizetype Run = 1;
    while (F + Run < Format.size() && Format[F + Run].toLower() == Letter)
      ++Run;
    int *Target = nullptr;
    int MaxDigits = 2;
    switch (Letter.unicode()) {
    case u'd':
      Target = &Fields.Day;
      break;
    case u'm':
      Target = &Fields.Month;
      break;
    case u'y':
      Target = &Fields.Year;
      MaxDigits = Run >= 4 ? 4 : 2;
      break;
    case u'h':
      Target = &Fields.Hour;
      break;
    case u'n':
      Target = &Fields.Minute;
      break;
    case u's':
      Target = &Fields.Second;
      break;
    default:
      break;
    }
    if (Target) {
      if (Run > 4 || (Letter != u'y' && Run > 2))
        return false;
      const int Value = ReadNumber(Text, Pos, MaxDigits);
      if (Value < 0)
        return false;
      *Target = Letter == u'y' && Run < 4 ? 2000 + Value : Value;
      F += Run;
      continue;
    }
    if (Pos >= Text.size() || Text[Pos] != Format[F])
      return false;
    ++Pos;
    ++F;
  }
  return Pos == Text.size();
}

} // namespace

QDateTime ParseControlDateTime(const QString &Date, const QString &Time, const QString &DateFormat,
                               const QString &TimeFormat) {
  TFields Fields;
  if (!ParseFields(QStringView(Date).trimmed(), DateFormat, Fields))
    return {};
  const QStringView TimeText = QStringView(Time).trimmed();
  if (!TimeText.isEmpty() && !ParseFields(TimeText, TimeFormat, Fields))
    return {};
  const QDate D(Fields.Year, Fields.Month, Fields.Day);
  const QTime T(Fields.Hour, Fields.Minute, Fields.Second);
  if (!D.isValid() || !T.isValid())
    return {};
  return QDateTime(D, T);
}

QDateTime NoFileDate() {
  return QDateTime(QDate(1980, 1, 1), QTime(0, 0));
}
