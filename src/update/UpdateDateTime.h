#pragma once

#include <QDateTime>
#include <QString>

// Reads a control file's date and time in the component's formats. The
// formats use the letters d, m, yy/yyyy for the date and h, n (minutes), s
// for the time; a letter written once or twice takes one or two digits,
// "yyyy" up to four and "yy" two (years 2000 to 2099). Every other character
// must appear as it is. An empty time is midnight. The result is local time,
// invalid when either text does not fit its format or names no real date.
QDateTime ParseControlDateTime(const QString &Date, const QString &Time, const QString &DateFormat,
                               const QString &TimeFormat);

// The date of 1 January 1980, midnight, local time: the date of a local file
// that does not exist.
QDateTime NoFileDate();
