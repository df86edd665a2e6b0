#pragma once

#include "LanguageManager.h"

#include <QApplication>
#include <QDebug>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString &V, std::ostream *Os) {
  *Os << '"' << V.toStdString() << '"';
}
inline void PrintTo(const QStringList &V, std::ostream *Os) {
  QString Text;
  QDebug(&Text) << V;
  *Os << Text.toStdString();
}

// The interface in a shipped language for as long as the object lives.
class TInterfaceLanguage {
public:
  explicit TInterfaceLanguage(quint16 LangID) {
    LangManager().ScanForLangFiles(QStringLiteral(LINGROVE_SOURCE_DIR "/languages"),
                                   QStringLiteral("*.lng"), false);
    LangManager().SetLanguageID(LangID);
  }
  ~TInterfaceLanguage() { LangManager().SetLanguageID(1033); }
};

// Runs Answer on the next modal dialog as soon as the event loop shows it.
template <class T> void AnswerNextDialog(std::function<void(T &)> Answer) {
  QTimer::singleShot(0, [Answer] {
    auto *Dialog = qobject_cast<T *>(QApplication::activeModalWidget());
    ASSERT_NE(Dialog, nullptr);
    Answer(*Dialog);
  });
}
