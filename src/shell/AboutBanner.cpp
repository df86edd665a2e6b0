#include "AboutBanner.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// In multiples of the font's line height.
constexpr double HeightInLines = 5.5;
constexpr double MinimumWidthInLines = 26;
// In multiples of the band's height.
constexpr double SideMargin = 0.28;
constexpr double LogoSize = 0.64;
constexpr double LogoGap = 0.16;
constexpr double TitleSize = 0.40;

const QColor BandDark(0x12, 0x3B, 0x31);
const QColor BandLight(0x22, 0x74, 0x5B);
const QColor Accent(0x8F, 0xE3, 0xB5);

// A leaf from its stem end at the origin to its tip at (Length, 0).
QPainterPath LeafPath(double Length) {
  QPainterPath Leaf;
  Leaf.moveTo(0, 0);
  Leaf.cubicTo(Length * 0.30, -Length * 0.36, Length * 0.74, -Length * 0.30, Length, 0);
  Leaf.cubicTo(Length * 0.74, Length * 0.30, Length * 0.30, Length * 0.36, 0, 0);
  return Leaf;
}

// An invalid Vein colour draws the leaf without its vein.
void DrawLeaf(QPainter &Painter, const QPointF &Base, double Length, double Angle,
              const QColor &Fill, const QColor &Vein) {
  Painter.save();
  Painter.translate(Base);
  Painter.rotate(Angle);
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(Fill);
  Painter.drawPath(LeafPath(Length));
  if (Vein.isValid()) {
    Painter.setPen(QPen(Vein, std::max(1.0, Length * 0.035), Qt::SolidLine, Qt::RoundCap));
    Painter.drawLine(QPointF(Length * 0.08, 0), QPointF(Length * 0.82, 0));
  }
  Painter.restore();
}

// Three leaves fanning out of one stem, filling a square of side Size.
void DrawSprig(QPainter &Painter, const QRectF &Box) {
  const double Size = Box.width();
  const QPointF Base(Box.left() + Size * 0.30, Box.bottom() - Size * 0.06);
  Painter.setPen(QPen(Accent, std::max(1.0, Size * 0.05), Qt::SolidLine, Qt::RoundCap));
  Painter.drawLine(Base, Base + QPointF(-Size * 0.12, Size * 0.04));
  const QColor Vein(0x12, 0x3B, 0x31, 150);
  DrawLeaf(Painter, Base, Size * 0.62, -112, QColor(0xC9, 0xF2, 0xDA), Vein);
  DrawLeaf(Painter, Base, Size * 0.80, -62, QColor(0x8F, 0xE3, 0xB5), Vein);
  DrawLeaf(Painter, Base, Size * 0.58, -18, QColor(0x5C, 0xC4, 0x8C), Vein);
}

} // namespace

TAboutBanner::TAboutBanner(QWidget *Parent) : QWidget(Parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QString TAboutBanner::Title() {
  return QStringLiteral("Lingrove");
}

int TAboutBanner::BannerHeight() const {
  return int(std::lround(fontMetrics().height() * HeightInLines));
}

QFont TAboutBanner::TitleFont(int Height) const {
  QFont Font = font();
  Font.setPixelSize(std::max(1, int(std::lround(Height * TitleSize))));
  Font.setWeight(QFont::DemiBold);
  Font.setLetterSpacing(QFont::PercentageSpacing, 104);
  return Font;
}

QSize TAboutBanner::sizeHint() const {
  const int H = BannerHeight();
  const double TextWidth = QFontMetricsF(TitleFont(H)).horizontalAdvance(Title());
  const double Needed = H * (2 * SideMargin + LogoSize + LogoGap) + TextWidth;
  const double Least = fontMetrics().height() * MinimumWidthInLines;
  return {int(std::ceil(std::max(Needed, Least))), H};
}

QSize TAboutBanner::minimumSizeHint() const {
  return sizeHint();
}

void TAboutBanner::paintEvent(QPaintEvent *) {
  QPainter Painter(this);
  Painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  const QRectF R = rect();
  const double H = R.height();

  QLinearGradient Band(R.topLeft(), QPointF(R.right(), R.bottom() + R.width() * 0.25));
  Band.setColorAt(0, BandDark);
  Band.setColorAt(1, BandLight);
  Painter.fillRect(R, Band);

  // A soft light from the upper right and faint leaves behind it.
  QRadialGradient Glow(QPointF(R.right() - H * 0.9, R.top() - H * 0.2), H * 1.8);
  Glow.setColorAt(0, QColor(255, 255, 255, 46));
  Glow.setColorAt(1, QColor(255, 255, 255, 0));
  Painter.fillRect(R, Glow);
  const QColor Faint(255, 255, 255, 20);
  DrawLeaf(Painter, QPointF(R.right() - H * 0.35, R.bottom() + H * 0.10), H * 1.05, -150, Faint,
           QColor());
  DrawLeaf(Painter, QPointF(R.right() - H * 0.35, R.bottom() + H * 0.10), H * 0.80, -105, Faint,
           QColor());
  DrawLeaf(Painter, QPointF(R.right() - H * 1.30, R.bottom() + H * 0.25), H * 0.75, -70, Faint,
           QColor());

  const double Logo = H * LogoSize;
  const QRectF LogoBox(R.left() + H * SideMargin, R.top() + (H - Logo) / 2, Logo, Logo);
  DrawSprig(Painter, LogoBox);

  const QRectF TextBox(LogoBox.right() + H * LogoGap, R.top(),
                       R.right() - LogoBox.right() - H * (LogoGap + SideMargin), H);
  Painter.setFont(TitleFont(int(H)));
  Painter.setPen(QColor(0x12, 0x3B, 0x31, 110));
  Painter.drawText(TextBox.translated(0, std::max(1.0, H * 0.015)),
                   Qt::AlignLeft | Qt::AlignVCenter, Title());
  Painter.setPen(Qt::white);
  Painter.drawText(TextBox, Qt::AlignLeft | Qt::AlignVCenter, Title());

  // A thin bright edge where the band meets the dialog.
  QLinearGradient Edge(R.bottomLeft(), R.bottomRight());
  Edge.setColorAt(0, Accent);
  Edge.setColorAt(1, QColor(Accent.red(), Accent.green(), Accent.blue(), 0));
  const double EdgeHeight = std::max(1.0, H * 0.03);
  Painter.fillRect(QRectF(R.left(), R.bottom() - EdgeHeight, R.width(), EdgeHeight), Edge);
}
