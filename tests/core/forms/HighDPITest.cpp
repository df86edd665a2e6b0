// Font standardization and scaling on real widget forms.

#include "HighDPI.h"
#include "Forms.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "FormsTestSupport.h"

namespace {

QFont PixelFont(const char *Face, int Pixels) {
  QFont F(QString::fromLatin1(Face));
  F.setPixelSize(Pixels);
  return F;
}

// A bare framework form, so that ScaleForm sees a position mode.
class TPlainForm : public QWidget, public TForm {
public:
  TPlainForm() : TForm(static_cast<QWidget &>(*this)) {}
};

class HighDPI : public testing::Test {
protected:
  void SetUp() override { THighDPIToolkit::SetPixelsPerInch(96); }
  void TearDown() override { THighDPIToolkit::SetPixelsPerInch(0); }
};

TEST_F(HighDPI, FormDesignedInTahomaTakesTheStandardFont) {
  QWidget Form;
  Form.setFont(PixelFont("Tahoma", 11));
  Form.resize(330, 220);
  auto AddLabel = [&Form](const QString &Name, const QRect &Bounds) {
    auto *L = new QLabel(Name, &Form);
    L->setGeometry(Bounds);
    return L;
  };
  QLabel *Plain = AddLabel(QStringLiteral("Plain"), {11, 22, 110, 11});
  QLabel *Tahoma8 = AddLabel(QStringLiteral("Tahoma8"), {11, 44, 110, 11});
  Tahoma8->setFont(QFont(QStringLiteral("Tahoma"), 8));
  QLabel *Courier = AddLabel(QStringLiteral("Courier"), {11, 66, 110, 11});
  Courier->setFont(PixelFont("Courier New", 11));
  QLabel *Tahoma10 = AddLabel(QStringLiteral("Tahoma10"), {11, 88, 110, 11});
  Tahoma10->setFont(QFont(QStringLiteral("Tahoma"), 10));
  auto *Bar = new QStatusBar(&Form);
  Bar->setFont(PixelFont("Tahoma", 11));
  auto *Holder = new QWidget(&Form);
  auto *Layout = new QVBoxLayout(Holder);
  Layout->setContentsMargins(11, 11, 11, 11);

  const double Ratio = THighDPIToolkit::StandardizeFormFont(&Form, QStringLiteral("Segoe UI"), -12);

  EXPECT_DOUBLE_EQ(Ratio, 12.0 / 11.0);
  EXPECT_EQ(Form.size(), QSize(360, 240));
  EXPECT_EQ(Form.font().family(), QStringLiteral("Segoe UI"));
  EXPECT_EQ(Form.font().pixelSize(), 12);
  EXPECT_EQ(Plain->geometry(), QRect(12, 24, 120, 12));
  EXPECT_EQ(Plain->font().family(), QStringLiteral("Segoe UI"));
  EXPECT_EQ(Tahoma8->font().family(), QStringLiteral("Segoe UI"));
  EXPECT_EQ(Tahoma8->font().pixelSize(), 12);
  EXPECT_EQ(Courier->font().family(), QStringLiteral("Courier New"));
  EXPECT_EQ(Courier->font().pixelSize(), 12);
  EXPECT_EQ(Tahoma10->font().family(), QStringLiteral("Segoe UI"));
  EXPECT_EQ(Tahoma10->font().pixelSize(), 14);
  EXPECT_FALSE(Bar->testAttribute(Qt::WA_SetFont));
  EXPECT_EQ(Bar->font().family(), QStringLiteral("Segoe UI"));
  EXPECT_EQ(Layout->contentsMargins(), QMargins(12, 12, 12, 12));
}

TEST_F(HighDPI, SystemFontIsTheHeightOfTheGeneralFont) {
  const QFont System = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  EXPECT_EQ(THighDPIToolkit::SystemFontName(), System.family());
  EXPECT_EQ(THighDPIToolkit::SystemFontHeight(), THighDPIToolkit::FontHeight(System));
  EXPECT_LT(THighDPIToolkit::SystemFontHeight(), 0);
}

TEST_F(HighDPI, ScaleFormKeepsTheCentreOfCentredForms) {
  const struct {
    TPosition Position;
    QPoint Expected;
  } Cases[] = {{poOwnerFormCenter, {90, 95}}, {poDesigned, {90, 95}}, {poDefault, {100, 100}}};
  for (const auto &C : Cases) {
    TPlainForm Form;
    Form.SetPosition(C.Position);
    Form.setGeometry(100, 100, 200, 100);
    THighDPIToolkit::ScaleForm(&Form, 11, 10);
    EXPECT_EQ(Form.geometry(), QRect(C.Expected, QSize(220, 110))) << int(C.Position);
  }
}

TEST_F(HighDPI, ScaleFormKeepsTheFormInsideTheWorkArea) {
  const QRect Work = QGuiApplication::primaryScreen()->availableGeometry();
  TPlainForm Form;
  Form.SetPosition(poDefault);
  Form.setGeometry(Work.right() - 150, Work.top() + 10, 200, 100);
  THighDPIToolkit::ScaleForm(&Form, 3, 2);
  EXPECT_EQ(Form.geometry(), QRect(Work.x() + Work.width() - 300, Work.top() + 10, 300, 150));
}

TEST_F(HighDPI, UnplacedFormIsStillPlacedWhenShown) {
  TPlainForm Form;
  Form.resize(200, 100);
  THighDPIToolkit::ScaleForm(&Form, 2, 1);
  EXPECT_EQ(Form.size(), QSize(400, 200));
  EXPECT_FALSE(Form.testAttribute(Qt::WA_Moved));
}

TEST_F(HighDPI, ControlFontComesFromTheFontProperty) {
  QLabel Label;
  Label.setFont(PixelFont("Tahoma", 11));
  ASSERT_TRUE(THighDPIToolkit::GetControlFont(&Label));
  EXPECT_EQ(THighDPIToolkit::GetControlFont(&Label)->family(), QStringLiteral("Tahoma"));
  QObject Plain;
  EXPECT_FALSE(THighDPIToolkit::GetControlFont(&Plain));
  EXPECT_FALSE(THighDPIToolkit::GetControlFont(nullptr));
}

} // namespace
