#pragma once

#include <QDebug>
#include <QMargins>
#include <QRect>
#include <QStringList>
#include <ostream>

// Readable failure messages for the Qt values the tests compare.
template <class T> std::string FormsTestText(const T &Value) {
  QString Text;
  QDebug(&Text).nospace() << Value;
  return Text.toStdString();
}
inline void PrintTo(const QString &V, std::ostream *Os) {
  *Os << FormsTestText(V);
}
inline void PrintTo(const QStringList &V, std::ostream *Os) {
  *Os << FormsTestText(V);
}
inline void PrintTo(const QRect &V, std::ostream *Os) {
  *Os << FormsTestText(V);
}
inline void PrintTo(const QSize &V, std::ostream *Os) {
  *Os << FormsTestText(V);
}
inline void PrintTo(const QPoint &V, std::ostream *Os) {
  *Os << FormsTestText(V);
}
inline void PrintTo(const QMargins &V, std::ostream *Os) {
  *Os << FormsTestText(V);
}
