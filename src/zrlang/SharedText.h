#pragma once

#include <QString>
#include <QStringView>

// The decoded text of one file and the strings cut from it.
//
// The names and values read from a file are slices of this one buffer, not
// strings of their own. A slice is an ordinary QString that shares the
// buffer's storage and reference count: it costs no allocation, copies as
// cheaply as any QString and keeps the whole buffer alive for as long as it,
// or any copy of it, exists. So no slice ever outlives its text, whatever
// owns it (a record, an undo step, a copy in another thread); the price is
// that one surviving slice holds the memory of the whole file. Changing a
// slice detaches it as it would any shared QString, so the buffer's text
// never changes through one.
//
// Slices end in a '\0' as every QString does: cutting one writes a '\0' over
// the code unit after it, so a file is sliced as it is parsed, front to back.
class TZrLang_SharedText {
public:
  // Takes Text's storage (a shared or raw text is detached first).
  explicit TZrLang_SharedText(QString Text);

  QStringView Text() const { return FText; }

  // Part as a slice; an empty Part gives an empty string of its own.
  // REQUIRES: Part lies within Text(); the code unit after it belongs to no
  // slice cut before and is not read again.
  QString Slice(QStringView Part);
  // The value of a one-line form, as DecodeControlChars gives it: a slice
  // when the form has no escapes, a string of its own otherwise.
  // REQUIRES: as for Slice.
  QString Decoded(QStringView Escaped);

private:
  QString FText;
};
