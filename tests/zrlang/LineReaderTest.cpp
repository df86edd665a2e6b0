// Lines read a block at a time must be the lines of the whole text, however
// the blocks cut it: in a CR LF, in a character, in a long line.
#include "LineReader.h"
#include "CodePages.h"
#include "TextUtils.h"

#include <QIODevice>
#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Hands out at most Step bytes per read, as a pipe or a slow disk may.
class TTrickleDevice : public QIODevice {
public:
  TTrickleDevice(QByteArray Bytes, qint64 Step) : FBytes(std::move(Bytes)), FStep(Step) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }

protected:
  qint64 readData(char *Data, qint64 Max) override {
    const qint64 N = std::min({Max, FStep, qint64(FBytes.size()) - FPos});
    std::memcpy(Data, FBytes.constData() + FPos, size_t(N));
    FPos += N;
    return N;
  }
  qint64 writeData(const char *, qint64) override { return -1; }

private:
  QByteArray FBytes;
  qint64 FStep;
  qint64 FPos = 0;
};

QStringList ReadAll(TZrLang_LineReader &Reader) {
  QStringList Lines;
  QStringView Line;
  while (Reader.Next(Line))
    Lines.append(Line.toString());
  return Lines;
}

QStringList Expected(QStringView Text) {
  QStringList Lines;
  ZrLang_ForEachLine(Text, [&](QStringView L) { Lines.append(L.toString()); });
  return Lines;
}

QByteArray Utf16LE(QStringView Text) {
  QByteArray B;
  for (QChar C : Text)
    B.append(char(C.unicode() & 0xFF)).append(char(C.unicode() >> 8));
  return B;
}

QByteArray Utf16BE(QStringView Text) {
  QByteArray B;
  for (QChar C : Text)
    B.append(char(C.unicode() >> 8)).append(char(C.unicode() & 0xFF));
  return B;
}

const QString LongLine = QString(70000, u'я');
const QString Texts[] = {
    u""_s,
    u"one"_s,
    u"a\r\nb\rc\nd\r\n"_s,
    u"\r\n\r\n\n\r"_s,
    u"x\r"_s,
    u"Привет=мир\r\n[F]\r\n1=€\r\n"_s,
    u"before\r\n"_s + LongLine + u"\r\nafter"_s,
};

TEST(LineReaderTest, LinesAreThoseOfTheWholeTextWhereverBlocksEnd) {
  for (const QString &Text : Texts)
    for (const qint64 Step : {qint64(1), qint64(3), qint64(4096), qint64(1) << 30}) {
      SCOPED_TRACE(qPrintable(u"text %1 chars, step %2"_s.arg(Text.size()).arg(Step)));
      TTrickleDevice Le(Utf16LE(Text), Step);
      TZrLang_LineReader FromLe(Le, false);
      EXPECT_EQ(ReadAll(FromLe), Expected(Text));
      TTrickleDevice Be(Utf16BE(Text), Step);
      TZrLang_LineReader FromBe(Be, true);
      EXPECT_EQ(ReadAll(FromBe), Expected(Text));
    }
}

TEST(LineReaderTest, NarrowTextGoesThroughItsTable) {
  const QString Text = u"äöü\r\n"_s + QString(70000, u'ß') + u"\r\nend"_s;
  const QByteArray Bytes = EncodeAnsi(Text, 1252);
  TZrLang_LineReader Reader(Bytes, SingleByteToUnicode(1252));
  EXPECT_EQ(ReadAll(Reader), Expected(Text));
}

struct TEndCase {
  const char *Name;
  QByteArray Bytes;
  QStringList Lines;
};

TEST(LineReaderTest, TextEndsAtNulOrWithAnOddByte) {
  const TEndCase Cases[] = {
      {"OddByte", Utf16LE(u"ab\r\nc") + "\x41", {u"ab"_s, u"c\uFFFD"_s}},
      {"Nul", Utf16LE(u"ab\r\ncd"_s + QChar(0) + u"ef\r\ngh"_s), {u"ab"_s, u"cd"_s}},
      {"NulFirst", Utf16LE(QString(QChar(0)) + u"x"_s), {}},
  };
  for (const TEndCase &C : Cases)
    for (const qint64 Step : {qint64(1), qint64(1) << 30}) {
      SCOPED_TRACE(C.Name);
      TTrickleDevice Device(C.Bytes, Step);
      TZrLang_LineReader Reader(Device, false);
      Reader.StopAtNul();
      EXPECT_EQ(ReadAll(Reader), C.Lines);
    }
}

} // namespace
