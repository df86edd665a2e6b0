#pragma once

#include <QString>
#include <stdexcept>

// Errors raised by the application framework. The message is kept as UTF-16
// text; what() gives it in UTF-8.
class ECoreError : public std::runtime_error {
public:
  explicit ECoreError(const QString &Msg);
  const QString &Message() const { return FMessage; }

private:
  QString FMessage;
};

// A settings store that cannot be read or written as asked.
class EIniFileException : public ECoreError {
public:
  using ECoreError::ECoreError;
};

// The text of any exception, for showing it to the user.
QString ExceptionMessage(const std::exception &E);
