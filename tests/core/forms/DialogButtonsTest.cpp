// The button bar: sizes, widths and the arrangement of its buttons, clicks
// and keys; and the docking layout dialogs put it in.

#include "DialogButtons.h"
#include "AlignLayout.h"

#include <QAction>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "FormsTestSupport.h"

namespace {

class DialogButtons : public testing::Test {
protected:
  void SetUp() override { THighDPIToolkit::SetPixelsPerInch(96); }
  void TearDown() override { THighDPIToolkit::SetPixelsPerInch(0); }
};

TEST_F(DialogButtons, FreshBarAtStandardResolution) {
  TDialogButtons Bar;
  EXPECT_EQ(Bar.height(), 41);
  EXPECT_EQ(Bar.GetAlign(), alBottom);
  const struct {
    TButton *Button;
    const char *Caption;
    TModalResult Result;
    bool bVisible;
  } Cases[] = {{Bar.BtnOK(), "OK", mrOk, true},
               {Bar.BtnCancel(), "Cancel", mrCancel, true},
               {Bar.BtnApply(), "Apply", mrNone, true},
               {Bar.BtnHelp(), "&Help", mrNone, false}};
  for (int I = 1; I <= 4; ++I) {
    const auto &C = Cases[I - 1];
    EXPECT_EQ(Bar.Button(I), C.Button);
    EXPECT_EQ(Bar.GetButtonCaption(I), QString::fromLatin1(C.Caption));
    EXPECT_EQ(Bar.GetButtonModalResult(I), C.Result);
    EXPECT_EQ(Bar.GetButtonVisible(I), C.bVisible);
    EXPECT_EQ(Bar.GetButtonWidth(I), 75);
    EXPECT_EQ(C.Button->height(), C.bVisible ? 25 : 0);
  }
  EXPECT_TRUE(Bar.GetOKDefault());
  EXPECT_TRUE(Bar.BtnOK()->isDefault());
  EXPECT_TRUE(Bar.GetCancelCancel());
  // Indexes outside 1..4 are ignored.
  for (int I : {0, 5}) {
    Bar.SetButtonCaption(I, QStringLiteral("x"));
    Bar.SetButtonVisible(I, true);
    EXPECT_EQ(Bar.Button(I), nullptr);
    EXPECT_EQ(Bar.GetButtonCaption(I), QString());
    EXPECT_FALSE(Bar.GetButtonVisible(I));
    EXPECT_FALSE(Bar.GetButtonEnabled(I));
    EXPECT_EQ(Bar.GetButtonWidth(I), 0);
    EXPECT_EQ(Bar.GetButtonAction(I), nullptr);
  }
}

TEST_F(DialogButtons, SizesFollowTheResolution) {
  THighDPIToolkit::SetPixelsPerInch(120);
  TDialogButtons Bar;
  EXPECT_EQ(Bar.ButtonHeight(), 31);
  EXPECT_EQ(Bar.GetButtonWidth(1), 94);
  EXPECT_EQ(Bar.height(), 47);
}

// Buttons given as visible (1..4), width and expected bounds.
struct TArrangeCase {
  const char *Name;
  TAlign Align;
  bool bRightToLeft;
  std::array<bool, 4> Visible;
  std::array<int, 4> Widths;
  std::array<QRect, 4> Expected;
};

TEST_F(DialogButtons, ArrangesVisibleButtons) {
  const QRect None(0, 0, 0, 0);
  const TArrangeCase Cases[] = {
      {"only OK",
       alBottom,
       false,
       {true, false, false, false},
       {75, 75, 75, 75},
       {QRect(501, 8, 75, 25), None, None, None}},
      {"OK and Cancel",
       alBottom,
       false,
       {true, true, false, false},
       {75, 75, 75, 75},
       {QRect(584 - 166, 8, 75, 25), QRect(584 - 83, 8, 75, 25), None, None}},
      {"all four",
       alBottom,
       false,
       {true, true, true, true},
       {75, 75, 75, 75},
       {QRect(252, 8, 75, 25), QRect(335, 8, 75, 25), QRect(418, 8, 75, 25),
        QRect(501, 8, 75, 25)}},
      {"a wide caption",
       alTop,
       false,
       {true, true, false, false},
       {84, 75, 75, 75},
       {QRect(584 - 175, 8, 84, 25), QRect(501, 8, 75, 25), None, None}},
      {"right to left",
       alBottom,
       true,
       {true, true, false, true},
       {75, 84, 75, 75},
       {QRect(183, 8, 75, 25), QRect(91, 8, 84, 25), None, QRect(8, 8, 75, 25)}},
      {"stacked on the left",
       alLeft,
       false,
       {true, false, true, true},
       {75, 75, 95, 75},
       {QRect(6, 8, 75, 25), None, QRect(6, 41, 95, 25), QRect(6, 74, 75, 25)}},
  };
  for (const auto &C : Cases) {
    TDialogButtons Bar;
    Bar.setLayoutDirection(C.bRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    Bar.SetAlign(C.Align);
    for (int I = 1; I <= 4; ++I) {
      Bar.SetButtonVisible(I, C.Visible[I - 1]);
      Bar.SetButtonWidth(I, C.Widths[I - 1]);
    }
    Bar.resize(584, Bar.height());
    Bar.show();
    for (int I = 1; I <= 4; ++I)
      EXPECT_EQ(Bar.Button(I)->geometry(), C.Expected[I - 1]) << C.Name << ", button " << I;
  }
}

TEST_F(DialogButtons, BarSizeFollowsItsSide) {
  TDialogButtons Bar;
  Bar.SetButtonWidth(2, 110);
  Bar.SetAlign(alRight);
  EXPECT_EQ(Bar.width(), 122);
  Bar.SetButtonVisible(2, false);
  EXPECT_EQ(Bar.width(), 87);
  Bar.SetAlign(alTop);
  EXPECT_EQ(Bar.height(), 41);
}

TEST_F(DialogButtons, WidthsFromCaptionsAndShield) {
  TDialogButtons Bar;
  const QFontMetrics Metrics(Bar.font());
  for (const QString &Caption : {QStringLiteral("&Yes"), QStringLiteral("Apply all changes now")}) {
    Bar.SetButtonCaption(3, Caption);
    const int TextWidth = Metrics.horizontalAdvance(QString(Caption).remove(u'&'));
    EXPECT_EQ(Bar.GetButtonWidth(3), TCustomDialogButtons::ButtonWidthForText(TextWidth))
        << Caption.toStdString();
  }
  EXPECT_EQ(Bar.GetButtonWidth(1), 75);
  Bar.SetElevationRequiredOk(true);
  EXPECT_TRUE(Bar.ElevationRequiredOk());
  EXPECT_EQ(Bar.GetButtonWidth(1), 95);
  Bar.SetElevationRequiredOk(false);
  EXPECT_EQ(Bar.GetButtonWidth(1), 75);
  Bar.SetButtonWidth(1, 74);
  EXPECT_EQ(Bar.GetButtonWidth(1), 75);
  Bar.SetButtonWidth(1, 90);
  EXPECT_EQ(Bar.BtnOK()->width(), 90);
}

TEST_F(DialogButtons, ClickRunsActionThenEventThenCloses) {
  QDialog Dialog;
  auto *Bar = new TDialogButtons(&Dialog);
  QAction Ok(QStringLiteral("&Accept"));
  QStringList Order;
  QObject::connect(&Ok, &QAction::triggered, [&] { Order.append(QStringLiteral("action")); });
  QObject::connect(Bar, &TDialogButtons::OnClickOk, [&](QObject *Sender) {
    Order.append(Sender == Bar ? QStringLiteral("event") : QStringLiteral("wrong sender"));
    Order.append(Dialog.isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
  });
  QSignalSpy Applied(Bar, &TDialogButtons::OnClickApply);
  Bar->SetActionOk(&Ok);
  EXPECT_EQ(Bar->CaptionOk(), QStringLiteral("&Accept"));
  Ok.setEnabled(false);
  EXPECT_FALSE(Bar->EnableOk());
  Ok.setEnabled(true);
  Dialog.open();
  Bar->BtnApply()->click();
  EXPECT_EQ(Applied.count(), 1);
  EXPECT_TRUE(Dialog.isVisible());
  Bar->BtnOK()->click();
  EXPECT_EQ(Order, QStringList({QStringLiteral("action"), QStringLiteral("event"),
                                QStringLiteral("open")}));
  EXPECT_FALSE(Dialog.isVisible());
  EXPECT_EQ(Dialog.result(), mrOk);
}

TEST_F(DialogButtons, EscapeClicksAnEnabledCancelButton) {
  const struct {
    bool bCancelCancel, bEnabled;
    int Clicks;
    int Result;
  } Cases[] = {{true, true, 1, mrCancel},
               {true, false, 0, QDialog::Rejected},
               {false, true, 0, QDialog::Rejected}};
  for (const auto &C : Cases) {
    QDialog Dialog;
    auto *Bar = new TDialogButtons(&Dialog);
    QSignalSpy Cancelled(Bar, &TDialogButtons::OnClickCancel);
    Bar->SetCancelCancel(C.bCancelCancel);
    Bar->SetEnableCancel(C.bEnabled);
    Dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog));
    QTest::keyClick(&Dialog, Qt::Key_Escape);
    EXPECT_EQ(Cancelled.count(), C.Clicks) << C.bCancelCancel << C.bEnabled;
    EXPECT_EQ(Dialog.result(), C.Result) << C.bCancelCancel << C.bEnabled;
  }
}

TEST(AlignLayout, DocksInOrderWithMargins) {
  QWidget Parent;
  auto *Layout = new TAlignLayout(&Parent);
  auto Add = [&](TAlign Align, QMargins Margins = {}) {
    auto *W = new QWidget(&Parent);
    Layout->AddWidget(W, Align, Margins);
    return W;
  };
  QWidget *Client = Add(alClient, QMargins(8, 8, 8, 8));
  QWidget *Bottom = Add(alBottom);
  Bottom->setFixedHeight(41);
  QWidget *Top = Add(alTop, QMargins(0, 2, 0, 3));
  Top->setFixedHeight(20);
  QWidget *Left = Add(alLeft);
  Left->setFixedWidth(30);
  Parent.resize(300, 200);
  Layout->activate();
  EXPECT_EQ(Top->geometry(), QRect(0, 2, 300, 20));
  EXPECT_EQ(Bottom->geometry(), QRect(0, 159, 300, 41));
  EXPECT_EQ(Left->geometry(), QRect(0, 25, 30, 134));
  EXPECT_EQ(Client->geometry(), QRect(38, 33, 254, 118));
  EXPECT_EQ(Layout->minimumSize(), QSize(46, 25 + 41 + 16));
  Layout->SetAlign(Bottom, alRight);
  Layout->activate();
  EXPECT_EQ(Layout->Align(Bottom), alRight);
  Layout->ChangeScale(3, 2);
  EXPECT_EQ(Layout->Margins(Client), QMargins(12, 12, 12, 12));
}

} // namespace
