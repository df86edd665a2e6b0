#pragma once

#include <QStringView>

// Whether XML 1.0 can hold Text: it has no form at all for the control
// characters other than tab and line breaks, nor for unpaired surrogates
// and U+FFFE/U+FFFF.
bool IsXmlText(QStringView Text);
