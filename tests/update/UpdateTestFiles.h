#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <string>

// Writes Data to Path with the given permissions; fails the test when it
// cannot.
inline void WriteTestFile(const QString &Path, const QByteArray &Data,
                          QFileDevice::Permissions Permissions = QFileDevice::ReadOwner |
                                                                 QFileDevice::WriteOwner) {
  QFile File(Path);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
  ASSERT_EQ(File.write(Data), Data.size());
  File.close();
  ASSERT_TRUE(File.setPermissions(Permissions));
}

inline QByteArray ReadTestFile(const QString &Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<missing>");
}

// The names in a folder, sorted by code unit and joined by blanks.
inline std::string FolderEntries(const QString &Path) {
  QStringList Names =
      QDir(Path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  Names.sort();
  return Names.join(u' ').toStdString();
}

constexpr QFileDevice::Permissions ExecutablePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::ExeGroup;
