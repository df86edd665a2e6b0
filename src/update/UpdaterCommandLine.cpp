#include "UpdaterCommandLine.h"

QStringList BuildUpdaterArguments(const TUpdaterHandOver &HandOver) {
  QStringList Arguments = {
      QString::number(HandOver.ProcessId), HandOver.Log ? QStringLiteral("L") : QStringLiteral("X"),
      HandOver.AppPath, HandOver.AppParam.isEmpty() ? QStringLiteral(" ") : HandOver.AppParam,
      HandOver.TempDir};
  Arguments += HandOver.Components;
  return Arguments;
}

QString UpdaterArgumentsForLog(const QString &Program, const QStringList &Arguments) {
  QStringList Items;
  for (const QString &Item : QStringList(Program) + Arguments)
    Items.append(Item.contains(u' ') ? u'"' + Item + u'"' : Item);
  return Items.join(u' ');
}
