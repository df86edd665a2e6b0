#include "Console.h"

#include <cstdio>

namespace {

void Print(std::FILE *Stream, QString Text) {
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QByteArray Bytes = Text.toUtf8();
  std::fwrite(Bytes.constData(), 1, size_t(Bytes.size()), Stream);
  std::fflush(Stream);
}

} // namespace

void PrintOut(const QString &Text) {
  Print(stdout, Text);
}

void PrintErr(const QString &Text) {
  Print(stderr, Text);
}
