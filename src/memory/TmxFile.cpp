#include "TmxFile.h"

#include "RtlXmlText.h"
#include "StreamIO.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace {

const QString TimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");

qint64 TimeOf(QStringView Text) {
  QDateTime T = QDateTime::fromString(Text.toString(), TimeFormat);
  if (!T.isValid())
    return 0;
  T.setTimeSpec(Qt::UTC);
  return T.toSecsSinceEpoch();
}

class TTmxReader {
public:
  explicit TTmxReader(QIODevice &Stream) : R(&Stream) {}

  std::vector<TMemoryUnit> Read() {
    if (!R.readNextStartElement() || R.name() != u"tmx")
      Fail(QStringLiteral("the document is not TMX"));
    while (R.readNextStartElement()) {
      if (R.name() == u"header") {
        FSourceLang = R.attributes().value(QLatin1StringView("srclang")).toString();
        R.skipCurrentElement();
      } else if (R.name() == u"body") {
        while (R.readNextStartElement()) {
          if (R.name() == u"tu")
            ReadUnit();
          else
            R.skipCurrentElement();
        }
      } else {
        R.skipCurrentElement();
      }
    }
    if (R.hasError())
      Fail(R.errorString());
    return std::move(FUnits);
  }

private:
  [[noreturn]] void Fail(const QString &Reason) {
    throw ETmxFileError(QStringLiteral("Malformed TMX (line %1, column %2): %3")
                            .arg(R.lineNumber())
                            .arg(R.columnNumber())
                            .arg(Reason));
  }

  QString SegmentText() {
    QString Text;
    while (!R.atEnd()) {
      R.readNext();
      if (R.isCharacters())
        Text += R.text();
      else if (R.isEndElement())
        break;
      else if (R.isStartElement()) {
        if (R.name() == u"hi" || R.name() == u"sub")
          Text += SegmentText();
        else
          R.skipCurrentElement();
      }
    }
    return Text;
  }

  void ReadUnit() {
    const QXmlStreamAttributes A = R.attributes();
    QString SourceLang = A.value(QLatin1StringView("srclang")).toString();
    if (SourceLang.isEmpty() || SourceLang == u"*all*")
      SourceLang = FSourceLang;
    QStringView Date = A.value(QLatin1StringView("changedate"));
    if (Date.isEmpty())
      Date = A.value(QLatin1StringView("creationdate"));
    const qint64 Time = TimeOf(Date);
    QString Origin, Entry;
    std::vector<std::pair<QString, QString>> Variants; // language, text
    while (R.readNextStartElement()) {
      if (R.name() == u"prop") {
        const QString Type = R.attributes().value(QLatin1StringView("type")).toString();
        const QString Value = R.readElementText(QXmlStreamReader::IncludeChildElements);
        if (Type == u"x-origin")
          Origin = Value;
        else if (Type == u"x-entry")
          Entry = Value;
      } else if (R.name() == u"tuv") {
        QString Lang = R.attributes().value(QLatin1StringView("xml:lang")).toString();
        if (Lang.isEmpty())
          Lang = R.attributes().value(QLatin1StringView("lang")).toString();
        if (Lang.isEmpty())
          Fail(QStringLiteral("a tuv without xml:lang"));
        QString Text;
        bool bSeg = false;
        while (R.readNextStartElement()) {
          if (R.name() == u"seg") {
            Text = SegmentText();
            bSeg = true;
          } else {
            R.skipCurrentElement();
          }
        }
        if (!bSeg && !R.hasError())
          Fail(QStringLiteral("a tuv without a seg"));
        Variants.emplace_back(std::move(Lang), std::move(Text));
      } else {
        R.skipCurrentElement();
      }
    }
    if (R.hasError())
      Fail(R.errorString());
    const QString Wanted = NormalizedLanguageTag(SourceLang);
    const auto Source = std::find_if(Variants.begin(), Variants.end(), [&](const auto &V) {
      return NormalizedLanguageTag(V.first) == Wanted;
    });
    if (Source == Variants.end())
      return;
    for (const auto &V : Variants)
      if (&V != &*Source)
        FUnits.push_back(TMemoryUnit{Source->first, V.first, Source->second, V.second, Origin,
                                     Entry, Time});
  }

  QXmlStreamReader R;
  QString FSourceLang;
  std::vector<TMemoryUnit> FUnits;
};

// The block of text handed to the stream at a time.
constexpr qsizetype FlushSize = 1 << 20;

} // namespace

std::vector<TMemoryUnit> ReadTmx(QIODevice &Stream) {
  return TTmxReader(Stream).Read();
}

TTmxWriter::TTmxWriter(QIODevice &Stream, const QString &SourceLang)
    : FStream(Stream), FBuffer(&FBytes), FWriter(&FBuffer) {
  // The writer fills a buffer that goes to the stream in blocks, so that a
  // stream's refusal is seen (QXmlStreamWriter only records it).
  FBuffer.open(QIODevice::WriteOnly);
  FWriter.setAutoFormatting(true);
  FWriter.setAutoFormattingIndent(1);
  FWriter.writeStartDocument();
  FWriter.writeStartElement(QStringLiteral("tmx"));
  FWriter.writeAttribute(QStringLiteral("version"), QStringLiteral("1.4"));
  FWriter.writeStartElement(QStringLiteral("header"));
  FWriter.writeAttribute(QStringLiteral("creationtool"), QStringLiteral("Lingrove"));
  FWriter.writeAttribute(QStringLiteral("creationtoolversion"), QStringLiteral("2"));
  FWriter.writeAttribute(QStringLiteral("segtype"), QStringLiteral("block"));
  FWriter.writeAttribute(QStringLiteral("o-tmf"), QStringLiteral("Lingrove"));
  FWriter.writeAttribute(QStringLiteral("adminlang"), QStringLiteral("en-US"));
  FWriter.writeAttribute(QStringLiteral("srclang"), SourceLang);
  FWriter.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
  FWriter.writeEndElement();
  FWriter.writeStartElement(QStringLiteral("body"));
}

void TTmxWriter::Write(const TMemoryUnit &Unit) {
  for (const QString *Text : {&Unit.Source, &Unit.Target, &Unit.Origin, &Unit.Entry})
    if (!IsXmlText(*Text)) {
      ++FLeftOut;
      return;
    }
  FWriter.writeStartElement(QStringLiteral("tu"));
  FWriter.writeAttribute(QStringLiteral("srclang"), Unit.SourceLang);
  if (Unit.Time > 0)
    FWriter.writeAttribute(QStringLiteral("changedate"),
                           QDateTime::fromSecsSinceEpoch(Unit.Time, Qt::UTC)
                               .toString(TimeFormat));
  const auto Prop = [&](const QString &Type, const QString &Value) {
    if (Value.isEmpty())
      return;
    FWriter.writeStartElement(QStringLiteral("prop"));
    FWriter.writeAttribute(QStringLiteral("type"), Type);
    FWriter.writeCharacters(Value);
    FWriter.writeEndElement();
  };
  Prop(QStringLiteral("x-origin"), Unit.Origin);
  Prop(QStringLiteral("x-entry"), Unit.Entry);
  for (const auto &[Lang, Text] : {std::pair{&Unit.SourceLang, &Unit.Source},
                                   std::pair{&Unit.TargetLang, &Unit.Target}}) {
    FWriter.writeStartElement(QStringLiteral("tuv"));
    FWriter.writeAttribute(QStringLiteral("xml:lang"), *Lang);
    FWriter.writeTextElement(QStringLiteral("seg"), *Text);
    FWriter.writeEndElement();
  }
  FWriter.writeEndElement();
  ++FWritten;
  FlushIfFull(false);
}

void TTmxWriter::Finish() {
  FWriter.writeEndDocument();
  FlushIfFull(true);
}

void TTmxWriter::FlushIfFull(bool bAlways) {
  if (!bAlways && FBytes.size() < FlushSize)
    return;
  ZrLang_WriteBuffer(FStream, FBytes);
  FBytes.clear();
  FBuffer.seek(0);
}
