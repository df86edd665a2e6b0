#include "PlainFileName.h"

bool IsPlainFileName(const QString &Name) {
  if (Name.isEmpty() || Name == u"." || Name == u"..")
    return false;
  for (const QChar C : Name)
    if (C == u'/' || C == u'\\' || C == u':' || C == u'"' || C.unicode() < 0x20)
      return false;
  return true;
}
