#include "LogLinesModel.h"

TLogLinesModel::TLogLinesModel(QObject *Parent) : QAbstractListModel(Parent) {}

void TLogLinesModel::SetText(QString Text) {
  beginResetModel();
  FText = std::move(Text);
  FStarts.clear();
  FLongest = -1;
  if (!FText.isEmpty()) {
    FStarts.push_back(0);
    const QChar *Chars = FText.constData();
    for (qsizetype I = 0, N = FText.size(); I < N; ++I)
      if (Chars[I] == u'\n')
        FStarts.push_back(I + 1);
    qsizetype Longest = -1;
    for (int Row = 0; Row < LineCount(); ++Row)
      if (Line(Row).size() > Longest) {
        Longest = Line(Row).size();
        FLongest = Row;
      }
  }
  endResetModel();
}

QStringView TLogLinesModel::Line(int Row) const {
  const qsizetype Start = FStarts[size_t(Row)];
  const qsizetype End =
      size_t(Row) + 1 < FStarts.size() ? FStarts[size_t(Row) + 1] - 1 : FText.size();
  return QStringView(FText).sliced(Start, End - Start);
}

int TLogLinesModel::rowCount(const QModelIndex &Parent) const {
  return Parent.isValid() ? 0 : LineCount();
}

QVariant TLogLinesModel::data(const QModelIndex &Index, int Role) const {
  if (!Index.isValid() || Index.row() >= LineCount())
    return {};
  if (Role == Qt::DisplayRole)
    return Line(Index.row()).toString();
  return {};
}

Qt::ItemFlags TLogLinesModel::flags(const QModelIndex &Index) const {
  return Index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                         : Qt::NoItemFlags;
}
