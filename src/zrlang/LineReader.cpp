#include "LineReader.h"

#include "Exceptions.h"

#include <QChar>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

// Large enough that a read costs little next to decoding it, small enough to
// stay in the processor's cache while its lines are parsed.
constexpr qsizetype BlockChars = 64 * 1024;

} // namespace

TZrLang_LineReader::TZrLang_LineReader(QIODevice &Stream, bool bBigEndian)
    : FSource(TSource::Utf16), FStream(&Stream), FBigEndian(bBigEndian),
      FSizeHint(Stream.isSequential() ? BlockChars : (Stream.bytesAvailable() + 1) / 2),
      FBlock(std::make_unique<char16_t[]>(size_t(BlockChars))), FCapacity(BlockChars),
      FData(FBlock.get()) {}

TZrLang_LineReader::TZrLang_LineReader(QByteArrayView Bytes, const char16_t *ToUnicode)
    : FSource(TSource::Narrow), FBytes(Bytes), FToUnicode(ToUnicode), FSizeHint(Bytes.size()),
      FCapacity(std::clamp(Bytes.size(), qsizetype(16), BlockChars)) {
  FBlock = std::make_unique<char16_t[]>(size_t(FCapacity));
  FData = FBlock.get();
}

TZrLang_LineReader::TZrLang_LineReader(QStringView Text)
    : FSource(TSource::Text), FSizeHint(Text.size()), FData(Text.utf16()), FLen(Text.size()),
      FEnd(true) {}

TZrLang_LineReader::~TZrLang_LineReader() = default;

void TZrLang_LineReader::StopAtNul() {
  FStopAtNul = true;
  EndAtNul(FPos);
}

bool TZrLang_LineReader::Next(QStringView &Line) {
  for (;;) {
    bool bBreakAtEdge = false;
    for (qsizetype I = FScan; I < FLen; ++I) {
      const char16_t C = FData[I];
      if (C > u'\r' || (C != u'\r' && C != u'\n')) // one comparison for nearly every character
        continue;
      // A CR last in the block may be the first half of a CR LF.
      if (C == u'\r' && I + 1 == FLen && !FEnd) {
        FScan = I;
        bBreakAtEdge = true;
        break;
      }
      Line = QStringView(FData + FPos, I - FPos);
      qsizetype After = I + 1;
      if (C == u'\r' && After < FLen && FData[After] == u'\n')
        ++After;
      FPos = FScan = After;
      return true;
    }
    if (!bBreakAtEdge)
      FScan = FLen;
    if (FEnd) {
      if (FPos == FLen)
        return false;
      Line = QStringView(FData + FPos, FLen - FPos);
      FPos = FScan = FLen;
      return true;
    }
    Refill();
  }
}

void TZrLang_LineReader::Refill() {
  MakeRoom();
  const qsizetype Old = FLen;
  if (FSource == TSource::Utf16)
    ReadUtf16();
  else
    ReadNarrow();
  if (FStopAtNul)
    EndAtNul(Old);
}

void TZrLang_LineReader::MakeRoom() {
  const qsizetype OddBytes = FOddByte ? 1 : 0;
  if (FPos > 0) {
    std::memmove(FBlock.get(), FBlock.get() + FPos, size_t((FLen - FPos) * 2 + OddBytes));
    FLen -= FPos;
    FScan -= FPos;
    FPos = 0;
  }
  // A line longer than the block: the block grows to hold it.
  if (FCapacity - FLen < 2) {
    auto Larger = std::make_unique<char16_t[]>(size_t(FCapacity * 2));
    std::memcpy(Larger.get(), FBlock.get(), size_t(FLen * 2 + OddBytes));
    FBlock = std::move(Larger);
    FCapacity *= 2;
    FData = FBlock.get();
  }
}

void TZrLang_LineReader::ReadUtf16() {
  char *Bytes = reinterpret_cast<char *>(FBlock.get());
  qsizetype ByteEnd = FLen * 2 + (FOddByte ? 1 : 0);
  const qint64 Got = FStream->read(Bytes + ByteEnd, FCapacity * 2 - ByteEnd);
  if (Got < 0)
    throw EReadError();
  if (Got == 0) {
    if (FOddByte)
      FBlock[size_t(FLen++)] = QChar::ReplacementCharacter;
    FOddByte = false;
    FEnd = true;
    return;
  }
  ByteEnd += Got;
  const qsizetype Len = ByteEnd / 2;
  char16_t *P = FBlock.get();
  // Text in the machine's byte order is used as it was read.
  if (FBigEndian)
    for (qsizetype I = FLen; I < Len; ++I)
      P[I] = qFromBigEndian(P[I]);
  else
    for (qsizetype I = FLen; I < Len; ++I)
      P[I] = qFromLittleEndian(P[I]);
  FLen = Len;
  FOddByte = ByteEnd % 2 != 0;
}

void TZrLang_LineReader::ReadNarrow() {
  const qsizetype N = std::min(FCapacity - FLen, FBytes.size());
  const auto *In = reinterpret_cast<const quint8 *>(FBytes.data());
  char16_t *Out = FBlock.get() + FLen;
  for (qsizetype I = 0; I < N; ++I)
    Out[I] = FToUnicode[In[I]];
  FBytes = FBytes.sliced(N);
  FLen += N;
  FEnd = FBytes.isEmpty();
}

void TZrLang_LineReader::EndAtNul(qsizetype From) {
  const char16_t *End = FData + FLen;
  const char16_t *Nul = std::find(FData + From, End, u'\0');
  if (Nul == End)
    return;
  FLen = Nul - FData;
  FOddByte = false;
  FEnd = true;
}
