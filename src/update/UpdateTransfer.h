#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Error codes reported with a failed transfer; the numbers are those of the
// platform's Internet functions, so callers can tell the cases apart.
enum TTransferError {
  teNone = 0,
  teCannotConnect = 12029,      // refused, host not found, or no answer in time
  teTimedOut = 12002,           // the whole transfer took longer than allowed
  teConnectionAborted = 12030,  // the server ended the answer early
  teUnsafeAddress = 12006,      // not https (nor http to a loopback host)
  teOperationCancelled = 12017, // the user or the progress callback cancelled
  teRedirectFailed = 12156,     // too many redirects, or one to an address not allowed
  teSecureChannel = 12157,      // the TLS handshake or certificate failed
  teWriteFailed = 12004,        // the local file could not be written; also other faults
  teTooLarge = 12003,           // more data than the caller accepts
};

struct TTransferOptions {
  // Longest wait for the connection and between two pieces of data.
  int TimeoutMs = 15000;
  // Longest time for the whole transfer, however steadily data arrive.
  int MaxTotalMs = 30 * 60 * 1000;
  int MaxRedirects = 5;
  // Largest accepted download; -1 for no limit. An answer that announces or
  // sends more stops at once.
  qint64 MaxBytes = -1;
  QString UserAgent;
  // Credentials offered once when the server asks; none when UserName is empty.
  QString UserName;
  QString Password;
  // Whether user input reaches windows while waiting (a progress window with
  // a Cancel button needs it); off, the waiting loop takes no clicks or keys,
  // so the caller's window cannot start another action meanwhile.
  bool AcceptUserInput = false;
  // Called as data arrive and at least every ProgressIntervalMs while
  // waiting (Total is -1 when unknown); returning false cancels at once.
  std::function<bool(qint64 Received, qint64 Total)> OnProgress;
  int ProgressIntervalMs = 100;
};

struct TTransferResult {
  bool Ok = false;
  int ErrorCode = teNone; // a TTransferError, or the HTTP status of a refused answer
  QString ErrorText;
  qint64 Size = 0;
};

// Fetches Url into FileName, following allowed redirects, and waits for it
// in a local event loop on the calling thread. The file is written under a
// temporary name and renamed at the end, so it is complete or not replaced;
// a link in its place is replaced, never followed. An answer shorter than its
// Content-Length fails. The body of a redirect or an error answer is
// dropped after a few kibibytes, and data are read as they are taken, so a
// server that sends without end never fills the memory. A refused TLS
// certificate fails with teSecureChannel and the reasons in ErrorText.
// REQUIRES: a QCoreApplication exists; called on its thread.
TTransferResult DownloadToFile(const QUrl &Url, const QString &FileName,
                               const TTransferOptions &Options);
