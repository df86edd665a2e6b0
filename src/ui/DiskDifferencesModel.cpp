#include "DiskDifferencesModel.h"

namespace {

// A cell shows one line, its line breaks as pilcrows.
QString OneLine(const QString &Text) {
  QString Line = Text;
  Line.replace(QStringLiteral("\r\n"), QStringLiteral("\u00B6"));
  Line.replace(u'\n', u'\u00B6');
  return Line;
}

} // namespace

TDiskDifferencesModel::TDiskDifferencesModel(QObject *Parent) : QAbstractTableModel(Parent) {}

void TDiskDifferencesModel::SetDifferences(std::vector<TDiskDifference> Differences) {
  beginResetModel();
  FDifferences = std::move(Differences);
  endResetModel();
}

void TDiskDifferencesModel::SetColumnCaptions(const std::array<QString, dcColumnCount> &Captions) {
  FCaptions = Captions;
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, dcColumnCount - 1);
}

int TDiskDifferencesModel::rowCount(const QModelIndex &Parent) const {
  return Parent.isValid() ? 0 : int(FDifferences.size());
}

int TDiskDifferencesModel::columnCount(const QModelIndex &Parent) const {
  return Parent.isValid() ? 0 : dcColumnCount;
}

QVariant TDiskDifferencesModel::data(const QModelIndex &Index, int Role) const {
  if (!Index.isValid() || Index.row() >= rowCount() ||
      (Role != Qt::DisplayRole && Role != Qt::ToolTipRole))
    return {};
  const TDiskDifference &D = FDifferences[size_t(Index.row())];
  const QString *Text = nullptr;
  switch (Index.column()) {
  case dcComponent:
    Text = &D.Component;
    break;
  case dcName:
    Text = &D.Name;
    break;
  case dcDisk:
    Text = &D.DiskText;
    break;
  default:
    Text = &D.OpenText;
    break;
  }
  return Role == Qt::DisplayRole ? OneLine(*Text) : *Text;
}

QVariant TDiskDifferencesModel::headerData(int Section, Qt::Orientation Orientation,
                                           int Role) const {
  if (Orientation == Qt::Horizontal && Role == Qt::DisplayRole && Section >= 0 &&
      Section < dcColumnCount)
    return FCaptions[size_t(Section)];
  return QAbstractTableModel::headerData(Section, Orientation, Role);
}
