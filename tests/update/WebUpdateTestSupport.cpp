#include "WebUpdateTestSupport.h"

#include "UpdateChecksum.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

QByteArray ReadAll(const QString &FileName) {
  QFile File(FileName);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void WriteAll(const QString &FileName, const QByteArray &Data) {
  QFile File(FileName);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << FileName.toStdString();
  ASSERT_EQ(File.write(Data), Data.size());
}

TWebUpdateFixture::TWebUpdateFixture() {
  EXPECT_TRUE(FProgram.isValid());
  EXPECT_TRUE(FTemp.isValid());
  WriteAll(ProgramFile(), "#!/bin/sh\n");
  const QString Data = FProgram.filePath(QStringLiteral("data.bin"));
  WriteAll(Data, DataBytes());
  QFile DataFile(Data);
  EXPECT_TRUE(DataFile.open(QIODevice::ReadWrite));
  EXPECT_TRUE(DataFile.setFileTime(QDateTime(QDate(2020, 6, 1), QTime(12, 0)),
                                   QFileDevice::FileModificationTime));

  Update.SetProgramFile(ProgramFile());
  Update.SetProgramDir(ProgramDir());
  Update.SetUseSystemTempFolder(false);
  Update.SetTempDirectory(TempDir());
  Update.SetShowDownloadProgress(false);
  Update.SetTimeoutMs(3000);
  Update.OnStatus = [this](const QString &Text, int Code) { Statuses.append({Text, Code}); };
  Update.OnStartUpdater = [](const QString &, const QStringList &) {
    ADD_FAILURE() << "the updater was started";
    return false;
  };
  Update.OnTerminate = [] { ADD_FAILURE() << "the program was ended"; };
  Update.OnConfirmRestart = [](const QString &) {
    ADD_FAILURE() << "the restart question was asked";
    return false;
  };
}

quint32 TWebUpdateFixture::DataCrc() {
  QByteArray Data = DataBytes();
  QBuffer Buffer(&Data);
  Buffer.open(QIODevice::ReadOnly);
  return *Crc32Of(Buffer);
}

void TWebUpdateFixture::ServeControlFile(const QByteArray &Text) {
  Server.SetFile(QStringLiteral("lingrove/controlfile.inf"), Text);
  Update.SetControlFileUrl(Server.Url(QStringLiteral("lingrove/controlfile.inf")).toString());
}

QStringList TWebUpdateFixture::StatusTexts() const {
  QStringList Texts;
  for (const auto &Status : Statuses)
    Texts.append(Status.first);
  return Texts;
}
