#pragma once

#include <QObject>
#include <QString>

#include <functional>

// The update component: created for one check and freed afterwards.
class TWebUpdate : public QObject {
  Q_OBJECT
public:
  explicit TWebUpdate(QObject *Owner = nullptr);
  ~TWebUpdate() override;

  // Fetches the control file and decides; true when an update is available.
  bool NewVersionAvailable();
  // Runs the whole update once the user accepted it.
  bool DoUpdate();

  QString NewVersionInfo() const { return FNewVersionInfo; }
  QString CurrentVersionInfo() const { return FCurrentVersionInfo; }

  // Called with each status line and an error code (12029: cannot connect).
  std::function<void(const QString &Status, int ErrorCode)> OnStatus;

private:
  QString FNewVersionInfo;
  QString FCurrentVersionInfo;
};
