#include "RecentProjects.h"

#include "AppAttribs.h"
#include "CoreApplication.h"
#include "CoreError.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace {

const QString Section = QStringLiteral("MRUHistory\\Projects");

QString Key(const char *Name, int Index) {
  return QLatin1StringView(Name) + QString::number(Index);
}

bool SameName(const QString &A, const QString &B) {
  if (A.size() != B.size())
    return false;
  for (qsizetype I = 0; I < A.size(); ++I) {
    const auto Fold = [](QChar C) {
      return (C >= u'A' && C <= u'Z') ? char16_t(C.unicode() + 32) : C.unicode();
    };
    if (Fold(A[I]) != Fold(B[I]))
      return false;
  }
  return true;
}

QList<TRecentProject> Read(TAppConfigIniFile &Ini) {
  QList<TRecentProject> Projects;
  for (int I = 0; I < RecentProjectsMaxCount; ++I) {
    TRecentProject P{Ini.ReadString(Section, Key("Source", I), QString()),
                     Ini.ReadString(Section, Key("Display", I), QString()),
                     Ini.ReadString(Section, Key("Translation", I), QString())};
    if (!P.Source.isEmpty() && !P.Translation.isEmpty())
      Projects.append(P);
  }
  return Projects;
}

void StoreRecentProject(const TRecentProject &Project) {
  // One store around reading and writing, as for the file histories.
  TAppConfigIniFile Ini;
  QList<TRecentProject> Projects = Read(Ini);
  Projects.removeIf([&](const TRecentProject &P) {
    return SameName(P.Source, Project.Source) && SameName(P.Translation, Project.Translation);
  });
  Projects.prepend(Project);
  for (int I = 0; I < RecentProjectsMaxCount; ++I) {
    const TRecentProject P = Projects.value(I);
    Ini.WriteString(Section, Key("Source", I), P.Source);
    Ini.WriteString(Section, Key("Display", I), P.Display);
    Ini.WriteString(Section, Key("Translation", I), P.Translation);
  }
}

// One thread, so that stores keep their order. Never destroyed: the end of
// the program waits for it explicitly, while the application still exists.
QThreadPool &Writer() {
  static QThreadPool *const Pool = [] {
    auto *P = new QThreadPool;
    P->setMaxThreadCount(1);
    return P;
  }();
  return *Pool;
}

} // namespace

QList<TRecentProject> LoadRecentProjects() {
  WaitForRecentProjects();
  try {
    TAppConfigIniFile Ini;
    return Read(Ini);
  } catch (const std::exception &) {
    return {};
  }
}

void AddRecentProject(const TRecentProject &Project) {
  WaitForRecentProjects();
  try {
    StoreRecentProject(Project);
  } catch (const std::exception &E) {
    ShowMessageBox(mbkError, QString(), ExceptionMessage(E));
  }
}

void AddRecentProjectLater(const TRecentProject &Project) {
  Writer().start([Project] {
    try {
      StoreRecentProject(Project);
    } catch (const std::exception &E) {
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [Message = ExceptionMessage(E)] { ShowMessageBox(mbkError, QString(), Message); },
          Qt::QueuedConnection);
    }
  });
}

void WaitForRecentProjects() {
  Writer().waitForDone();
}
