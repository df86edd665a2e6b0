#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The files the command line asks the editor to open, as absolute paths; an
// empty one was not given.
struct TStartFiles {
  QString Source;
  QString Display;
  QString Translation;
  bool IsEmpty() const { return Source.isEmpty() && Display.isEmpty() && Translation.isEmpty(); }
};

// Qt's X11 platform takes "--display" for the name of the X server. Before
// the application object exists, this renames the option of the display
// translation in argv to one Qt leaves alone; ParseStartArguments knows both.
// REQUIRES: argv as main() got it.
void ProtectDisplayOption(int argc, char **argv);

// Whether argv holds -h, --help, -?, -v or --version (before any "--").
bool AsksForHelpOrVersion(int argc, char **argv);

// Parses `lingrove [--display DISPLAY.lng] [SOURCE.zrlang [TRANSLATION.lng]]`;
// Args[0] is the program. A single argument ending in ".lng" is a
// translation, any other single argument a language source. Returns -1 when
// the program is to go on, with Files set; otherwise the exit status: 0 after
// --help or --version (written to Out), 64 after a wrong command line (the
// error and the usage written to Err).
int ParseStartArguments(const QStringList &Args, TStartFiles &Files, QTextStream &Out,
                        QTextStream &Err);
