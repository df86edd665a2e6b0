#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class QSslConfiguration;
class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for the update tests. It serves the
// files of a temporary folder by path and answers 404 for missing ones; a
// path can instead stall (accept and never answer), announce a longer
// Content-Length than it sends, redirect, send a body without end, or drip
// one byte at a time. Each answer closes its connection. Given a TLS
// configuration (certificate and key), it serves https instead. It runs on
// the test's thread: it answers while the component waits in its local
// event loop.
class TTestHttpServer : public QObject {
public:
  explicit TTestHttpServer(const QSslConfiguration *Tls = nullptr);
  ~TTestHttpServer() override;

  QString Root() const { return FRoot.path(); }
  // http(s)://127.0.0.1:<port>/<Path>
  QUrl Url(const QString &Path) const;
  // Writes Data as the file served under Path (folders are created).
  void SetFile(const QString &Path, const QByteArray &Data);

  void Stall(const QString &Path) { FStalled.insert(Path); }
  void Truncate(const QString &Path, qint64 MissingBytes) { FTruncated.insert(Path, MissingBytes); }
  void Redirect(const QString &Path, const QString &Location, int Status = 302) {
    FRedirects.insert(Path, {Location, Status});
  }
  // Answers with Status (and a Location for a redirect) and a body without
  // Content-Length that never ends, sent as fast as it is taken.
  void Endless(const QString &Path, int Status) { FEndless.insert(Path, Status); }
  // Answers 200 without Content-Length and sends one byte every IntervalMs.
  void Drip(const QString &Path, int IntervalMs) { FDrips.insert(Path, IntervalMs); }

  // The body bytes sent by endless and dripping answers so far.
  qint64 StreamedBytes() const { return FStreamed; }

  // The paths asked for so far, in order.
  const QStringList &Requests() const { return FRequests; }

  // An address on 127.0.0.1 where nothing listens (a port just freed).
  static QUrl RefusingUrl(const QString &Path);

private:
  struct TRedirect {
    QString Location;
    int Status = 302;
  };
  void OnConnection();
  void OnData(QTcpSocket *Socket);
  void Answer(QTcpSocket *Socket, const QString &Path);
  void Stream(QTcpSocket *Socket, const QByteArray &Head, int IntervalMs);

  QTemporaryDir FRoot;
  std::unique_ptr<QTcpServer> FServer;
  QHash<QTcpSocket *, QByteArray> FPending;
  QList<QPointer<QTcpSocket>> FSockets;
  QSet<QString> FStalled;
  QHash<QString, qint64> FTruncated;
  QHash<QString, TRedirect> FRedirects;
  QHash<QString, int> FEndless;
  QHash<QString, int> FDrips;
  qint64 FStreamed = 0;
  QStringList FRequests;
};
