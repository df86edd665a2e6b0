#include "CommonTypes.h"

bool IsEmptyStr(QStringView S) noexcept {
  for (QChar C : S)
    if (C.unicode() > 32)
      return false;
  return true;
}
