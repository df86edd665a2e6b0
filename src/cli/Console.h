#pragma once

#include <QString>

// Text for the terminal, written as UTF-8. Line breaks are written as LF
// whatever the text holds (library messages use CR LF).
void PrintOut(const QString &Text);
void PrintErr(const QString &Text);
