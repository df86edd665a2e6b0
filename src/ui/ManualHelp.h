#pragma once

#include <QString>
#include <QUrl>

// Opens the manual in the user's browser. A topic names a page of the manual
// and, after "#", the anchor of a section on it: "getting-started.html#open",
// or "index.html" for the start page.

// The start page.
inline constexpr char16_t ManualStartTopic[] = u"index.html";

// The address of Topic in the manual beside or installed with the program in
// ProgramDir; an empty address when the page is not there.
QUrl ManualTopicUrl(const QString &ProgramDir, const QString &Topic);

// Opens Topic in the manual of the running program through the desktop's URL
// opener. Throws ECoreError, naming the folders looked in, when the manual is
// not found. User-interface thread only.
void ShowManualTopic(const QString &Topic);
