#pragma once

#include <QLineEdit>

class TSpellingSession;

// A line edit that underlines its misspelled words (as TSpellingHighlighter
// does) and offers the spelling items in its context menu. Without a
// session it is a plain line edit. Spelling must outlive it.
class TSpellingLineEdit : public QLineEdit {
  Q_OBJECT

public:
  explicit TSpellingLineEdit(TSpellingSession *Spelling, QWidget *Parent = nullptr);

  // The context menu for a click at Pos: the standard items below the
  // spelling items of the word there. The caller owns it.
  QMenu *CreateContextMenu(const QPoint &Pos);

protected:
  void contextMenuEvent(QContextMenuEvent *Event) override;

private:
  // A line edit has no highlighter: the formats go to its text layout the
  // way an input method's do.
  void UpdateUnderlines();

  TSpellingSession *FSpelling;
};
