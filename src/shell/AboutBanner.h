#pragma once

#include <QWidget>

// The title picture of the About dialog: the program's name beside a sprig
// of leaves on a deep green band. It paints itself with its own colours, so
// it looks the same in light and dark palettes, and as vectors, so it is
// sharp at any device pixel ratio. Its height follows the font.
class TAboutBanner : public QWidget {
  Q_OBJECT

public:
  explicit TAboutBanner(QWidget *Parent = nullptr);

  // The name it shows.
  static QString Title();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent *Event) override;

private:
  int BannerHeight() const;
  QFont TitleFont(int Height) const;
};
