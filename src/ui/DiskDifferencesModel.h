#pragma once

#include "DiskDifferences.h"

#include <QAbstractTableModel>
#include <array>
#include <vector>

// The entries that differ between a translation on disk and the open one, a
// row each: component, name, text on disk, open text. Rows are made only as
// the view asks for them.
class TDiskDifferencesModel : public QAbstractTableModel {
  Q_OBJECT

public:
  enum TColumn { dcComponent, dcName, dcDisk, dcOpen, dcColumnCount };

  explicit TDiskDifferencesModel(QObject *Parent = nullptr);
  void SetDifferences(std::vector<TDiskDifference> Differences);
  const std::vector<TDiskDifference> &Differences() const { return FDifferences; }
  void SetColumnCaptions(const std::array<QString, dcColumnCount> &Captions);

  int rowCount(const QModelIndex &Parent = {}) const override;
  int columnCount(const QModelIndex &Parent = {}) const override;
  QVariant data(const QModelIndex &Index, int Role = Qt::DisplayRole) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation,
                      int Role = Qt::DisplayRole) const override;

private:
  std::vector<TDiskDifference> FDifferences;
  std::array<QString, dcColumnCount> FCaptions;
};
