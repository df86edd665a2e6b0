#pragma once

#include <QIcon>

// The program's own icon, for its windows: the one the desktop's icon theme
// installs under the application id, else the sizes built into the program
// (running from the build tree, or an installation the theme does not know).
QIcon ProgramIcon();
