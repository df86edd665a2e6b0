#pragma once

#include <QList>
#include <QString>

// A project as it was last opened: its language source, the display
// translation (blank for none) and the translation.
struct TRecentProject {
  QString Source;
  QString Display;
  QString Translation;
};

constexpr int RecentProjectsMaxCount = 10;

// The projects opened last, most recent first, from the settings (section
// "MRUHistory\Projects", keys "SourceN", "DisplayN" and "TranslationN");
// an unreadable list is an empty one.
QList<TRecentProject> LoadRecentProjects();

// Puts Project in front, dropping an older entry of the same source and
// translation (names compare with only A-Z folded to lower case), and keeps
// RecentProjectsMaxCount. REQUIRES: Project has a source and a translation.
// An error is shown to the user and ends the update.
void AddRecentProject(const TRecentProject &Project);

// AddRecentProject on a worker thread, in the order of the calls: storing
// the settings waits for the disk, which the window should not. An error is
// shown on the interface thread. REQUIRES: a running QCoreApplication.
void AddRecentProjectLater(const TRecentProject &Project);
// Waits until the projects handed to AddRecentProjectLater are stored;
// LoadRecentProjects waits too, and so must the end of the program.
void WaitForRecentProjects();
