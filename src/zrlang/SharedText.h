#pragma once

#include <QString>
#include <QStringView>

// The names and values read from one file, kept together in a few large
// blocks instead of a heap string each.
//
// Only what is kept is stored: the rest of the file (IDs, separators, line
// breaks, comments) is read a block at a time and never held. A kept piece
// is an ordinary QString that shares its block's storage and reference
// count: it costs no allocation of its own, copies as cheaply as any QString
// and keeps its block alive for as long as it, or any copy of it, exists. So
// no piece ever outlives its text, whatever owns it (a record, an undo step,
// a copy in another thread); the price is that one surviving piece holds the
// memory of its whole block. Changing a piece detaches it as it would any
// shared QString, so a block's text never changes through one.
//
// Pieces end in a '\0' as every QString does. Not thread-safe: one reader
// fills one text.
class TZrLang_SharedText {
public:
  // SizeHint: about how many characters the file holds. What is kept of a
  // file is never larger than the file, so with a true hint one block holds
  // it all.
  explicit TZrLang_SharedText(qsizetype SizeHint);
  // What the last block did not take is given back to the system; the kept
  // pieces stay.
  ~TZrLang_SharedText();
  TZrLang_SharedText(const TZrLang_SharedText &) = delete;
  TZrLang_SharedText &operator=(const TZrLang_SharedText &) = delete;

  // A copy of Part; an empty Part gives an empty string of its own.
  QString Keep(QStringView Part);
  // The value of a one-line form, as DecodeControlChars gives it: kept here
  // when the form has no escapes, a string of its own otherwise.
  QString Decoded(QStringView Escaped);

private:
  void StartBlock(qsizetype Need);

  QString FBlock;
  qsizetype FUsed = 0;
  qsizetype FNextSize;
};
