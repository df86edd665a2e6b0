// Child mode of the settings tests: holds the program's settings store after
// writing to it, until its standard input ends.
#include "AppAttribs.h"
#include "SettingsTestSupport.h"

#include <cstdio>
#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

int ChildMain(const QStringList &Args) {
  if (Args.value(0) != u"hold-app-config")
    return 2;
  TAppConfigIniFile Ini;
  Ini.WriteInteger(u"Options"_s, u"Language"_s, 1049);
  std::printf("held\n");
  std::fflush(stdout);
  std::string Line;
  std::getline(std::cin, Line);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  return SettingsTest::RunMain(argc, argv, ChildMain);
}
