#include "Szdd.h"
#include "Exceptions.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

QByteArray Expand(const QByteArray &Szdd) {
  QByteArray Copy = Szdd;
  QBuffer Buffer(&Copy);
  Buffer.open(QIODevice::ReadOnly);
  return SzddExpand(Buffer);
}

QByteArray Random(qsizetype Size, quint32 Seed) {
  QRandomGenerator Generator(Seed);
  QByteArray Data(Size, Qt::Uninitialized);
  for (char &C : Data)
    C = char(Generator.bounded(256));
  return Data;
}

QByteArray Repeat(const QByteArray &Part, qsizetype Count) {
  QByteArray Data;
  for (qsizetype I = 0; I < Count; ++I)
    Data += Part;
  return Data;
}

QByteArray Header(quint32 Size, char LastNameChar = 'e') {
  QByteArray H("SZDD\x88\xF0\x27\x33", 8);
  H += 'A';
  H += LastNameChar;
  for (int I = 0; I < 4; ++I)
    H += char((Size >> (8 * I)) & 0xFF);
  return H;
}

QByteArray Bytes(std::initializer_list<int> Values) {
  QByteArray Data;
  for (const int V : Values)
    Data += char(V);
  return Data;
}

struct TRoundTripCase {
  const char *Name;
  std::function<QByteArray()> Make;
  // The compressed stream may be at most this share of the input (plus the
  // header); catches a compressor that stops finding matches.
  double MaxRatio;
};

const TRoundTripCase RoundTripCases[] = {
    {"Empty", [] { return QByteArray(); }, 0},
    {"OneByte", [] { return QByteArray("x"); }, 2},
    {"TwoBytes", [] { return QByteArray("xy"); }, 2},
    {"EightLiterals", [] { return QByteArray("abcdefgh"); }, 1.2},
    {"NineLiterals", [] { return QByteArray("abcdefghi"); }, 1.3},
    {"AllByteValues",
     [] {
       QByteArray Data;
       for (int I = 0; I < 256; ++I)
         Data += char(I);
       return Data;
     },
     1.13},
    {"LongRun", [] { return QByteArray(100000, 'a'); }, 0.13},
    {"LongRunOfZeros", [] { return QByteArray(70000, '\0'); }, 0.13},
    {"InitialBlanks", [] { return QByteArray(5000, ' '); }, 0.13},
    {"BlanksThenText", [] { return QByteArray("        leading blanks come from the window"); }, 1},
    {"Text",
     [] {
       return Repeat("Lingrove edits the translation files of ZrLang; every entry is "
                     "translated, checked and saved.\r\n",
                     400);
     },
     0.15},
    {"Random1MB", [] { return Random(1 << 20, 1); }, 1.126},
    {"LongerThanWindow",
     [] {
       // Repeats inside the window, then one beyond it.
       const QByteArray Block = Random(3000, 2);
       return Block + Block + Block + Random(5000, 3) + Block;
     },
     0.8},
    {"MatchesWrapTheRing",
     [] {
       // The first bytes fill window slots 4080..4095, then 0.., so early
       // matches read across the end of the ring.
       return Repeat("0123456789ABCDEFGHIJ", 50);
     },
     0.2},
    {"RepeatsAtDistance4078",
     [] {
       const QByteArray Block = Random(4078, 5);
       return Block + Block.left(100);
     },
     1.13},
    {"RepeatsAtDistance4096",
     [] {
       const QByteArray Block = Random(4096, 6);
       return Block + Block.left(100);
     },
     1.13},
};

class TSzddRoundTrip : public ::testing::TestWithParam<TRoundTripCase> {};

TEST_P(TSzddRoundTrip, ExpandsToTheInputWithItsHeader) {
  const QByteArray Data = GetParam().Make();
  const QByteArray Szdd = SzddCompress(Data, 'e');
  ASSERT_GE(Szdd.size(), 14);
  EXPECT_EQ(Szdd.left(14), Header(quint32(Data.size())));
  EXPECT_LE(double(Szdd.size() - 14), GetParam().MaxRatio * double(Data.size()) + 1);
  EXPECT_EQ(Expand(Szdd), Data);
}

INSTANTIATE_TEST_SUITE_P(Inputs, TSzddRoundTrip, ::testing::ValuesIn(RoundTripCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TKnownStreamCase {
  const char *Name;
  QByteArray Szdd;
  QByteArray Expanded;
};

const TKnownStreamCase KnownStreamCases[] = {
    // Three literals, then a match at slot 4080 (where 'A' went) of length 6
    // that overlaps its own output, then a match of three initial blanks.
    {"OverlapAndBlanks", Header(12) + Bytes({0x07, 'A', 'B', 'C', 0xF0, 0xF3, 0x00, 0x00}),
     "ABCABCABC   "},
    // Twenty literals fill slots 4080..4095 and 0..3; a match at slot 4094
    // of length 4 reads across the end of the ring.
    {"MatchAcrossTheRingEnd", Header(24) + Bytes({0xFF, 'a', 'b', 'c', 'd', 'e',  'f', 'g', 'h', //
                                                  0xFF, 'i', 'j', 'k', 'l', 'm',  'n', 'o', 'p', //
                                                  0x0F, 'q', 'r', 's', 't', 0xFE, 0xF1}),
     "abcdefghijklmnopqrstopqr"},
    // A flag byte whose items run out: the stream may end inside a group.
    {"PartialGroup", Header(2) + Bytes({0xFF, 'h', 'i'}), "hi"},
    {"Empty", Header(0), ""},
    // A flag byte and nothing after it adds nothing.
    {"LoneFlagByte", Header(0) + Bytes({0x00}), ""},
    // The name character does not matter.
    {"NoNameChar", Header(1, '\0') + Bytes({0x01, 'z'}), "z"},
};

class TSzddKnownStream : public ::testing::TestWithParam<TKnownStreamCase> {};

TEST_P(TSzddKnownStream, ExpandsToTheKnownResult) {
  EXPECT_EQ(Expand(GetParam().Szdd), GetParam().Expanded);
}

INSTANTIATE_TEST_SUITE_P(Streams, TSzddKnownStream, ::testing::ValuesIn(KnownStreamCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TBadStreamCase {
  const char *Name;
  QByteArray Szdd;
  const char *MessagePart;
};

const TBadStreamCase BadStreamCases[] = {
    {"Nothing", QByteArray(), "too short"},
    {"ShortHeader", Header(3).left(13), "too short"},
    {"WrongSignature",
     QByteArray("SZDE\x88\xF0\x27\x33"
                "Ae\x00\x00\x00\x00",
                14),
     "not an SZDD"},
    {"KwajSignature",
     QByteArray("KWAJ\x88\xF0\x27\xD1"
                "Ae\x00\x00\x00\x00",
                14),
     "not an SZDD"},
    {"UnknownMode",
     QByteArray("SZDD\x88\xF0\x27\x33"
                "Be\x00\x00\x00\x00",
                14),
     "compression mode"},
    {"SizeAboveTheCap", Header(SzddMaxExpandedSize + 1), "more than"},
    {"HugeSize", Header(0xFFFFFFFFu), "more than"},
    {"FewerBytesThanAnnounced", Header(3) + Bytes({0xFF, 'a', 'b'}), "truncated: 2 of 3"},
    {"LiteralBeyondTheSize", Header(1) + Bytes({0xFF, 'a', 'b'}), "more than the 1 bytes"},
    {"MatchBeyondTheSize", Header(5) + Bytes({0x03, 'a', 'b', 0xF0, 0xF1}), "more than the 5"},
    {"EndsInsideAMatch", Header(5) + Bytes({0x00, 0xF0}), "inside a match"},
};

class TSzddBadStream : public ::testing::TestWithParam<TBadStreamCase> {};

TEST_P(TSzddBadStream, FailsWithAReadError) {
  try {
    Expand(GetParam().Szdd);
    FAIL() << "expanded";
  } catch (const EReadError &E) {
    EXPECT_TRUE(E.Message().contains(QLatin1StringView(GetParam().MessagePart)))
        << E.Message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Streams, TSzddBadStream, ::testing::ValuesIn(BadStreamCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

QByteArray SmallStream() {
  return SzddCompress("abcabcabc  hello hello hello, world; 0123456789 abc", 'x');
}

TEST(SzddDamage, EveryTruncationFails) {
  const QByteArray Szdd = SmallStream();
  ASSERT_EQ(Expand(Szdd).size(), 51);
  for (qsizetype Length = 0; Length < Szdd.size(); ++Length)
    EXPECT_THROW(Expand(Szdd.left(Length)), EReadError) << "length " << Length;
}

TEST(SzddDamage, EveryHeaderChangeButTheNameCharFails) {
  const QByteArray Szdd = SmallStream();
  for (qsizetype Pos = 0; Pos < 14; ++Pos) {
    if (Pos == 9)
      continue;
    for (const int Xor : {0x01, 0x80, 0xFF}) {
      QByteArray Damaged = Szdd;
      Damaged[Pos] = char(Damaged[Pos] ^ Xor);
      EXPECT_THROW(Expand(Damaged), EReadError) << "byte " << Pos << " xor " << Xor;
    }
  }
}

TEST(SzddDamage, EveryDataChangeFailsOrKeepsTheAnnouncedSize) {
  const QByteArray Szdd = SmallStream();
  for (qsizetype Pos = 14; Pos < Szdd.size(); ++Pos) {
    for (int Value = 0; Value < 256; ++Value) {
      QByteArray Damaged = Szdd;
      Damaged[Pos] = char(Value);
      try {
        EXPECT_EQ(Expand(Damaged).size(), 51) << "byte " << Pos << " value " << Value;
      } catch (const EReadError &) {
      }
    }
  }
}

TEST(SzddExpand, ReadsFromTheDevicePosition) {
  QByteArray File = "prefix" + SzddCompress("payload", 'e');
  QBuffer Buffer(&File);
  Buffer.open(QIODevice::ReadOnly);
  Buffer.seek(6);
  EXPECT_EQ(SzddExpand(Buffer), "payload");
}

TEST(SzddCompress, RecordsTheNameChar) {
  EXPECT_EQ(SzddCompress("x", 'l').at(9), 'l');
}

} // namespace
