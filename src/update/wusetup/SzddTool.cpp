// lingrove-szdd: compresses a file into the SZDD form, or expands one with
// -d. The build uses it to carry the updater program as a resource.
#include "Exceptions.h"
#include "Szdd.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

int Fail(const QString &Message) {
  std::fprintf(stderr, "lingrove-szdd: %s\n", Message.toLocal8Bit().constData());
  return 1;
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  QStringList Args = QCoreApplication::arguments().mid(1);
  const bool Expand = !Args.isEmpty() && Args.first() == u"-d";
  if (Expand)
    Args.removeFirst();
  if (Args.size() != 2 && !(Args.size() == 3 && !Expand && Args[2].size() == 1)) {
    std::fprintf(stderr, "Usage: lingrove-szdd INPUT OUTPUT [LAST-NAME-CHAR]\n"
                         "       lingrove-szdd -d INPUT OUTPUT\n");
    return 2;
  }
  QFile In(Args[0]);
  if (!In.open(QIODevice::ReadOnly))
    return Fail(QStringLiteral("Cannot open \"%1\": %2").arg(Args[0], In.errorString()));
  QByteArray Result;
  try {
    if (Expand) {
      Result = SzddExpand(In);
    } else {
      const char LastNameChar = Args.size() == 3 ? char(Args[2].at(0).toLatin1()) : '\0';
      Result = SzddCompress(In.readAll(), LastNameChar);
    }
  } catch (const Exception &E) {
    return Fail(E.Message());
  }
  QSaveFile Out(Args[1]);
  if (!Out.open(QIODevice::WriteOnly) || Out.write(Result) != Result.size() || !Out.commit())
    return Fail(QStringLiteral("Cannot write \"%1\": %2").arg(Args[1], Out.errorString()));
  return 0;
}
