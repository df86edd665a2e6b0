#pragma once

#include "MemoryUnit.h"
#include "RtlException.h"

#include <QByteArray>
#include <QBuffer>
#include <QXmlStreamWriter>
#include <vector>

class QIODevice;

// A TMX file that cannot be read: the message gives the line and column of
// the fault.
class ETmxFileError : public Exception {
public:
  using Exception::Exception;
};

// TMX 1.4b, the exchange format of translation memories. Each <tu> holds one
// <tuv> per language, each with one <seg>; the language of the source is the
// tu's srclang, else the header's. Lingrove writes per tu its srclang, the
// time as changedate (YYYYMMDDThhmmssZ) and the origin and entry as
// <prop type="x-origin"> and <prop type="x-entry">.

// Reads every unit of the file: for each <tu>, its source variant with each
// other variant. The text of a <seg> is its characters and those of <hi> and
// <sub>; inline codes (<bpt>, <ept>, <ph>, <it>, <ut>) hold native markup
// and are left out. A tu without a source variant gives no unit. Raises
// ETmxFileError for text that is not well-formed XML or not TMX, and then
// nothing of the file is given.
std::vector<TMemoryUnit> ReadTmx(QIODevice &Stream);

// Writes units as TMX in UTF-8, in blocks to the stream (EWriteError when it
// refuses them). Units whose texts hold characters XML cannot carry are left
// out and counted.
class TTmxWriter {
public:
  // SourceLang is the header's srclang; "*all*" when units have several.
  TTmxWriter(QIODevice &Stream, const QString &SourceLang);
  void Write(const TMemoryUnit &Unit);
  // Ends the document; REQUIRES: called once, after the last Write.
  void Finish();
  int Written() const { return FWritten; }
  int LeftOut() const { return FLeftOut; }

private:
  void FlushIfFull(bool bAlways);
  QIODevice &FStream;
  QByteArray FBytes;
  QBuffer FBuffer;
  QXmlStreamWriter FWriter;
  int FWritten = 0;
  int FLeftOut = 0;
};
