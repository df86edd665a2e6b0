// The spelling tests run with a configuration folder of their own, holding a
// tiny French (fr_FR) dictionary; Enchant is started only after that.
#include "TinyDictionary.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  QTemporaryDir Home;
  const QString Config = Home.filePath(QStringLiteral("config"));
  qputenv("XDG_CONFIG_HOME", Config.toLocal8Bit());
  if (!Home.isValid() || !WriteTinyDictionary(Config, QStringLiteral("fr_FR")))
    return 2;
  QCoreApplication App(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
