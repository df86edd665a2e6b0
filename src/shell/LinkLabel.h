#pragma once

#include <QLabel>

// A caption drawn as a hyperlink: the palette's link colour, underlined, a
// pointing-hand cursor. It takes the focus with Tab and fires Activated on a
// left click or on Space, Enter or Return while focused. The text stays
// plain, so translations hold only the words.
class TLinkLabel : public QLabel {
  Q_OBJECT

public:
  explicit TLinkLabel(const QString &Text, QWidget *Parent = nullptr);

  // Room for the focus frame around the text; labels beside the link indent
  // their text by as much to line up with it.
  static constexpr int FocusMargin = 2;

Q_SIGNALS:
  void Activated();

protected:
  void paintEvent(QPaintEvent *Event) override;
  void mousePressEvent(QMouseEvent *Event) override;
  void mouseReleaseEvent(QMouseEvent *Event) override;
  void keyPressEvent(QKeyEvent *Event) override;

private:
  bool FPressed = false;
};
