#pragma once

#include <QString>
#include <functional>

class QMenu;
class QWidget;
class TSpellingSession;

// Replaces Length characters at Start of the text a menu was built for with
// Text.
using TSpellingReplace =
    std::function<void(qsizetype Start, qsizetype Length, const QString &Text)>;

// The most suggestions a context menu offers.
constexpr int SpellingMenuSuggestions = 8;

// When the word of Text at Position (the word's start to its end) is one
// Spelling does not know, puts above the items of Menu: its suggestions
// (choosing one calls Replace with the word's place, the accelerator mark
// kept) or a disabled "(No suggestions)", then "Add to Dictionary" and
// "Ignore All". An error in adding is shown over Owner. The items act on
// Spelling and Replace only while Owner lives. Returns whether it added any.
bool AddSpellingItems(QMenu &Menu, TSpellingSession &Spelling, const QString &Text,
                      qsizetype Position, QWidget *Owner, TSpellingReplace Replace);
