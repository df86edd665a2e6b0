#pragma once

// Every error the library raises derives from Exception; EConvertError, the
// format's, comes with it.
#include "RtlException.h"

#include <QString>
#include <QStringView>

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

// "List index out of bounds (%d)"
class EListError : public Exception {
public:
  explicit EListError(int Index);
};

// "'%s' is an invalid mask at (%d)"
class EMaskException : public Exception {
public:
  using Exception::Exception;
};
