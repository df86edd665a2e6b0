#include "SpellingHighlighter.h"

#include "SpellingSession.h"
#include "SpellingWords.h"

TSpellingHighlighter::TSpellingHighlighter(QTextDocument *Document, TSpellingSession &Spelling)
    : QSyntaxHighlighter(Document), FSpelling(Spelling) {
  connect(&FSpelling, &TSpellingSession::Changed, this, &QSyntaxHighlighter::rehighlight);
}

QTextCharFormat TSpellingHighlighter::MisspelledFormat() {
  QTextCharFormat Format;
  Format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
  Format.setUnderlineColor(Qt::red);
  return Format;
}

void TSpellingHighlighter::highlightBlock(const QString &Text) {
  if (!FSpelling.IsOpen())
    return;
  const QTextCharFormat Format = MisspelledFormat();
  for (const TSpellingWord &Word : MisspelledWords(Text, FSpelling))
    setFormat(int(Word.Start), int(Word.Length), Format);
}
