#pragma once

// Small helpers shared by the library and document-model tests.

#include <QBuffer>
#include <QString>
#include <QtEndian>
#include <ostream>
#include <string_view>

// Long values are shown by their start and size.
inline void PrintTo(const QString &S, std::ostream *Os) {
  *Os << '"' << S.left(200).toStdString() << "\" (" << S.size() << " units)";
}
inline void PrintTo(const QByteArray &B, std::ostream *Os) {
  *Os << B.left(100).toHex(' ').toStdString() << " (" << B.size() << " bytes)";
}

// Sets the system ANSI code page (LINGROVE_ACP) for one test and restores it.
class TScopedAcp {
public:
  explicit TScopedAcp(unsigned CodePage)
      : FHad(qEnvironmentVariableIsSet("LINGROVE_ACP")), FOld(qgetenv("LINGROVE_ACP")) {
    qputenv("LINGROVE_ACP", QByteArray::number(CodePage));
  }
  ~TScopedAcp() { FHad ? qputenv("LINGROVE_ACP", FOld) : qunsetenv("LINGROVE_ACP"); }

private:
  bool FHad;
  QByteArray FOld;
};

inline QByteArray Utf16Bytes(QStringView S, bool bBigEndian = false) {
  QByteArray Out(S.size() * 2, Qt::Uninitialized);
  bBigEndian ? qToBigEndian<char16_t>(S.utf16(), S.size(), Out.data())
             : qToLittleEndian<char16_t>(S.utf16(), S.size(), Out.data());
  return Out;
}

// Keeps embedded NULs, unlike a conversion from a plain u"" literal.
inline QString Q(std::u16string_view S) {
  return QString(reinterpret_cast<const QChar *>(S.data()), qsizetype(S.size()));
}

// A read-only buffer over a copy of the bytes.
class TByteStream : public QBuffer {
public:
  explicit TByteStream(const QByteArray &Bytes) : FBytes(Bytes) {
    setBuffer(&FBytes);
    open(QIODevice::ReadOnly);
  }

private:
  QByteArray FBytes;
};
