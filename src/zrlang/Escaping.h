#pragma once

#include <QString>
#include <QStringView>

// The one-line form of a value: line breaks become \n, tabs \t, backslashes
// \\ and other codes below 32 a backslash with two decimal digits. Every kind
// of line break (CR LF, LF CR, lone CR, lone LF) becomes one \n.
QString EncodeControlChars(QStringView Value);
// The same, appended to Out.
void AppendEncodedControlChars(QString &Out, QStringView Value);

// The value of a one-line form; \n gives CR LF. Unknown escapes are kept as
// written, and the two-digit form decodes every code from 00 to 99.
QString DecodeControlChars(QStringView Text);
