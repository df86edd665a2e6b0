#include "Images.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <vector>

namespace {

// A theme icon where the desktop has one, else the style's standard icon,
// else a glyph on a coloured tile drawn here, so every index has an image.
struct TImageSpec {
  const char *ThemeName;
  int StandardPixmap; // -1: none
  const char16_t *Glyph;
  QRgb Colour;
};

constexpr TImageSpec Specs[iiCount] = {
    {"document-open", QStyle::SP_DialogOpenButton, u"O", 0xFF3B7DD8},
    {nullptr, -1, u"\u2713", 0xFF2E9E44},
    {nullptr, -1, u"!", 0xFFD83B3B},
    {"document-save", QStyle::SP_DialogSaveButton, u"S", 0xFF3B7DD8},
    {nullptr, -1, u"C", 0xFF7A5CC8},
    {nullptr, -1, u"K", 0xFFC85C5C},
    {"document-save-as", -1, u"A", 0xFF3B7DD8},
    {nullptr, -1, u"P", 0xFF5C8AC8},
    {nullptr, -1, u"k", 0xFFC8845C},
    {"edit-cut", -1, u"\u2702", 0xFF707070},
    {"edit-copy", -1, u"\u2750", 0xFF707070},
    {"edit-paste", -1, u"\u2193", 0xFF707070},
    {"dialog-ok-apply", QStyle::SP_DialogApplyButton, u"\u2713", 0xFF2E9E44},
    {"go-up", QStyle::SP_ArrowUp, u"\u2191", 0xFF3B7DD8},
    {"go-down", QStyle::SP_ArrowDown, u"\u2193", 0xFF3B7DD8},
    {"go-previous", -1, u"\u21D1", 0xFFD8863B},
    {"go-next", -1, u"\u21D3", 0xFFD8863B},
    {"document-properties", QStyle::SP_FileDialogDetailedView, u"i", 0xFF3B7DD8},
    {"list-add", -1, u"+", 0xFF707070},
    {"list-remove", -1, u"\u2212", 0xFF707070},
    {"preferences-system", -1, u"\u2699", 0xFF707070},
    {"help-contents", QStyle::SP_DialogHelpButton, u"?", 0xFF3B7DD8},
    {"system-software-update", QStyle::SP_BrowserReload, u"\u21BB", 0xFF2E9E44},
    {"help-about", QStyle::SP_MessageBoxInformation, u"i", 0xFF3B7DD8},
    {"application-exit", -1, u"\u00D7", 0xFFD83B3B},
    {"edit-undo", -1, u"\u21B6", 0xFF707070},
    {"edit-redo", -1, u"\u21B7", 0xFF707070},
    {"edit-find", -1, u"\u2315", 0xFF3B7DD8},
    {"edit-find-replace", -1, u"\u21C4", 0xFF3B7DD8},
    {"go-jump", -1, u"#", 0xFF3B7DD8},
    {"go-last", -1, u"\u21E5", 0xFF2E9E44},
    {"view-filter", -1, u"\u25BD", 0xFF707070},
    {nullptr, -1, u"\u00D7", 0xFFD83B3B},
    {nullptr, -1, u"!", 0xFFE0A020},
    {nullptr, -1, u"\u21E3", 0xFFE0A020},
    {nullptr, -1, u"\u21E1", 0xFFE0A020},
    {nullptr, -1, u"\u2205", 0xFF909090},
    {nullptr, -1, u"!", 0xFF909090},
    {"document-export", -1, u"\u21E8", 0xFF2E9E44},
    {"document-import", -1, u"\u21E6", 0xFF2E9E44},
};

QIcon DrawnIcon(const TImageSpec &Spec) {
  QIcon Icon;
  for (int Size : {16, 24, 32}) {
    QPixmap Pixmap(Size, Size);
    Pixmap.fill(Qt::transparent);
    QPainter P(&Pixmap);
    P.setRenderHint(QPainter::Antialiasing);
    QPainterPath Tile;
    Tile.addRoundedRect(QRectF(0.5, 0.5, Size - 1, Size - 1), Size / 5.0, Size / 5.0);
    P.fillPath(Tile, QColor::fromRgba(Spec.Colour));
    QFont F = P.font();
    F.setBold(true);
    F.setPixelSize(Size * 3 / 4);
    P.setFont(F);
    P.setPen(Qt::white);
    P.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, QString::fromUtf16(Spec.Glyph));
    P.end();
    Icon.addPixmap(Pixmap);
  }
  return Icon;
}

QIcon MakeIcon(const TImageSpec &Spec) {
  if (Spec.ThemeName) {
    const QIcon Themed = QIcon::fromTheme(QString::fromLatin1(Spec.ThemeName));
    if (!Themed.isNull())
      return Themed;
  }
  if (Spec.StandardPixmap >= 0)
    return QApplication::style()->standardIcon(QStyle::StandardPixmap(Spec.StandardPixmap));
  return DrawnIcon(Spec);
}

} // namespace

QIcon ImageListIcon(int Index) {
  static std::vector<QIcon> Icons;
  if (Icons.empty())
    for (const TImageSpec &Spec : Specs)
      Icons.push_back(MakeIcon(Spec));
  return (Index >= 0 && Index < iiCount) ? Icons[size_t(Index)] : QIcon();
}
