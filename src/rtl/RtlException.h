#pragma once

#include <QString>
#include <stdexcept>

// The base of the errors that the library and the run-time format raise. It
// derives from std::runtime_error, the family that the line-by-line loaders
// catch and report with the failing line. The message is kept as UTF-16
// text; what() gives it in UTF-8.
class Exception : public std::runtime_error {
public:
  explicit Exception(const QString &Msg);
  const QString &Message() const { return FMessage; }

private:
  QString FMessage;
};

// A format text that does not fit its arguments:
// "Format '%s' invalid or incompatible with argument".
class EConvertError : public Exception {
public:
  explicit EConvertError(const QString &Fmt);
};
