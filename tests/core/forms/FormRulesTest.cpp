// The pure rules of the form framework, case by case.

#include "DialogButtons.h"
#include "Forms.h"
#include "HighDPI.h"

#include <gtest/gtest.h>

#include "FormsTestSupport.h"

namespace {

// Window-class names drop "T" or "TUI"; state sections drop the first
// "Dialog", then the first "TUI", in any case.
TEST(FormRules, NamesFromTheClassName) {
  const struct {
    const char16_t *ClassName, *WindowClass, *Section;
  } Cases[] = {
      {u"TUIMainForm", u"MainForm", u"State\\MainForm"},
      {u"TUIOpenFilesDialog", u"OpenFilesDialog", u"State\\OpenFiles"},
      {u"TUITransPropsDialog", u"TransPropsDialog", u"State\\TransProps"},
      {u"TMainForm", u"MainForm", u"State\\TMainForm"},
      {u"MainForm", u"MainForm", u"State\\MainForm"},
      {u"tUIForm", u"tUIForm", u"State\\Form"},
      {u"TUIDIALOGAbout", u"DIALOGAbout", u"State\\About"},
      {u"TSettingsDialogDialog", u"SettingsDialogDialog", u"State\\TSettingsDialog"},
      {u"TUDialogIOptions", u"UDialogIOptions", u"State\\Options"},
  };
  for (const auto &C : Cases) {
    const std::string Name = QString::fromUtf16(C.ClassName).toStdString();
    EXPECT_EQ(WindowClassName(u"Lingrove", C.ClassName),
              QStringLiteral("Brisel.Lingrove.UI.") + QString::fromUtf16(C.WindowClass))
        << Name;
    EXPECT_EQ(DialogStateSection(C.ClassName), QString::fromUtf16(C.Section)) << Name;
  }
}

TEST(FormRules, KeyboardCuesAndBackground) {
  const std::pair<int, quint32> Keys[] = {
      {Qt::Key_Tab, 0x10002}, {Qt::Key_Left, 0x10002}, {Qt::Key_Down, 0x10002},
      {Qt::Key_Alt, 0x30002}, {Qt::Key_Escape, 0},     {Qt::Key_A, 0},
  };
  for (const auto &[Key, Request] : Keys)
    EXPECT_EQ(UIStateRequestForKey(Key), Request) << Key;
  EXPECT_TRUE(VistaBackgroundAvailable(true, 6, true));
  EXPECT_FALSE(VistaBackgroundAvailable(false, 10, true));
  EXPECT_FALSE(VistaBackgroundAvailable(true, 5, true));
  EXPECT_FALSE(VistaBackgroundAvailable(true, 10, false));
}

TEST(FormRules, MulDivRoundsHalfAwayFromZero) {
  const struct {
    int N, Num, Den, Expected;
  } Cases[] = {
      {624, -12, -11, 681}, {441, 12, 11, 481}, {8, 120, 96, 10}, {25, 120, 96, 31},
      {17, 120, 96, 21},    {3, 1, 2, 2},       {-3, 1, 2, -2},   {3, -1, 2, -2},
      {-11, -12, -11, -12}, {7, 0, 3, 0},       {7, 3, 0, -1},
  };
  for (const auto &C : Cases)
    EXPECT_EQ(MulDiv(C.N, C.Num, C.Den), C.Expected) << C.N << '*' << C.Num << '/' << C.Den;
}

TEST(FormRules, ButtonWidthFollowsTheTextWidthAboveFifty) {
  const std::pair<int, int> Cases[] = {{0, 75}, {40, 75}, {50, 75}, {51, 75}, {60, 84}, {120, 144}};
  for (const auto &[TextWidth, Width] : Cases)
    EXPECT_EQ(TCustomDialogButtons::ButtonWidthForText(TextWidth), Width) << TextWidth;
}

TEST(FormRules, ScaledFormOrigin) {
  const QRect Work(0, 0, 1000, 700);
  const struct {
    const char *Name;
    QRect Old, New;
    bool bKeepCentre;
    std::optional<QRect> WorkArea;
    QPoint Expected;
  } Cases[] = {
      {"centred form grown by 20 moves 10 left",
       {100, 100, 200, 100},
       {100, 100, 220, 100},
       true,
       Work,
       {90, 100}},
      {"growth halves round toward zero",
       {100, 100, 200, 100},
       {100, 100, 221, 103},
       true,
       Work,
       {90, 99}},
      {"shrinking moves right", {100, 100, 200, 100}, {100, 100, 179, 100}, true, Work, {110, 100}},
      {"uncentred form keeps its place",
       {100, 100, 200, 100},
       {100, 100, 220, 120},
       false,
       Work,
       {100, 100}},
      {"right edge past the work area",
       {900, 100, 80, 50},
       {900, 100, 120, 50},
       false,
       Work,
       {880, 100}},
      {"bottom edge past the work area",
       {10, 680, 80, 10},
       {10, 680, 80, 40},
       false,
       Work,
       {10, 660}},
      {"never left of the work area", {0, 0, 900, 600}, {0, 0, 1200, 600}, false, Work, {0, 0}},
      {"work area not at the origin",
       {50, 50, 100, 100},
       {50, 50, 100, 100},
       true,
       QRect(100, 80, 800, 600),
       {100, 80}},
      {"no monitor", {5, 5, 100, 100}, {5, 5, 140, 120}, true, std::nullopt, {0, 0}},
  };
  for (const auto &C : Cases)
    EXPECT_EQ(THighDPIToolkit::ScaledFormOrigin(C.Old, C.New, C.bKeepCentre, C.WorkArea),
              C.Expected)
        << C.Name;
}

// Fonts as scaling leaves them at 96 DPI, standardized for Segoe UI -12 on a
// form whose font was Tahoma (9 point after scaling).
TEST(FormRules, StandardizeFontChangesOnlyStandardFaces) {
  THighDPIToolkit::SetPixelsPerInch(96);
  auto Font = [](const char *Face, int Height) {
    QFont F(QString::fromLatin1(Face));
    F.setPixelSize(Height);
    return F;
  };
  const QString Segoe = QStringLiteral("Segoe UI"), Tahoma = QStringLiteral("Tahoma");
  const struct {
    const char *Name;
    QFont In;
    int Size;
    QString ForceName;
    bool bClearType, bChanged;
    const char *Face;
    int Height;
  } Cases[] = {
      {"form face at the form's size", Font("Tahoma", 12), -12, Tahoma, false, true, "Segoe UI",
       12},
      {"form face at 8 point", Font("Tahoma", 11), -12, Tahoma, false, true, "Segoe UI", 12},
      {"form face at 10 point keeps its size", Font("Tahoma", 14), -12, Tahoma, false, true,
       "Segoe UI", 14},
      {"other face keeps face and size", Font("Courier New", 11), -12, Tahoma, false, false,
       "Courier New", 11},
      {"standard face without a forced name", Font("MS Sans Serif", 11), -12, QString(), false,
       true, "Segoe UI", 12},
      {"other face without a forced name", Font("Arial", 11), -12, QString(), false, false, "Arial",
       11},
      {"standard face at 8 point is resized", Font("Segoe UI", 11), -12, Tahoma, false, true,
       "Segoe UI", 12},
      {"positive size compares points", Font("Tahoma", 11), 9, Tahoma, false, true, "Segoe UI", 0},
      {"nothing to change but ClearType", Font("Courier New", 11), -12, Tahoma, true, true,
       "Courier New", 11},
  };
  for (const auto &C : Cases) {
    QFont F = C.In;
    EXPECT_EQ(THighDPIToolkit::StandardizeFont(F, C.bClearType, Segoe, C.Size, C.ForceName, 9),
              C.bChanged)
        << C.Name;
    EXPECT_EQ(F.family(), QString::fromLatin1(C.Face)) << C.Name;
    if (C.Height)
      EXPECT_EQ(F.pixelSize(), C.Height) << C.Name;
    else
      EXPECT_EQ(F.pointSize(), C.Size) << C.Name;
  }
  THighDPIToolkit::SetPixelsPerInch(0);
}

} // namespace
