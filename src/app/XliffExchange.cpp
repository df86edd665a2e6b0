#include "XliffExchange.h"

#include "LanguageTags.h"
#include "RtlXmlText.h"
#include "StreamIO.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString Xliff12Namespace = QStringLiteral("urn:oasis:names:tc:xliff:document:1.2");

QString StateName(TExchangeState State) {
  switch (State) {
  case TExchangeState::Translated:
    return QStringLiteral("translated");
  case TExchangeState::NeedsReview:
    return QStringLiteral("needs-review-translation");
  case TExchangeState::Untranslated:
    break;
  }
  return QStringLiteral("needs-translation");
}

// The block of text handed to the stream at a time.
constexpr qsizetype FlushSize = 1 << 20;

} // namespace

QStringList WriteXliff(QIODevice &Stream, const TExchangeCatalog &Catalog) {
  // The writer fills a buffer, which goes to the stream in blocks, so that
  // a stream's refusal is seen (QXmlStreamWriter only records it).
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  const auto Flush = [&] {
    ZrLang_WriteBuffer(Stream, Bytes);
    Bytes.clear();
    Buffer.seek(0);
  };

  QXmlStreamWriter W(&Buffer);
  W.setAutoFormatting(true);
  W.setAutoFormattingIndent(1);
  W.writeStartDocument();
  W.writeStartElement(QStringLiteral("xliff"));
  W.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
  W.writeDefaultNamespace(Xliff12Namespace);
  W.writeStartElement(QStringLiteral("file"));
  W.writeAttribute(QStringLiteral("original"), Catalog.Original);
  W.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
  const QString SourceTag = LanguageTagOfLangID(Catalog.SourceLangID);
  W.writeAttribute(QStringLiteral("source-language"),
                   SourceTag.isEmpty() ? QStringLiteral("en-US") : SourceTag);
  if (const QString Tag = LanguageTagOfLangID(Catalog.TargetLangID); !Tag.isEmpty())
    W.writeAttribute(QStringLiteral("target-language"), Tag);
  W.writeStartElement(QStringLiteral("body"));

  QStringList LeftOut;
  const QString *Group = nullptr;
  for (const TExchangeUnit &Unit : Catalog.Units) {
    if (!IsXmlText(Unit.Source) || !IsXmlText(Unit.Target) || !IsXmlText(Unit.Id) ||
        !IsXmlText(Unit.Group) || !IsXmlText(Unit.Name)) {
      LeftOut.append(Unit.Id);
      continue;
    }
    if (!Group || *Group != Unit.Group) {
      if (Group)
        W.writeEndElement();
      Group = &Unit.Group;
      W.writeStartElement(QStringLiteral("group"));
      W.writeAttribute(QStringLiteral("resname"), Unit.Group);
    }
    W.writeStartElement(QStringLiteral("trans-unit"));
    W.writeAttribute(QStringLiteral("id"), Unit.Id);
    W.writeAttribute(QStringLiteral("resname"), Unit.Name);
    // CAT tools take a translation as done only once it is approved.
    if (Unit.State == TExchangeState::Translated)
      W.writeAttribute(QStringLiteral("approved"), QStringLiteral("yes"));
    W.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    W.writeTextElement(QStringLiteral("source"), Unit.Source);
    W.writeStartElement(QStringLiteral("target"));
    W.writeAttribute(QStringLiteral("state"), StateName(Unit.State));
    W.writeCharacters(Unit.Target);
    W.writeEndElement();
    W.writeEndElement();
    if (Bytes.size() >= FlushSize)
      Flush();
  }
  if (Group)
    W.writeEndElement();
  W.writeEndDocument();
  Flush();
  return LeftOut;
}

namespace {

TExchangeState StateOfName(QStringView Name, bool bEmpty) {
  if (Name == u"translated" || Name == u"final" || Name == u"signed-off")
    return TExchangeState::Translated;
  if (Name.startsWith(u"needs-review") || Name == u"needs-l10n" || Name == u"needs-adaptation")
    return TExchangeState::NeedsReview;
  if (Name == u"new" || Name == u"needs-translation")
    return TExchangeState::Untranslated;
  return bEmpty ? TExchangeState::Untranslated : TExchangeState::Translated;
}

class TXliffReader {
public:
  explicit TXliffReader(QIODevice &Stream) : R(&Stream) {}

  TExchangeCatalog Read() {
    if (!R.readNextStartElement() || R.name() != u"xliff")
      Fail(QStringLiteral("the document is not XLIFF"));
    const QStringView Version = R.attributes().value(QLatin1StringView("version"));
    if (!Version.startsWith(u"1."))
      Fail(QStringLiteral("XLIFF %1 is not supported, only 1.2")
               .arg(Version.isEmpty() ? QStringLiteral("without a version") : Version.toString()));
    bool bFirstFile = true;
    while (R.readNextStartElement()) {
      if (R.name() != u"file") {
        R.skipCurrentElement();
        continue;
      }
      if (bFirstFile) {
        const QXmlStreamAttributes A = R.attributes();
        FCatalog.Original = A.value(QLatin1StringView("original")).toString();
        FCatalog.SourceLangID = LangIDOfLanguageTag(A.value(QLatin1StringView("source-language")));
        FCatalog.TargetLangID = LangIDOfLanguageTag(A.value(QLatin1StringView("target-language")));
        bFirstFile = false;
      }
      ReadContainer();
    }
    if (R.hasError())
      Fail(R.errorString());
    return std::move(FCatalog);
  }

private:
  [[noreturn]] void Fail(const QString &Reason) {
    throw EExchangeFileError(
        QStringLiteral("Malformed XLIFF (line %1): %2").arg(R.lineNumber()).arg(Reason));
  }

  // <file>, <body> and <group> hold units at any depth; <header> holds none.
  void ReadContainer() {
    while (R.readNextStartElement()) {
      if (R.name() == u"trans-unit")
        ReadUnit();
      else if (R.name() == u"body" || R.name() == u"group")
        ReadContainer();
      else
        R.skipCurrentElement();
    }
  }

  void ReadUnit() {
    TExchangeUnit Unit;
    const QXmlStreamAttributes A = R.attributes();
    Unit.Id = A.value(QLatin1StringView("id")).toString();
    Unit.Name = A.value(QLatin1StringView("resname")).toString();
    const bool bSkip = A.value(QLatin1StringView("translate")) == u"no";
    Unit.bHasTarget = false;
    QString StateText;
    while (R.readNextStartElement()) {
      if (R.name() == u"source") {
        Unit.Source = R.readElementText(QXmlStreamReader::IncludeChildElements);
      } else if (R.name() == u"target") {
        StateText = R.attributes().value(QLatin1StringView("state")).toString();
        Unit.Target = R.readElementText(QXmlStreamReader::IncludeChildElements);
        Unit.bHasTarget = true;
      } else {
        R.skipCurrentElement();
      }
    }
    if (R.hasError())
      Fail(R.errorString());
    if (Unit.Id.isEmpty())
      Fail(QStringLiteral("a trans-unit without an id"));
    Unit.State = Unit.bHasTarget ? StateOfName(StateText, Unit.Target.isEmpty())
                                 : TExchangeState::Untranslated;
    if (!bSkip)
      FCatalog.Units.push_back(std::move(Unit));
  }

  QXmlStreamReader R;
  TExchangeCatalog FCatalog;
};

} // namespace

TExchangeCatalog ReadXliff(QIODevice &Stream) {
  return TXliffReader(Stream).Read();
}
