#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class TSpellingSession;

// Underlines the misspelled words of a text document (SpellingWords of each
// block that Spelling does not know) with the style's spell-check underline
// in red, again whenever Spelling changes. Spelling must outlive it.
class TSpellingHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

public:
  TSpellingHighlighter(QTextDocument *Document, TSpellingSession &Spelling);

  // The format of a misspelled word.
  static QTextCharFormat MisspelledFormat();

protected:
  void highlightBlock(const QString &Text) override;

private:
  TSpellingSession &FSpelling;
};
