// Writes the program's constants resource: the message table as a version 3
// constants stream, followed by two padding bytes.
#include "AppConstants.h"
#include "Constants.h"
#include "Exceptions.h"
#include "SaveFile.h"
#include "StreamIO.h"

#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 64;
  }
  try {
    TZrLang_Constants Constants([] { return quint16(1033); });
    for (const TAppConstant &C : AppConstants())
      Constants.Add(QString::fromUtf16(C.Name), QString::fromUtf16(C.DefaultText), {});
    ZrLang_SaveFile(QString::fromLocal8Bit(argv[1]), [&Constants](QIODevice &Out) {
      Constants.SaveToStream(Out);
      ZrLang_WriteBuffer(Out, QByteArrayView("\0\0", 2));
    });
  } catch (const Exception &E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 2;
  }
  return 0;
}
