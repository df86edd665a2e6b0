#pragma once

#include "PlainFileName.h"

#include <QString>
#include <QUrl>

// Where update files may come from and where they may go. A control file and
// the addresses it lists are not trusted: they choose names only inside the
// temporary folder and the program folder.

// The local name of a download: the address's last path segment, decoded.
// Empty when that is not a plain file name (an encoded "%2F" or "..", or an
// address ending in '/').
QString FileNameFromUrl(const QUrl &Url);

// A path from the control file resolved inside ProgramDir: "{app}" at the
// start stands for the program folder, any other path is taken relative to
// it; '\' counts as '/'. Empty for an empty text, an absolute path, a drive
// letter, any ".." segment, a path that names the folder itself, or a
// segment with a double quote or a control character (a quote would change
// how a command line is split again).
QString ResolveProgramPath(const QString &Text, const QString &ProgramDir);

// A folder from the control file, resolved as ResolveProgramPath does, except
// that "{app}" alone (or "{app}\") is the program folder itself.
QString ResolveProgramFolder(const QString &Text, const QString &ProgramDir);

// True for an address the component fetches: https, or http to a loopback
// host (127.0.0.1, ::1, localhost) where local tests serve.
bool IsAllowedUpdateUrl(const QUrl &Url);

// True when a redirect from From may go to To: To is itself allowed, and an
// https address only redirects to https.
bool IsAllowedRedirect(const QUrl &From, const QUrl &To);
