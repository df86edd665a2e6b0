#pragma once

#include <QString>
#include <QStringView>
#include <vector>

class TSpellChecker;

// A word of a translated value that spelling is to judge.
struct TSpellingWord {
  qsizetype Start;  // in the value
  qsizetype Length; // in the value, an accelerator mark inside included
  QString Text;     // the word without its accelerator mark
  // Where the accelerator mark "&" stood in Text (before that character),
  // -1 when the word has none.
  qsizetype Accelerator = -1;

  // Suggestion as the value is to hold it: with the accelerator mark where
  // the word had it, as far as the suggestion reaches.
  QString Replacement(const QString &Suggestion) const;
};

// The words of Text that spelling judges, in order, found at the word
// boundaries of Unicode (QTextBoundaryFinder). Text is a value, raw or in its
// one-line form. Left out: the run-time format's placeholders ("%s",
// "%1:d"), the escapes of the one-line form ("\n", "\t", "\\", "\13"), URLs,
// e-mail addresses, words joined by full stops ("readme.txt", "e.g."), and
// words with a digit, an underscore or a colon inside (identifiers), written
// in capitals only ("HTML") or with a capital after a small letter
// ("iPhone"). A single "&"
// is an accelerator mark: "&Open" and "Op&en" are the word "Open"; "&&" is a
// plain "&" and parts words.
std::vector<TSpellingWord> SpellingWords(QStringView Text);
// Those of them that Checker does not know.
std::vector<TSpellingWord> MisspelledWords(QStringView Text, TSpellChecker &Checker);
