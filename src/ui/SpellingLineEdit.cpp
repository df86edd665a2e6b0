#include "SpellingLineEdit.h"

#include "SpellingHighlighter.h"
#include "SpellingMenu.h"
#include "SpellingSession.h"
#include "SpellingWords.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QMenu>

TSpellingLineEdit::TSpellingLineEdit(TSpellingSession *Spelling, QWidget *Parent)
    : QLineEdit(Parent), FSpelling(Spelling) {
  if (!FSpelling)
    return;
  connect(this, &QLineEdit::textChanged, this, &TSpellingLineEdit::UpdateUnderlines);
  connect(FSpelling, &TSpellingSession::Changed, this, &TSpellingLineEdit::UpdateUnderlines);
}

void TSpellingLineEdit::UpdateUnderlines() {
  QList<QInputMethodEvent::Attribute> Formats;
  if (FSpelling->IsOpen()) {
    const QTextCharFormat Format = TSpellingHighlighter::MisspelledFormat();
    // Positions count from the cursor.
    const int Cursor = cursorPosition();
    for (const TSpellingWord &Word : MisspelledWords(text(), *FSpelling))
      Formats.append(
          {QInputMethodEvent::TextFormat, int(Word.Start) - Cursor, int(Word.Length), Format});
  }
  QInputMethodEvent Event(QString(), Formats);
  QCoreApplication::sendEvent(this, &Event);
}

QMenu *TSpellingLineEdit::CreateContextMenu(const QPoint &Pos) {
  QMenu *Menu = createStandardContextMenu();
  if (FSpelling)
    AddSpellingItems(*Menu, *FSpelling, text(), cursorPositionAt(Pos), this,
                     [this](qsizetype Start, qsizetype Length, const QString &Text) {
                       setSelection(int(Start), int(Length));
                       insert(Text);
                     });
  return Menu;
}

void TSpellingLineEdit::contextMenuEvent(QContextMenuEvent *Event) {
  QMenu *Menu = CreateContextMenu(Event->pos());
  Menu->setAttribute(Qt::WA_DeleteOnClose);
  Menu->popup(Event->globalPos());
}
