#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

// A text shown a line a row, read-only. The text is held once with the
// offsets of its lines, so a log of any length is set in one pass over its
// characters and rows are cut only as a view asks for them. Lines end at
// '\n'; a text without characters has no line.
class TLogLinesModel : public QAbstractListModel {
  Q_OBJECT

public:
  explicit TLogLinesModel(QObject *Parent = nullptr);

  void SetText(QString Text);
  const QString &Text() const { return FText; }
  int LineCount() const { return int(FStarts.size()); }
  // REQUIRES: 0 <= Row < LineCount().
  QStringView Line(int Row) const;
  // The row of the line with the most characters; -1 without lines.
  int LongestLine() const { return FLongest; }

  int rowCount(const QModelIndex &Parent = {}) const override;
  QVariant data(const QModelIndex &Index, int Role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex &Index) const override;

private:
  QString FText;
  std::vector<qsizetype> FStarts;
  int FLongest = -1;
};
