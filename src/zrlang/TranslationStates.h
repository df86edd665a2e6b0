#pragma once

#include <QtGlobal>
#include <initializer_list>

enum TZrLang_TranslationState : quint8 { zrtsUntranslated, zrtsAutotranslated };

// A set of translation states in one byte: bit value 1 for zrtsUntranslated,
// 2 for zrtsAutotranslated. States live in memory only; files never hold them.
class TZrLang_TranslationStates {
public:
  constexpr TZrLang_TranslationStates() = default;
  constexpr TZrLang_TranslationStates(std::initializer_list<TZrLang_TranslationState> States) {
    for (auto S : States)
      FBits |= Bit(S);
  }

  constexpr bool Contains(TZrLang_TranslationState S) const { return (FBits & Bit(S)) != 0; }
  constexpr bool IsEmpty() const { return FBits == 0; }
  constexpr void Include(TZrLang_TranslationState S) { FBits |= Bit(S); }
  constexpr void Exclude(TZrLang_TranslationState S) { FBits &= quint8(~Bit(S)); }
  constexpr quint8 AsByte() const { return FBits; }
  static constexpr TZrLang_TranslationStates FromByte(quint8 B) {
    TZrLang_TranslationStates R;
    R.FBits = B & 3;
    return R;
  }
  friend constexpr bool operator==(TZrLang_TranslationStates, TZrLang_TranslationStates) = default;

private:
  static constexpr quint8 Bit(TZrLang_TranslationState S) { return quint8(1u << S); }
  quint8 FBits = 0;
};
