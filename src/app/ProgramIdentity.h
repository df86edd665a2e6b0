#pragma once

#include <QString>

// The program's version as the build defines it ("2.0.0"): what --version,
// the About box and the "Generator" header of a saved translation show, and
// what the update check compares with the server's.
QString ProgramVersion();

// The reverse-DNS id naming the desktop entry, the icon and the metadata the
// program installs; desktops match its windows to the entry by it.
QString ApplicationId();
