#include "UpdaterCommandLine.h"

namespace {

QString QuotedIfBlank(const QString &Text) {
  return Text.contains(u' ') ? u'"' + Text + u'"' : Text;
}

} // namespace

QString BuildUpdaterCommandLine(const TUpdaterHandOver &HandOver) {
  const QString Param = HandOver.AppParam.isEmpty() ? QStringLiteral(" ") : HandOver.AppParam;
  return QuotedIfBlank(HandOver.Program) + u' ' + QString::number(HandOver.ProcessId) +
         (HandOver.Log ? QStringLiteral(" L ") : QStringLiteral(" X ")) +
         QuotedIfBlank(HandOver.AppPath) + u' ' + QuotedIfBlank(Param) + u' ' + u'"' +
         HandOver.TempDir + u'"' + u' ' + HandOver.AppComps;
}
