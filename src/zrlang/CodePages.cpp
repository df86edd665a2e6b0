#include "CodePages.h"

#include "LargeBuffer.h"

#include <algorithm>

#include <QLocale>
#include <QMutex>
#include <QStringDecoder>
#include <QStringEncoder>
#include <map>
#include <memory>
#include <vector>

namespace {

struct TLanguageCodePage {
  quint16 Primary;
  const char *Iso639;
  unsigned CodePage;
};

// Windows primary language identifiers with their ISO 639 codes and default
// ANSI code pages. Languages whose code page depends on the script are refined
// by sublanguage in LangIDCodePage.
constexpr TLanguageCodePage Languages[] = {
    {0x01, "ar", 1256},  {0x02, "bg", 1251},  {0x03, "ca", 1252},  {0x04, "zh", 936},
    {0x05, "cs", 1250},  {0x06, "da", 1252},  {0x07, "de", 1252},  {0x08, "el", 1253},
    {0x09, "en", 1252},  {0x0A, "es", 1252},  {0x0B, "fi", 1252},  {0x0C, "fr", 1252},
    {0x0D, "he", 1255},  {0x0E, "hu", 1250},  {0x0F, "is", 1252},  {0x10, "it", 1252},
    {0x11, "ja", 932},   {0x12, "ko", 949},   {0x13, "nl", 1252},  {0x14, "nb", 1252},
    {0x14, "nn", 1252},  {0x14, "no", 1252},  {0x15, "pl", 1250},  {0x16, "pt", 1252},
    {0x17, "rm", 1252},  {0x18, "ro", 1250},  {0x19, "ru", 1251},  {0x1A, "hr", 1250},
    {0x1A, "sr", 1250},  {0x1A, "bs", 1250},  {0x1B, "sk", 1250},  {0x1C, "sq", 1250},
    {0x1D, "sv", 1252},  {0x1E, "th", 874},   {0x1F, "tr", 1254},  {0x20, "ur", 1256},
    {0x21, "id", 1252},  {0x22, "uk", 1251},  {0x23, "be", 1251},  {0x24, "sl", 1250},
    {0x25, "et", 1257},  {0x26, "lv", 1257},  {0x27, "lt", 1257},  {0x28, "tg", 1251},
    {0x29, "fa", 1256},  {0x2A, "vi", 1258},  {0x2B, "hy", 0},     {0x2C, "az", 1254},
    {0x2D, "eu", 1252},  {0x2E, "hsb", 1252}, {0x2E, "dsb", 1252}, {0x2F, "mk", 1251},
    {0x32, "tn", 1252},  {0x34, "xh", 1252},  {0x35, "zu", 1252},  {0x36, "af", 1252},
    {0x37, "ka", 0},     {0x38, "fo", 1252},  {0x39, "hi", 0},     {0x3A, "mt", 0},
    {0x3B, "se", 1252},  {0x3C, "ga", 1252},  {0x3E, "ms", 1252},  {0x3F, "kk", 1251},
    {0x40, "ky", 1251},  {0x41, "sw", 1252},  {0x42, "tk", 1250},  {0x43, "uz", 1254},
    {0x44, "tt", 1251},  {0x45, "bn", 0},     {0x46, "pa", 0},     {0x47, "gu", 0},
    {0x48, "or", 0},     {0x49, "ta", 0},     {0x4A, "te", 0},     {0x4B, "kn", 0},
    {0x4C, "ml", 0},     {0x4D, "as", 0},     {0x4E, "mr", 0},     {0x4F, "sa", 0},
    {0x50, "mn", 1251},  {0x51, "bo", 0},     {0x52, "cy", 1252},  {0x53, "km", 0},
    {0x54, "lo", 0},     {0x56, "gl", 1252},  {0x57, "kok", 0},    {0x5A, "syr", 0},
    {0x5B, "si", 0},     {0x5D, "iu", 1252},  {0x5E, "am", 0},     {0x61, "ne", 0},
    {0x62, "fy", 1252},  {0x63, "ps", 0},     {0x64, "fil", 1252}, {0x65, "dv", 0},
    {0x68, "ha", 1252},  {0x6A, "yo", 1252},  {0x6B, "quz", 1252}, {0x6C, "nso", 1252},
    {0x6D, "ba", 1251},  {0x6E, "lb", 1252},  {0x6F, "kl", 1252},  {0x70, "ig", 1252},
    {0x78, "ii", 0},     {0x7A, "arn", 1252}, {0x7C, "moh", 1252}, {0x7E, "br", 1252},
    {0x80, "ug", 1256},  {0x81, "mi", 0},     {0x82, "oc", 1252},  {0x83, "co", 1252},
    {0x84, "gsw", 1252}, {0x85, "sah", 1251}, {0x86, "qut", 1252}, {0x87, "rw", 1252},
    {0x88, "wo", 1252},  {0x8C, "prs", 1256}, {0x92, "ku", 1256},
};

const TLanguageCodePage *FindPrimary(quint16 Primary) {
  for (const auto &L : Languages)
    if (L.Primary == Primary)
      return &L;
  return nullptr;
}

QByteArray ConverterName(unsigned CodePage) {
  if (CodePage == 65001)
    return "UTF-8";
  return "windows-" + QByteArray::number(CodePage);
}

// resetState() of Qt's ICU-backed converters keeps the error flag of earlier
// calls, so a restart clears it as well; otherwise every character after the
// first unrepresentable one would count as unrepresentable too.
class TAnsiEncoder : public QStringEncoder {
public:
  explicit TAnsiEncoder(const char *Name) : QStringEncoder(Name) {}
  void Restart() noexcept {
    resetState();
    state.invalidChars = 0;
  }
};

unsigned ResolveCodePage(unsigned CodePage) {
  if (CodePage == 0)
    CodePage = SystemAnsiCodePage();
  return CodePage;
}

} // namespace

unsigned LangIDCodePage(quint16 LangID) {
  const quint16 Primary = LangID & 0x3FF;
  switch (LangID) {
  case 0x0404: // Chinese (Taiwan)
  case 0x0C04: // Chinese (Hong Kong)
  case 0x1404: // Chinese (Macao)
    return 950;
  case 0x082C: // Azerbaijani (Cyrillic)
  case 0x0843: // Uzbek (Cyrillic)
  case 0x0C1A: // Serbian (Cyrillic, Serbia and Montenegro)
  case 0x1C1A: // Serbian (Cyrillic, Bosnia and Herzegovina)
  case 0x201A: // Bosnian (Cyrillic)
  case 0x281A: // Serbian (Cyrillic, Serbia)
  case 0x301A: // Serbian (Cyrillic, Montenegro)
    return 1251;
  default:
    break;
  }
  if (const TLanguageCodePage *L = FindPrimary(Primary))
    return L->CodePage;
  return SystemAnsiCodePage();
}

unsigned TranslationCodePage(std::optional<quint16> LangID) {
  const unsigned CodePage = LangID ? LangIDCodePage(*LangID) : 0;
  return CodePage != 0 ? CodePage : SystemAnsiCodePage();
}

quint16 PrimaryLangIDOfIsoCode(QStringView Iso639) {
  for (const auto &L : Languages)
    if (Iso639.compare(QLatin1StringView(L.Iso639), Qt::CaseInsensitive) == 0)
      return L.Primary;
  return 0;
}

QString IsoCodeOfLangID(quint16 LangID) {
  const TLanguageCodePage *L = FindPrimary(LangID & 0x3FF);
  return L ? QString::fromLatin1(L->Iso639) : QString();
}

unsigned SystemAnsiCodePage() {
  bool Ok = false;
  const int Override = qEnvironmentVariableIntValue("LINGROVE_ACP", &Ok);
  if (Ok && Override > 0)
    return unsigned(Override);
  const QString Name = QLocale::system().name(); // "ru_RU", or "C"
  const quint16 Primary = PrimaryLangIDOfIsoCode(QStringView(Name).left(Name.indexOf(u'_')));
  const TLanguageCodePage *L = Primary ? FindPrimary(Primary) : nullptr;
  // A language without an ANSI code page still needs one for narrow text.
  return (L && L->CodePage != 0) ? L->CodePage : 1252;
}

namespace {

bool IsSingleByte(unsigned CodePage) {
  return CodePage == 874 || (CodePage >= 1250 && CodePage <= 1258);
}

// Both directions of a single-byte code page, built once from Qt's
// converter: a table lookup per character is several times faster than the
// converter and gives '?' for what the page lacks without a second pass.
struct TSingleByteTables {
  char16_t ToUnicode[256];
  std::vector<quint8> FromUnicode; // 0 for characters the page lacks
};

const TSingleByteTables &SingleByteTables(unsigned CodePage) {
  static QMutex Mutex;
  static std::map<unsigned, std::unique_ptr<TSingleByteTables>> Cache;
  QMutexLocker Lock(&Mutex);
  auto &Entry = Cache[CodePage];
  if (!Entry) {
    auto T = std::make_unique<TSingleByteTables>();
    T->FromUnicode.assign(0x10000, 0);
    QStringDecoder Decoder(ConverterName(CodePage).constData());
    for (int B = 0; B < 256; ++B) {
      const char Byte = char(B);
      const QString U = Decoder.decode(QByteArrayView(&Byte, 1));
      Decoder.resetState();
      T->ToUnicode[B] = U.size() == 1 ? U[0].unicode() : char16_t(QChar::ReplacementCharacter);
      const char16_t C = T->ToUnicode[B];
      if (B != 0 && C != QChar::ReplacementCharacter && T->FromUnicode[C] == 0)
        T->FromUnicode[C] = quint8(B);
    }
    Entry = std::move(T);
  }
  return *Entry;
}

} // namespace

QString DecodeAnsi(QByteArrayView Bytes, unsigned CodePage) {
  CodePage = ResolveCodePage(CodePage);
  if (IsSingleByte(CodePage)) {
    const TSingleByteTables &T = SingleByteTables(CodePage);
    QString Result(Bytes.size(), Qt::Uninitialized);
    char16_t *Out = reinterpret_cast<char16_t *>(Result.data());
    ZrLang_AdviseLargeBuffer(Out, Bytes.size() * 2);
    const auto *In = reinterpret_cast<const quint8 *>(Bytes.data());
    for (qsizetype I = 0; I < Bytes.size(); ++I)
      Out[I] = T.ToUnicode[In[I]];
    return Result;
  }
  QStringDecoder Decoder(ConverterName(CodePage).constData());
  if (!Decoder.isValid())
    Decoder = QStringDecoder("windows-1252");
  return Decoder.decode(Bytes);
}

const char16_t *SingleByteToUnicode(unsigned CodePage) {
  CodePage = ResolveCodePage(CodePage);
  return IsSingleByte(CodePage) ? SingleByteTables(CodePage).ToUnicode : nullptr;
}

bool CanEncodeAnsi(QStringView Text, unsigned CodePage) {
  CodePage = ResolveCodePage(CodePage);
  if (IsSingleByte(CodePage)) {
    const TSingleByteTables &T = SingleByteTables(CodePage);
    return std::all_of(Text.begin(), Text.end(), [&T](QChar C) {
      return C.unicode() == 0 || T.FromUnicode[C.unicode()] != 0;
    });
  }
  return DecodeAnsi(EncodeAnsi(Text, CodePage), CodePage) == Text;
}

QByteArray EncodeAnsi(QStringView Text, unsigned CodePage) {
  CodePage = ResolveCodePage(CodePage);
  if (IsSingleByte(CodePage)) {
    const TSingleByteTables &T = SingleByteTables(CodePage);
    QByteArray Result(Text.size(), Qt::Uninitialized);
    const char16_t *In = Text.utf16();
    char *Out = Result.data();
    qsizetype N = 0;
    for (qsizetype I = 0; I < Text.size(); ++I) {
      const char16_t C = In[I];
      const quint8 B = T.FromUnicode[C];
      if (B != 0 || C == 0) {
        Out[N++] = char(B);
        continue;
      }
      // A surrogate pair is one character and becomes one '?'.
      if (QChar::isHighSurrogate(C) && I + 1 < Text.size() && QChar::isLowSurrogate(In[I + 1]))
        ++I;
      Out[N++] = '?';
    }
    Result.truncate(N);
    return Result;
  }
  TAnsiEncoder Encoder(ConverterName(CodePage).constData());
  if (!Encoder.isValid())
    Encoder = TAnsiEncoder("windows-1252");
  // A converter keeps a high surrogate at the end of its input for the next
  // call instead of reporting it, so such a text takes the careful way.
  const auto EndsInHighSurrogate = [](QStringView S) {
    return !S.isEmpty() && S.back().isHighSurrogate();
  };
  QByteArray Result = Encoder.encode(Text);
  if (!Encoder.hasError() && !EndsInHighSurrogate(Text))
    return Result;

  // Some characters have no narrow form. Encode again in blocks, and the
  // blocks that hold such characters one code point at a time, so that each
  // of them becomes '?' instead of the converter's own substitute byte.
  constexpr qsizetype BlockSize = 4096;
  Result.clear();
  Result.reserve(Text.size());
  const auto PointLength = [&Text](qsizetype I) -> qsizetype {
    return (Text[I].isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate()) ? 2
                                                                                              : 1;
  };
  for (qsizetype Start = 0; Start < Text.size();) {
    qsizetype End = std::min(Start + BlockSize, Text.size());
    if (End < Text.size() && Text[End - 1].isHighSurrogate())
      ++End;
    const QStringView Block = Text.sliced(Start, End - Start);
    Encoder.Restart();
    const QByteArray Bytes = Encoder.encode(Block);
    if (!Encoder.hasError() && !EndsInHighSurrogate(Block)) {
      Result.append(Bytes);
    } else {
      for (qsizetype I = Start; I < End;) {
        const qsizetype Len = PointLength(I);
        Encoder.Restart();
        const QByteArray One = Encoder.encode(Text.sliced(I, Len));
        const bool bLoneSurrogate = Len == 1 && Text[I].isSurrogate();
        Result.append(Encoder.hasError() || bLoneSurrogate ? QByteArray("?") : One);
        I += Len;
      }
    }
    Start = End;
  }
  return Result;
}
