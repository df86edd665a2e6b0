#pragma once

#include "CoreApplication.h"

#include <QDir>
#include <QSettings>
#include <QVariant>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

// Each test starts without the program's settings and sees the messages
// meant for the user.
class AppSettingsTest : public testing::Test {
public:
  using TSeeds = std::vector<std::pair<QString, QVariant>>;

protected:
  struct TShown {
    TMessageBoxKind Kind;
    QString Caption, Text;
  };
  void SetUp() override {
    QDir(Folder()).removeRecursively();
    FOld = SetMessageBoxHandler(
        [this](TMessageBoxKind Kind, const QString &Caption, const QString &Text) {
          Shown.push_back({Kind, Caption, Text});
        });
  }
  void TearDown() override { SetMessageBoxHandler(FOld); }

  static QString Folder() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + u"/Brisel Solutions"_s;
  }
  // The settings as stored, without the program's classes.
  static QSettings Raw() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Brisel Solutions"_s,
                     u"Lingrove"_s);
  }
  static void Seed(const TSeeds &Seeds) {
    QSettings Settings = Raw();
    for (const auto &[Key, Value] : Seeds)
      Settings.setValue(Key, Value);
    Settings.sync();
  }

  std::vector<TShown> Shown;

private:
  TMessageBoxHandler FOld;
};
