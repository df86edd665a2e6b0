#pragma once

#include <QStringView>

// A text is empty when nothing is left after removing leading and trailing
// characters with codes up to U+0020; used to decide whether a name was given.
bool IsEmptyStr(QStringView S) noexcept;
inline bool IsNotEmptyStr(QStringView S) noexcept {
  return !IsEmptyStr(S);
}
