#include "Szdd.h"

#include "Exceptions.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr char Magic[8] = {'S', 'Z', 'D', 'D', '\x88', '\xF0', '\x27', '\x33'};
constexpr qsizetype HeaderSize = 14;
constexpr char ModeLzss = 'A';

constexpr qsizetype WindowSize = 4096;
constexpr qsizetype WindowMask = WindowSize - 1;
constexpr qsizetype InitialWritePos = WindowSize - 16;
constexpr quint8 Blank = ' ';
constexpr qsizetype MinMatch = 3;
constexpr qsizetype MaxMatch = 18;

// The compressor never refers further back than this, so that a match never
// reads a window slot that a decoder might already be overwriting with the
// same match's output, whichever order it copies in.
constexpr qsizetype MaxDistance = WindowSize - MaxMatch;
// Bounds the search per position; long runs of equal hashes would otherwise
// make compression quadratic.
constexpr int MaxChain = 128;
constexpr int HashBits = 15;

// Reads the compressed stream in blocks, so a large input never sits in
// memory whole and each byte costs no virtual call.
class TByteSource {
public:
  explicit TByteSource(QIODevice &In) : FIn(In) {}

  // Returns false at the end of the stream.
  bool Next(quint8 &Byte) {
    if (FPos == FCount && !Fill())
      return false;
    Byte = quint8(FBuffer[size_t(FPos++)]);
    return true;
  }

private:
  bool Fill() {
    const qint64 Got = FIn.read(FBuffer.data(), qint64(FBuffer.size()));
    if (Got < 0)
      throw EReadError(
          QStringLiteral("Cannot read the compressed data: %1").arg(FIn.errorString()));
    FPos = 0;
    FCount = Got;
    return Got > 0;
  }

  QIODevice &FIn;
  std::array<char, 16384> FBuffer;
  qint64 FPos = 0;
  qint64 FCount = 0;
};

quint32 ReadHeader(QIODevice &In) {
  char Header[HeaderSize];
  if (In.read(Header, HeaderSize) != HeaderSize)
    throw EReadError(QStringLiteral("The compressed file is too short for its header"));
  if (std::memcmp(Header, Magic, sizeof Magic) != 0)
    throw EReadError(QStringLiteral("The file is not an SZDD compressed file"));
  if (Header[8] != ModeLzss)
    throw EReadError(QStringLiteral("The compressed file uses an unknown compression mode"));
  const quint32 Size = qFromLittleEndian<quint32>(Header + 10);
  if (Size > SzddMaxExpandedSize)
    throw EReadError(
        QStringLiteral("The compressed file announces %1 bytes, more than the %2 bytes allowed")
            .arg(Size)
            .arg(SzddMaxExpandedSize));
  return Size;
}

[[noreturn]] void ThrowTooLong(quint32 Size) {
  throw EReadError(
      QStringLiteral("The compressed data expands to more than the %1 bytes announced").arg(Size));
}

quint32 Hash3(const quint8 *P) {
  const quint32 Key = quint32(P[0]) | (quint32(P[1]) << 8) | (quint32(P[2]) << 16);
  return (Key * 2654435761u) >> (32 - HashBits);
}

// The flag byte that precedes each group of eight items.
class TItemWriter {
public:
  explicit TItemWriter(QByteArray &Out) : FOut(Out) {}

  void Literal(quint8 Byte) {
    Begin(true);
    FOut.append(char(Byte));
  }

  void Match(qsizetype WindowPos, qsizetype Length) {
    Begin(false);
    FOut.append(char(WindowPos & 0xFF));
    FOut.append(char(((WindowPos >> 4) & 0xF0) | (Length - MinMatch)));
  }

private:
  void Begin(bool IsLiteral) {
    if (FItems == 8) {
      FFlagAt = FOut.size();
      FOut.append('\0');
      FItems = 0;
    }
    if (IsLiteral)
      FOut.data()[FFlagAt] = char(quint8(FOut.at(FFlagAt)) | (1u << FItems));
    ++FItems;
  }

  QByteArray &FOut;
  qsizetype FFlagAt = 0;
  int FItems = 8;
};

} // namespace

QByteArray SzddExpand(QIODevice &In) {
  const quint32 Size = ReadHeader(In);
  TByteSource Source(In);
  std::array<quint8, WindowSize> Window;
  Window.fill(Blank);
  qsizetype WritePos = InitialWritePos;

  QByteArray Out;
  // The announced size may be a lie; grow as data arrives beyond the first
  // megabyte instead of trusting it.
  Out.reserve(std::min<qsizetype>(Size, 1 << 20));
  const auto Put = [&](quint8 Byte) {
    Window[size_t(WritePos)] = Byte;
    WritePos = (WritePos + 1) & WindowMask;
    Out.append(char(Byte));
  };

  quint8 Flags = 0;
  while (Source.Next(Flags)) {
    for (int Item = 0; Item < 8; ++Item, Flags >>= 1) {
      quint8 First = 0;
      if (!Source.Next(First))
        break;
      if (Flags & 1) {
        if (Out.size() >= qsizetype(Size))
          ThrowTooLong(Size);
        Put(First);
        continue;
      }
      quint8 Second = 0;
      if (!Source.Next(Second))
        throw EReadError(QStringLiteral("The compressed data ends inside a match"));
      const qsizetype Pos = qsizetype(First) | (qsizetype(Second & 0xF0) << 4);
      const qsizetype Length = qsizetype(Second & 0x0F) + MinMatch;
      if (Out.size() + Length > qsizetype(Size))
        ThrowTooLong(Size);
      // Byte by byte: a match may overlap its own output.
      for (qsizetype I = 0; I < Length; ++I)
        Put(Window[size_t((Pos + I) & WindowMask)]);
    }
  }
  if (Out.size() != qsizetype(Size))
    throw EReadError(QStringLiteral("The compressed data is truncated: %1 of %2 bytes")
                         .arg(Out.size())
                         .arg(Size));
  return Out;
}

QByteArray SzddCompress(const QByteArray &Data, char LastNameChar) {
  const qsizetype Count = Data.size();
  // The data as the expander's window sees it: blanks, then the data. A
  // position Pos here lies in window slot (Pos - 16) mod 4096.
  std::vector<quint8> Buf(size_t(WindowSize + Count), Blank);
  if (Count > 0)
    std::memcpy(Buf.data() + WindowSize, Data.constData(), size_t(Count));
  const qsizetype End = WindowSize + Count;

  QByteArray Out;
  Out.reserve(HeaderSize + Count + Count / 8 + 1);
  Out.append(Magic, sizeof Magic);
  Out.append(ModeLzss);
  Out.append(LastNameChar);
  char SizeBytes[4];
  qToLittleEndian<quint32>(quint32(Count), SizeBytes);
  Out.append(SizeBytes, 4);

  std::vector<qsizetype> Head(size_t(1) << HashBits, -1);
  // Indexed by position modulo the window: a chain is followed only within
  // MaxDistance, where no slot has been reused yet.
  std::vector<qsizetype> Prev(size_t(WindowSize), -1);
  const auto Insert = [&](qsizetype Pos) {
    if (Pos + MinMatch > End)
      return;
    const quint32 H = Hash3(Buf.data() + Pos);
    Prev[size_t(Pos & WindowMask)] = Head[H];
    Head[H] = Pos;
  };
  for (qsizetype Pos = WindowSize - MaxDistance; Pos < WindowSize; ++Pos)
    Insert(Pos);

  TItemWriter Writer(Out);
  qsizetype Cur = WindowSize;
  while (Cur < End) {
    const qsizetype Longest = std::min(MaxMatch, End - Cur);
    qsizetype BestLength = 0;
    qsizetype BestPos = 0;
    if (Longest >= MinMatch) {
      qsizetype Candidate = Head[Hash3(Buf.data() + Cur)];
      for (int Steps = 0; Candidate >= 0 && Cur - Candidate <= MaxDistance && Steps < MaxChain;
           ++Steps) {
        if (Buf[size_t(Candidate + BestLength)] == Buf[size_t(Cur + BestLength)]) {
          qsizetype Length = 0;
          while (Length < Longest && Buf[size_t(Candidate + Length)] == Buf[size_t(Cur + Length)])
            ++Length;
          if (Length > BestLength) {
            BestLength = Length;
            BestPos = Candidate;
            if (Length == Longest)
              break;
          }
        }
        const qsizetype Next = Prev[size_t(Candidate & WindowMask)];
        if (Next >= Candidate)
          break;
        Candidate = Next;
      }
    }
    if (BestLength >= MinMatch) {
      Writer.Match((BestPos + InitialWritePos) & WindowMask, BestLength);
      for (qsizetype I = 0; I < BestLength; ++I)
        Insert(Cur + I);
      Cur += BestLength;
    } else {
      Writer.Literal(Buf[size_t(Cur)]);
      Insert(Cur);
      ++Cur;
    }
  }
  return Out;
}
