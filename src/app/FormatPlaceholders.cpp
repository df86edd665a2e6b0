#include "FormatPlaceholders.h"

#include <algorithm>

namespace {

// As RtlFormat: larger numbers are taken for mistakes.
constexpr int MaxNumber = 100000;

bool IsAsciiDigit(QChar C) {
  return C >= u'0' && C <= u'9';
}

bool IsType(char16_t C) {
  switch (C) {
  case u'd':
  case u'u':
  case u'x':
  case u'e':
  case u'f':
  case u'g':
  case u'n':
  case u'm':
  case u'p':
  case u's':
    return true;
  default:
    return false;
  }
}

class TPlaceholderParser {
public:
  explicit TPlaceholderParser(QStringView Text) : FText(Text) {}
  TFormatPlaceholders Run();

private:
  enum class TNumber { None, Digits, Star, Invalid };
  bool At(char16_t C) const { return FPos < FText.size() && FText[FPos] == C; }
  TNumber ReadNumber(int &Value);
  // False when the placeholder starting at Start is malformed.
  bool ReadPlaceholder(qsizetype Start);

  QStringView FText;
  qsizetype FPos = 0;
  int FArgIndex = 0;
  TFormatPlaceholders FResult;
};

TPlaceholderParser::TNumber TPlaceholderParser::ReadNumber(int &Value) {
  if (At(u'*')) {
    ++FPos;
    return TNumber::Star;
  }
  if (FPos >= FText.size() || !IsAsciiDigit(FText[FPos]))
    return TNumber::None;
  Value = 0;
  while (FPos < FText.size() && IsAsciiDigit(FText[FPos])) {
    Value = Value * 10 + (FText[FPos].unicode() - u'0');
    if (Value > MaxNumber)
      return TNumber::Invalid;
    ++FPos;
  }
  return TNumber::Digits;
}

bool TPlaceholderParser::ReadPlaceholder(qsizetype Start) {
  // Arguments taken by "*" are recorded once the placeholder's text is known.
  std::vector<int> StarArgs;
  const auto TakeStar = [&] {
    StarArgs.push_back(FArgIndex);
    if (FArgIndex >= 0)
      ++FArgIndex;
  };
  int Value = 0;
  TNumber Number = ReadNumber(Value);
  if (Number == TNumber::Invalid)
    return false;
  if (Number == TNumber::Star)
    TakeStar();
  if (Number != TNumber::None && At(u':')) {
    ++FPos;
    FArgIndex = Number == TNumber::Star ? -1 : Value;
    Number = TNumber::None;
  }
  if (Number == TNumber::None) {
    if (At(u'-'))
      ++FPos;
    Number = ReadNumber(Value);
    if (Number == TNumber::Invalid)
      return false;
    if (Number == TNumber::Star)
      TakeStar();
  }
  if (At(u'.')) {
    ++FPos;
    Number = ReadNumber(Value);
    if (Number == TNumber::Invalid)
      return false;
    if (Number == TNumber::Star)
      TakeStar();
  }
  if (FPos >= FText.size())
    return false;
  const char16_t Type = QChar::toLower(FText[FPos].unicode());
  if (!IsType(Type))
    return false;
  const QStringView Whole = FText.sliced(Start, FPos - Start + 1);
  for (int Arg : StarArgs)
    FResult.Items.push_back({Arg, u'*', Whole});
  FResult.Items.push_back({FArgIndex, Type, Whole});
  if (FArgIndex >= 0)
    ++FArgIndex;
  return true;
}

TFormatPlaceholders TPlaceholderParser::Run() {
  for (; FPos < FText.size(); ++FPos) {
    FPos = FText.indexOf(u'%', FPos);
    if (FPos < 0)
      break;
    FResult.bHasPercent = true;
    const qsizetype Start = FPos++;
    if (At(u'%'))
      continue;
    if (!ReadPlaceholder(Start)) {
      FResult.Malformed = FText.sliced(Start, std::min(FPos + 1, FText.size()) - Start);
      break;
    }
  }
  return std::move(FResult);
}

} // namespace

TFormatPlaceholders ParseFormatPlaceholders(QStringView Text) {
  return TPlaceholderParser(Text).Run();
}
