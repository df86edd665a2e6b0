// Child modes of the settings tests; each prints "held" once it holds what it
// was asked to hold and lets go when its standard input ends.
#include "ConfigIniFile.h"
#include "CoreApplication.h"
#include "NamedMutex.h"
#include "SettingsTestSupport.h"
#include "SystemServices.h"

#include <cstdio>
#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

void Held() {
  std::printf("held\n");
  std::fflush(stdout);
  std::string Line;
  std::getline(std::cin, Line);
}

int ChildMain(const QStringList &Args) {
  const QString Mode = Args.value(0);
  if (Mode == u"hold-mutex") {
    NamedMutex Mutex(Args.value(1),
                     Args.value(2) == u"shared" ? NamedMutex::nmShared : NamedMutex::nmExclusive);
    if (!Mutex.IsOpen() || !Mutex.Wait())
      return 3;
    Held();
    return Mutex.Release() ? 0 : 4;
  }
  if (Mode == u"hold-store") {
    TConfigIniFile Ini;
    Ini.WriteString(u"Cross"_s, u"Value"_s, u"child"_s);
    Held();
    return 0;
  }
  if (Mode == u"settings-location") {
    const TReaderIniFile Reader;
    const TWriterIniFile Writer;
    std::printf("%d %s %d %d\n", int(UseSettingsFile()), qPrintable(GetSettingsFileName()),
                int(Reader.IniType()), int(Writer.IniType()));
    return 0;
  }
  if (Mode == u"params") {
    for (int I = 1; I <= Args.size() + 2; ++I)
      std::printf("%s|", qPrintable(GetParamStr(I)));
    std::printf("\n");
    return 0;
  }
  if (Mode == u"writable") {
    std::printf("%d\n", int(IsDirectoryWritable(Args.value(1))));
    return 0;
  }
  return 2;
}

} // namespace

int main(int argc, char **argv) {
  return SettingsTest::RunMain(argc, argv, ChildMain);
}
