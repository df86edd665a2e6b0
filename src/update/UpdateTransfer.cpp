#include "UpdateTransfer.h"

#include "UpdatePaths.h"

#include <QAuthenticator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslError>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace {

TTransferResult Failure(int Code, const QString &Text) {
  TTransferResult Result;
  Result.ErrorCode = Code;
  Result.ErrorText = Text;
  return Result;
}

int ErrorCodeOf(QNetworkReply::NetworkError Error) {
  switch (Error) {
  case QNetworkReply::ConnectionRefusedError:
  case QNetworkReply::HostNotFoundError:
  case QNetworkReply::TimeoutError:
  case QNetworkReply::TemporaryNetworkFailureError:
  case QNetworkReply::NetworkSessionFailedError:
  case QNetworkReply::UnknownNetworkError:
  case QNetworkReply::ProxyConnectionRefusedError:
  case QNetworkReply::ProxyNotFoundError:
  case QNetworkReply::ProxyTimeoutError:
    return teCannotConnect;
  case QNetworkReply::RemoteHostClosedError:
    return teConnectionAborted;
  case QNetworkReply::SslHandshakeFailedError:
    return teSecureChannel;
  case QNetworkReply::OperationCanceledError:
    return teOperationCancelled;
  default:
    return teWriteFailed;
  }
}

bool IsRedirect(int Status) {
  return Status == 301 || Status == 302 || Status == 303 || Status == 307 || Status == 308;
}

// The most of a redirect's or an error answer's body that is read before
// the answer is dropped; only its status and headers matter.
constexpr qint64 MaxDiscardedBody = 64 * 1024;
// How much Qt may hold unread; beyond it the socket is not read, so a fast
// server waits for the program instead of filling its memory.
constexpr qint64 ReadBufferSize = 256 * 1024;

// One request without following redirects. Sets Redirect when the server
// answered with one.
TTransferResult FetchOnce(QNetworkAccessManager &Manager, const QUrl &Url, QSaveFile &Out,
                          const TTransferOptions &Options, QElapsedTimer &Total, QUrl &Redirect) {
  QNetworkRequest Request(Url);
  Request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::ManualRedirectPolicy);
  Request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  // Compressed answers would be expanded by Qt and no longer match their
  // Content-Length, which is how a cut answer is recognized.
  Request.setRawHeader("Accept-Encoding", "identity");
  if (!Options.UserAgent.isEmpty())
    Request.setHeader(QNetworkRequest::UserAgentHeader, Options.UserAgent);

  const std::unique_ptr<QNetworkReply> Reply(Manager.get(Request));
  Reply->setReadBufferSize(ReadBufferSize);
  QEventLoop Loop;
  QTimer Idle, Deadline, Ticker;
  Idle.setSingleShot(true);
  Deadline.setSingleShot(true);
  bool IdleTimedOut = false, TimedOut = false, Cancelled = false, TooLarge = false,
       WriteFailed = false;
  qint64 Received = 0, Discarded = 0;
  QStringList SslErrors;

  const auto Stop = [&](bool &Reason) {
    Reason = true;
    Reply->abort();
  };
  const auto StatusCode = [&] {
    return Reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  };
  const auto AnnouncedLength = [&]() -> qint64 {
    const QVariant Length = Reply->header(QNetworkRequest::ContentLengthHeader);
    return Length.isValid() ? Length.toLongLong() : -1;
  };
  const auto Progress = [&] {
    if (Options.OnProgress && !Options.OnProgress(Received, AnnouncedLength()))
      Stop(Cancelled);
  };

  QObject::connect(&Idle, &QTimer::timeout, &Loop, [&] { Stop(IdleTimedOut); });
  QObject::connect(&Deadline, &QTimer::timeout, &Loop, [&] { Stop(TimedOut); });
  QObject::connect(&Ticker, &QTimer::timeout, &Loop, Progress);
  QObject::connect(Reply.get(), &QNetworkReply::sslErrors, &Loop,
                   [&](const QList<QSslError> &Errors) {
                     for (const QSslError &Error : Errors)
                       SslErrors.append(Error.errorString());
                   });
  QObject::connect(Reply.get(), &QNetworkReply::metaDataChanged, &Loop, [&] {
    if (StatusCode() == 200 && Options.MaxBytes >= 0 && AnnouncedLength() > Options.MaxBytes)
      Stop(TooLarge);
  });
  QObject::connect(Reply.get(), &QNetworkReply::readyRead, &Loop, [&] {
    const QByteArray Data = Reply->readAll();
    if (StatusCode() != 200) {
      // The body of a redirect or an error page is not the file.
      Discarded += Data.size();
      if (Discarded > MaxDiscardedBody)
        Reply->abort();
      return;
    }
    Received += Data.size();
    if (Options.MaxBytes >= 0 && Received > Options.MaxBytes)
      return Stop(TooLarge);
    if (Out.write(Data) != Data.size())
      return Stop(WriteFailed);
    Progress();
    Idle.start(Options.TimeoutMs);
  });
  QObject::connect(Reply.get(), &QNetworkReply::finished, &Loop, &QEventLoop::quit);

  Idle.start(Options.TimeoutMs);
  Deadline.start(int(qMax<qint64>(0, Options.MaxTotalMs - Total.elapsed())));
  if (Options.OnProgress)
    Ticker.start(Options.ProgressIntervalMs);
  if (!Reply->isFinished())
    Loop.exec(Options.AcceptUserInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  Idle.stop();
  Deadline.stop();
  Ticker.stop();

  if (TimedOut)
    return Failure(teTimedOut, QStringLiteral("No complete answer from %1 within %2 ms")
                                   .arg(Url.toDisplayString())
                                   .arg(Options.MaxTotalMs));
  if (IdleTimedOut)
    return Failure(teCannotConnect,
                   QStringLiteral("No answer from %1 in time").arg(Url.toDisplayString()));
  if (Cancelled)
    return Failure(teOperationCancelled, QStringLiteral("Cancelled"));
  if (TooLarge)
    return Failure(teTooLarge, QStringLiteral("More than %1 bytes").arg(Options.MaxBytes));
  if (WriteFailed)
    return Failure(teWriteFailed, Out.errorString());

  const int Status = StatusCode();
  if (Status != 0 && IsRedirect(Status)) {
    const QUrl Target = Reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    Redirect = Url.resolved(Target);
    if (Target.isEmpty())
      return Failure(teRedirectFailed, QStringLiteral("Redirect without a target"));
    return {};
  }
  if (Status != 0 && Status != 200)
    return Failure(
        Status, QStringLiteral("HTTP status %1 %2")
                    .arg(Status)
                    .arg(Reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
  if (Reply->error() != QNetworkReply::NoError) {
    const int Code = SslErrors.isEmpty() ? ErrorCodeOf(Reply->error()) : int(teSecureChannel);
    return Failure(Code, SslErrors.isEmpty() ? Reply->errorString()
                                             : Reply->errorString() + QStringLiteral(": ") +
                                                   SslErrors.join(QStringLiteral("; ")));
  }
  const qint64 Length = AnnouncedLength();
  if (Length >= 0 && Length != Received)
    return Failure(teConnectionAborted,
                   QStringLiteral("%1 of %2 bytes received").arg(Received).arg(Length));
  TTransferResult Result;
  Result.Ok = true;
  Result.Size = Received;
  return Result;
}

} // namespace

TTransferResult DownloadToFile(const QUrl &Url, const QString &FileName,
                               const TTransferOptions &Options) {
  if (!IsAllowedUpdateUrl(Url))
    return Failure(teUnsafeAddress,
                   QStringLiteral("Address not allowed: %1").arg(Url.toDisplayString()));
  QNetworkAccessManager Manager;
  bool CredentialsOffered = false;
  QObject::connect(&Manager, &QNetworkAccessManager::authenticationRequired, &Manager,
                   [&](QNetworkReply *, QAuthenticator *Authenticator) {
                     // Offered once: a wrong password must end in failure, not a loop.
                     if (Options.UserName.isEmpty() || CredentialsOffered)
                       return;
                     CredentialsOffered = true;
                     Authenticator->setUser(Options.UserName);
                     Authenticator->setPassword(Options.Password);
                   });
  QElapsedTimer Total;
  Total.start();
  QUrl Current = Url;
  for (int Hop = 0;; ++Hop) {
    QSaveFile Out(FileName);
    // Writing directly would follow a link planted under the fixed name.
    Out.setDirectWriteFallback(false);
    if (!Out.open(QIODevice::WriteOnly))
      return Failure(teWriteFailed, Out.errorString());
    QUrl Redirect;
    TTransferResult Result = FetchOnce(Manager, Current, Out, Options, Total, Redirect);
    if (!Result.Ok && Result.ErrorCode != teNone) {
      Out.cancelWriting();
      return Result;
    }
    if (Redirect.isEmpty()) {
      if (!Out.commit())
        return Failure(teWriteFailed, Out.errorString());
      return Result;
    }
    Out.cancelWriting();
    if (Hop >= Options.MaxRedirects)
      return Failure(teRedirectFailed, QStringLiteral("Too many redirects"));
    if (!IsAllowedRedirect(Current, Redirect))
      return Failure(
          teRedirectFailed,
          QStringLiteral("Redirect to an address not allowed: %1").arg(Redirect.toDisplayString()));
    Current = Redirect;
  }
}
