#pragma once

#include <QString>
#include <QStringView>

// Names of components, properties, constants and sections compare code unit by
// code unit with only 'a'..'z' folded to upper case; no locale applies.
// Returns <0, 0 or >0; a prefix sorts before the longer string.
int ZrLang_CompareText(QStringView A, QStringView B) noexcept;

inline bool ZrLang_SameText(QStringView A, QStringView B) noexcept {
  return A.size() == B.size() && ZrLang_CompareText(A, B) == 0;
}

// A key under which names that are the same name in text order are equal,
// for hashing.
QString ZrLang_TextOrderKey(QStringView Name);
