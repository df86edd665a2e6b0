#include "ProgramIcon.h"

#include "ProgramIdentity.h"

QIcon ProgramIcon() {
  QIcon BuiltIn;
  for (const int Size : {16, 32, 48, 256})
    BuiltIn.addFile(QStringLiteral(":/ProgramIcon/%1.png").arg(Size), QSize(Size, Size));
  return QIcon::fromTheme(ApplicationId(), BuiltIn);
}
