#pragma once
// What the tests of lingrove-cli share: the example project's folder, a run's
// outcome and reading a file whole.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

inline const QString Examples = QStringLiteral(LINGROVE_EXAMPLES_DIR);

inline QString S(const char *Utf8) {
  return QString::fromUtf8(Utf8);
}

struct TRun {
  int Status = -1;
  QString Out;
  QString Err;
};

inline QByteArray ReadBytes(const QString &FileName) {
  QFile File(FileName);
  EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << FileName.toStdString();
  return File.readAll();
}
