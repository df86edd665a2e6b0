#pragma once

#include <QString>
#include <span>

// One of the program's named message texts with its English default.
struct TAppConstant {
  const char16_t *Name;
  const char16_t *DefaultText;
};

// The program's message vocabulary, sorted by name. The constants resource
// ":/ZRLANG_CONSTS" is generated from this table when the program is built.
std::span<const TAppConstant> AppConstants();
