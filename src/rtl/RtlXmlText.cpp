#include "RtlXmlText.h"

#include <QChar>

bool IsXmlText(QStringView Text) {
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const char16_t C = Text[I].unicode();
    if ((C < 0x20 && C != u'\t' && C != u'\n' && C != u'\r') || C == 0xFFFE || C == 0xFFFF)
      return false;
    if (QChar::isHighSurrogate(C)) {
      if (I + 1 >= Text.size() || !QChar::isLowSurrogate(Text[I + 1].unicode()))
        return false;
      ++I;
    } else if (QChar::isLowSurrogate(C)) {
      return false;
    }
  }
  return true;
}
