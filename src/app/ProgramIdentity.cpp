#include "ProgramIdentity.h"

#include "BuildIdentity.h"

QString ProgramVersion() {
  return QStringLiteral(LINGROVE_BUILD_VERSION);
}

QString ApplicationId() {
  return QStringLiteral(LINGROVE_BUILD_APP_ID);
}
