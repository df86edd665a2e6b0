#include "ExchangeFile.h"

#include "PoExchange.h"
#include "SaveFile.h"
#include "XliffExchange.h"

#include <QFile>
#include <QFileInfo>

std::optional<TExchangeFormat> ExchangeFormatOfName(const QString &FileName) {
  const QString Suffix = QFileInfo(FileName).suffix().toLower();
  if (Suffix == u"xlf" || Suffix == u"xliff")
    return TExchangeFormat::Xliff;
  if (Suffix == u"po" || Suffix == u"pot")
    return TExchangeFormat::Po;
  return std::nullopt;
}

TExchangeFormat ExchangeFormatOfContent(QByteArrayView Head) {
  if (Head.startsWith("\xEF\xBB\xBF"))
    Head = Head.sliced(3);
  while (!Head.isEmpty() && QChar::isSpace(uchar(Head.front())))
    Head = Head.sliced(1);
  return Head.startsWith("<") ? TExchangeFormat::Xliff : TExchangeFormat::Po;
}

const QString &ExchangeKey(TExchangeFormat Format, const TExchangeUnit &Unit) {
  return Format == TExchangeFormat::Xliff ? Unit.Id : Unit.Context;
}

QStringList WriteExchange(TExchangeFormat Format, QIODevice &Stream,
                          const TExchangeCatalog &Catalog, const QDateTime &Now) {
  return Format == TExchangeFormat::Xliff ? WriteXliff(Stream, Catalog)
                                          : WritePo(Stream, Catalog, Now);
}

TExchangeCatalog ReadExchange(TExchangeFormat Format, QIODevice &Stream) {
  return Format == TExchangeFormat::Xliff ? ReadXliff(Stream) : ReadPo(Stream);
}

namespace {
void OpenToRead(QFile &File) {
  if (!File.open(QIODevice::ReadOnly))
    throw EFOpenError(File.fileName(), File.errorString());
}
} // namespace

TExchangeFormat ExchangeFileFormat(const QString &FileName) {
  QFile File(FileName);
  OpenToRead(File);
  const std::optional<TExchangeFormat> Named = ExchangeFormatOfName(FileName);
  return Named ? *Named : ExchangeFormatOfContent(File.peek(256));
}

TExchangeCatalog ReadExchangeFile(const QString &FileName, TExchangeFormat Format) {
  QFile File(FileName);
  OpenToRead(File);
  return ReadExchange(Format, File);
}

QStringList WriteExchangeFile(const QString &FileName, TExchangeFormat Format,
                              const TExchangeCatalog &Catalog) {
  QStringList LeftOut;
  ZrLang_SaveFile(FileName, [&](QIODevice &Stream) {
    LeftOut = WriteExchange(Format, Stream, Catalog, QDateTime::currentDateTime());
  });
  return LeftOut;
}
