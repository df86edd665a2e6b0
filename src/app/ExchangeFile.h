#pragma once

#include "ExchangeCatalog.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QStringList>
#include <optional>

class QIODevice;

enum class TExchangeFormat { Xliff, Po };

// The format a file name's extension names: .xlf and .xliff XLIFF, .po
// (and .pot) PO, ignoring case; none for others.
std::optional<TExchangeFormat> ExchangeFormatOfName(const QString &FileName);
// The format of a file's first bytes: XML is taken for XLIFF, anything else
// for PO.
TExchangeFormat ExchangeFormatOfContent(QByteArrayView Head);

// The key that names a unit in a format: its Id in XLIFF, its Context in PO.
const QString &ExchangeKey(TExchangeFormat Format, const TExchangeUnit &Unit);

// Writes Catalog in Format (see WriteXliff and WritePo); returns the keys of
// the units the format could not carry.
QStringList WriteExchange(TExchangeFormat Format, QIODevice &Stream,
                          const TExchangeCatalog &Catalog, const QDateTime &Now);
TExchangeCatalog ReadExchange(TExchangeFormat Format, QIODevice &Stream);

// The format of the file FileName: the one its extension names, else the
// one its content shows. Raises EFOpenError when it cannot be opened.
TExchangeFormat ExchangeFileFormat(const QString &FileName);
// Reads the file FileName. Raises EFOpenError when it cannot be opened.
TExchangeCatalog ReadExchangeFile(const QString &FileName, TExchangeFormat Format);
// Writes the file through ZrLang_SaveFile, which replaces it only once it is
// written in full.
QStringList WriteExchangeFile(const QString &FileName, TExchangeFormat Format,
                              const TExchangeCatalog &Catalog);
