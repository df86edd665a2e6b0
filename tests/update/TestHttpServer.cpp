#include "TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

TTestHttpServer::TTestHttpServer(const QSslConfiguration *Tls) {
  EXPECT_TRUE(FRoot.isValid());
  if (Tls) {
    auto Server = std::make_unique<QSslServer>();
    Server->setSslConfiguration(*Tls);
    // Connections come once their handshake is done.
    connect(Server.get(), &QSslServer::pendingConnectionAvailable, this,
            &TTestHttpServer::OnConnection);
    FServer = std::move(Server);
  } else {
    FServer = std::make_unique<QTcpServer>();
    connect(FServer.get(), &QTcpServer::newConnection, this, &TTestHttpServer::OnConnection);
  }
  EXPECT_TRUE(FServer->listen(QHostAddress::LocalHost, 0));
}

TTestHttpServer::~TTestHttpServer() {
  for (const QPointer<QTcpSocket> &Socket : std::as_const(FSockets))
    delete Socket.data();
}

QUrl TTestHttpServer::Url(const QString &Path) const {
  const bool Tls = qobject_cast<const QSslServer *>(FServer.get()) != nullptr;
  return QUrl(QStringLiteral("%1://127.0.0.1:%2/%3")
                  .arg(Tls ? QStringLiteral("https") : QStringLiteral("http"))
                  .arg(FServer->serverPort())
                  .arg(Path));
}

void TTestHttpServer::SetFile(const QString &Path, const QByteArray &Data) {
  const QString FileName = FRoot.filePath(Path);
  QDir().mkpath(QFileInfo(FileName).absolutePath());
  QFile File(FileName);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(File.write(Data), Data.size());
}

QUrl TTestHttpServer::RefusingUrl(const QString &Path) {
  QTcpServer Probe;
  EXPECT_TRUE(Probe.listen(QHostAddress::LocalHost, 0));
  const quint16 Port = Probe.serverPort();
  Probe.close();
  return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(Port).arg(Path));
}

void TTestHttpServer::OnConnection() {
  while (QTcpSocket *Socket = FServer->nextPendingConnection()) {
    Socket->setParent(nullptr);
    FSockets.append(Socket);
    connect(Socket, &QTcpSocket::readyRead, this, [this, Socket] { OnData(Socket); });
    connect(Socket, &QTcpSocket::disconnected, this, [this, Socket] {
      FPending.remove(Socket);
      Socket->deleteLater();
    });
  }
}

void TTestHttpServer::OnData(QTcpSocket *Socket) {
  QByteArray &Request = FPending[Socket];
  Request += Socket->readAll();
  const qsizetype End = Request.indexOf("\r\n\r\n");
  if (End < 0)
    return;
  // "GET /path HTTP/1.1"
  const QList<QByteArray> First = Request.left(Request.indexOf("\r\n")).split(' ');
  FPending.remove(Socket);
  const QString Path = First.size() >= 2 ? QString::fromUtf8(First[1]).mid(1) : QString();
  FRequests.append(Path);
  Answer(Socket, Path);
}

void TTestHttpServer::Stream(QTcpSocket *Socket, const QByteArray &Head, int IntervalMs) {
  Socket->write(Head + "Connection: close\r\n\r\n");
  if (IntervalMs > 0) {
    auto *Timer = new QTimer(Socket);
    connect(Timer, &QTimer::timeout, Socket, [this, Socket] {
      Socket->write("x");
      ++FStreamed;
    });
    Timer->start(IntervalMs);
    return;
  }
  // Keeps a few chunks queued: as fast as the client takes them, no faster.
  static const QByteArray Chunk(64 * 1024, 'x');
  const auto Refill = [this, Socket] {
    while (Socket->state() == QAbstractSocket::ConnectedState &&
           Socket->bytesToWrite() < 4 * Chunk.size()) {
      Socket->write(Chunk);
      FStreamed += Chunk.size();
    }
  };
  connect(Socket, &QTcpSocket::bytesWritten, Socket, Refill);
  Refill();
}

void TTestHttpServer::Answer(QTcpSocket *Socket, const QString &Path) {
  if (FStalled.contains(Path))
    return;
  if (FDrips.contains(Path))
    return Stream(Socket, "HTTP/1.1 200 OK\r\n", FDrips.value(Path));
  if (FEndless.contains(Path)) {
    const int Status = FEndless.value(Path);
    return Stream(Socket,
                  "HTTP/1.1 " + QByteArray::number(Status) + " Endless\r\nLocation: /elsewhere\r\n",
                  0);
  }
  QByteArray Head;
  QByteArray Body;
  if (FRedirects.contains(Path)) {
    const TRedirect &Redirect = FRedirects[Path];
    Head = "HTTP/1.1 " + QByteArray::number(Redirect.Status) +
           " Moved\r\nLocation: " + Redirect.Location.toUtf8() + "\r\nContent-Length: 0\r\n";
  } else {
    // Only plain names below the root are served.
    QFile File(FRoot.filePath(QUrl::fromPercentEncoding(Path.toUtf8())));
    if (Path.contains(u"..") || !File.open(QIODevice::ReadOnly)) {
      Body = "not found";
      Head =
          "HTTP/1.1 404 Not Found\r\nContent-Length: " + QByteArray::number(Body.size()) + "\r\n";
    } else {
      Body = File.readAll();
      const qint64 Announced = Body.size() + FTruncated.value(Path, 0);
      Head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
             QByteArray::number(Announced) + "\r\n";
    }
  }
  Socket->write(Head + "Connection: close\r\n\r\n" + Body);
  Socket->disconnectFromHost();
}
