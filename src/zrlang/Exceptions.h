#pragma once

#include <QString>
#include <QStringView>
#include <stdexcept>

// Every error the library raises derives from std::runtime_error, the family
// that the line-by-line loaders catch and report with the failing line. The
// message is kept as UTF-16 text; what() gives it in UTF-8.
class Exception : public std::runtime_error {
public:
  explicit Exception(const QString &Msg);
  const QString &Message() const { return FMessage; }

private:
  QString FMessage;
};

// A name as a message quotes it: a long one is cut to its first few hundred
// characters followed by "...", so that a message stays readable whatever
// a file holds. A surrogate pair is never split.
QString ZrLang_QuotedName(QStringView Name);

class EZrLangError : public Exception {
public:
  using Exception::Exception;
};

class EStreamError : public Exception {
public:
  using Exception::Exception;
};

// A stream that ends before the data it announced, or whose data is malformed;
// the second form names what was wrong.
class EReadError : public EStreamError {
public:
  EReadError();
  explicit EReadError(const QString &Msg);
};

// A stream that does not take all the bytes written to it.
class EWriteError : public EStreamError {
public:
  EWriteError();
};

// "Cannot open file "%s". %s"
class EFOpenError : public EStreamError {
public:
  EFOpenError(const QString &FileName, const QString &Reason);
};

// "Cannot create file "%s". %s"
class EFCreateError : public EStreamError {
public:
  EFCreateError(const QString &FileName, const QString &Reason);
};

// "Resource %s not found"
class EResNotFound : public Exception {
public:
  explicit EResNotFound(const QString &ResName);
};

// A format text that does not fit its arguments.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// "'%s' is an invalid mask at (%d)"
class EMaskException : public Exception {
public:
  using Exception::Exception;
};
