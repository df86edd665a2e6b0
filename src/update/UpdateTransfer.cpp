#include "UpdateTransfer.h"

#include "UpdatePaths.h"

#include <QAuthenticator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
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
  QEventLoop Loop;
  QTimer Idle;
  Idle.setSingleShot(true);
  bool TimedOut = false, Cancelled = false, TooLarge = false, WriteFailed = false;
  qint64 Received = 0;

  QObject::connect(&Idle, &QTimer::timeout, &Loop, [&] {
    TimedOut = true;
    Reply->abort();
  });
  QObject::connect(Reply.get(), &QNetworkReply::readyRead, &Loop, [&] {
    const int Status = Reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray Data = Reply->readAll();
    if (Status != 200)
      return; // the body of a redirect or an error page is not the file
    Received += Data.size();
    if (Options.MaxBytes >= 0 && Received > Options.MaxBytes) {
      TooLarge = true;
      Reply->abort();
      return;
    }
    if (Out.write(Data) != Data.size()) {
      WriteFailed = true;
      Reply->abort();
      return;
    }
    if (Total.elapsed() > Options.MaxTotalMs) {
      TimedOut = true;
      Reply->abort();
      return;
    }
    const QVariant Length = Reply->header(QNetworkRequest::ContentLengthHeader);
    if (Options.OnProgress &&
        !Options.OnProgress(Received, Length.isValid() ? Length.toLongLong() : -1)) {
      Cancelled = true;
      Reply->abort();
      return;
    }
    Idle.start(Options.TimeoutMs);
  });
  QObject::connect(Reply.get(), &QNetworkReply::finished, &Loop, &QEventLoop::quit);

  Idle.start(Options.TimeoutMs);
  if (!Reply->isFinished())
    Loop.exec(Options.AcceptUserInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  Idle.stop();

  if (TimedOut)
    return Failure(teCannotConnect,
                   QStringLiteral("No answer from %1 in time").arg(Url.toDisplayString()));
  if (Cancelled)
    return Failure(teOperationCancelled, QStringLiteral("Cancelled"));
  if (TooLarge)
    return Failure(teTooLarge, QStringLiteral("More than %1 bytes").arg(Options.MaxBytes));
  if (WriteFailed)
    return Failure(teWriteFailed, Out.errorString());

  const int Status = Reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
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
  if (Reply->error() != QNetworkReply::NoError)
    return Failure(ErrorCodeOf(Reply->error()), Reply->errorString());
  const QVariant Length = Reply->header(QNetworkRequest::ContentLengthHeader);
  if (Length.isValid() && Length.toLongLong() != Received)
    return Failure(
        teConnectionAborted,
        QStringLiteral("%1 of %2 bytes received").arg(Received).arg(Length.toLongLong()));
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
