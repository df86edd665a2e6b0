#pragma once

#include "TestHttpServer.h"
#include "WebUpdate.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QTemporaryDir>

// A throw-away installation for the update component: a program folder with
// the program file "lingrove" (which carries the program's version) and a
// data file "data.bin" dated 1 June 2020, a temporary folder for downloads,
// and a test server. The component is set up to use all three.
class TWebUpdateFixture {
public:
  TWebUpdateFixture();

  QString ProgramDir() const { return FProgram.path(); }
  QString ProgramFile() const { return FProgram.filePath(QStringLiteral("lingrove")); }
  QString TempDir() const { return FTemp.path(); }
  static QByteArray DataBytes() { return "data file, version one\n"; }
  static quint32 DataCrc();

  // Serves Text as "lingrove/controlfile.inf" and points the component at it.
  void ServeControlFile(const QByteArray &Text);

  TTestHttpServer Server;
  TWebUpdate Update;
  // Every status reported, in order.
  QList<QPair<QString, int>> Statuses;
  QStringList StatusTexts() const;

private:
  QTemporaryDir FProgram;
  QTemporaryDir FTemp;
};

QByteArray ReadAll(const QString &FileName);
void WriteAll(const QString &FileName, const QByteArray &Data);
