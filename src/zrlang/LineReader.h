#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <memory>

class QIODevice;

// The lines of a text, decoded a block at a time, so that reading a file
// never holds more of it than a block and the line being read. A line break
// is CR, LF or CR LF; a break at the very end gives no empty last line.
class TZrLang_LineReader {
public:
  // The UTF-16 rest of Stream; an odd last byte becomes U+FFFD.
  // REQUIRES: Stream outlives the reader.
  TZrLang_LineReader(QIODevice &Stream, bool bBigEndian);
  // Narrow text through a single-byte code page's table of 256 characters.
  // REQUIRES: Bytes and ToUnicode outlive the reader.
  TZrLang_LineReader(QByteArrayView Bytes, const char16_t *ToUnicode);
  // Text already decoded. REQUIRES: Text outlives the reader.
  explicit TZrLang_LineReader(QStringView Text);
  ~TZrLang_LineReader();
  TZrLang_LineReader(const TZrLang_LineReader &) = delete;
  TZrLang_LineReader &operator=(const TZrLang_LineReader &) = delete;

  // The text ends at its first NUL character.
  void StopAtNul();
  // About how many characters are left to read: a size to plan storage by.
  qsizetype SizeHint() const { return FSizeHint; }

  // The next line without its break; it stays valid until the next call.
  // False once the text has no more lines.
  bool Next(QStringView &Line);

private:
  enum class TSource { Text, Utf16, Narrow };
  // Decodes more of the source behind the unread characters, or marks the
  // end. A stream that fails to read raises EReadError.
  void Refill();
  void MakeRoom();
  void ReadUtf16();
  void ReadNarrow();
  void EndAtNul(qsizetype From);

  TSource FSource;
  QIODevice *FStream = nullptr;
  bool FBigEndian = false;
  QByteArrayView FBytes;
  const char16_t *FToUnicode = nullptr;
  bool FStopAtNul = false;
  qsizetype FSizeHint = 0;

  std::unique_ptr<char16_t[]> FBlock; // decoded characters of a stream
  qsizetype FCapacity = 0;
  const char16_t *FData = nullptr;
  qsizetype FLen = 0;    // decoded characters at FData
  qsizetype FPos = 0;    // the first character of the next line
  qsizetype FScan = 0;   // where the search for the next break goes on
  bool FOddByte = false; // a stream's odd byte waits after FData[FLen - 1]
  bool FEnd = false;     // everything is decoded
};
