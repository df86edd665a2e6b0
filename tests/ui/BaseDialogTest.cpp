// The stored layout every dialog inherits, its captions, the Apply action,
// the size at each show and closing.

#include "BaseDialog.h"
#include "Action.h"
#include "ConfigIniFile.h"
#include "HighDPI.h"
#include "SizeGrip.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "FormsTestSupport.h"

namespace {

// Its language controller has translated the stored layout by the time the
// constructor ends.
class TUITransPropsDialog : public TUIBaseDialog {
  Q_OBJECT
public:
  TUITransPropsDialog() {
    Edit = new QLineEdit(DialogPanel);
    ActionOK->setText(QStringLiteral("Okay"));
    ActionCancel->setText(QStringLiteral("Abbrechen"));
    SetIsDirty(true);
  }
  QLineEdit *Edit;
  int CaptionUpdates = 0;

protected:
  void UpdateCaptions() override {
    TUIBaseDialog::UpdateCaptions();
    ++CaptionUpdates;
  }
};

class BaseDialog : public testing::Test {
protected:
  void SetUp() override {
    THighDPIToolkit::SetPixelsPerInch(96);
    TWriterIniFile().EraseSection(QStringLiteral("State\\TransProps"));
  }
  void TearDown() override { THighDPIToolkit::SetPixelsPerInch(0); }
};

TEST_F(BaseDialog, StoredLayout) {
  auto Dialog = CreateForm<TUITransPropsDialog>();
  const int Height = THighDPIToolkit::SystemFontHeight();
  EXPECT_EQ(Dialog->size(), QSize(MulDiv(624, Height, -11), MulDiv(441, Height, -11)));
  EXPECT_EQ(Dialog->Position(), poOwnerFormCenter);
  EXPECT_EQ(Dialog->DialogType(), dtDefault);
  EXPECT_EQ(Dialog->StateSection(), QStringLiteral("State\\TransProps"));
  Dialog->show();
  const int W = Dialog->width(), H = Dialog->height();
  EXPECT_EQ(Dialog->DialogPanelMargins(), QMargins(8, 8, 8, 8));
  EXPECT_EQ(Dialog->DialogPanel->geometry(), QRect(8, 8, W - 16, H - 41 - 16));
  EXPECT_EQ(Dialog->DialogButtons->geometry(), QRect(0, H - 41, W, 41));
  EXPECT_EQ(Dialog->Separator->geometry(), QRect(0, 0, W, 1));
  EXPECT_TRUE(Dialog->Separator->Gradient());
  EXPECT_EQ(Dialog->SizeGrip()->TargetControl(), Dialog->DialogButtons);
  EXPECT_EQ(Dialog->SizeGrip()->geometry().bottomRight(),
            Dialog->DialogButtons->rect().bottomRight());

  TDialogButtons *Bar = Dialog->DialogButtons;
  const struct {
    TAction *Action;
    const char *Caption;
    TModalResult Result;
  } Cases[] = {{Dialog->ActionOK, "&OK", mrOk},
               {Dialog->ActionCancel, "&Cancel", mrCancel},
               {Dialog->ActionApply, "Apply", mrNone},
               {Dialog->ActionHelp, "&Help", mrNone}};
  for (int I = 1; I <= 4; ++I) {
    const auto &C = Cases[I - 1];
    EXPECT_EQ(C.Action->text(), QString::fromLatin1(C.Caption));
    EXPECT_EQ(C.Action->Category(), QStringLiteral("Buttons"));
    EXPECT_EQ(Bar->GetButtonAction(I), C.Action);
    EXPECT_EQ(Bar->GetButtonCaption(I), QString::fromLatin1(C.Caption));
    EXPECT_EQ(Bar->GetButtonModalResult(I), C.Result);
    EXPECT_TRUE(Bar->GetButtonVisible(I));
    EXPECT_EQ(Bar->Button(I)->geometry(), QRect(W - 83 * (5 - I), 8, 75, 25));
  }
  EXPECT_FALSE(Dialog->IsDirty());
  EXPECT_FALSE(Dialog->ActionApply->isEnabled());
  EXPECT_FALSE(Bar->BtnApply()->isEnabled());
}

TEST_F(BaseDialog, ApplyFollowsTheDirtyState) {
  auto Dialog = CreateForm<TUITransPropsDialog>();
  Dialog->SetIsDirty(true);
  EXPECT_TRUE(Dialog->IsDirty());
  EXPECT_TRUE(Dialog->ActionApply->isEnabled());
  EXPECT_TRUE(Dialog->DialogButtons->BtnApply()->isEnabled());
  Dialog->SetIsDirty(false);
  EXPECT_FALSE(Dialog->ActionApply->isEnabled());
  EXPECT_FALSE(Dialog->DialogButtons->BtnApply()->isEnabled());
}

TEST_F(BaseDialog, NewDialogTypeUpdatesTheCaptions) {
  auto Dialog = CreateForm<TUITransPropsDialog>();
  EXPECT_EQ(Dialog->CaptionUpdates, 1);
  Dialog->ActionOK->setText(QStringLiteral("Okay"));
  Dialog->SetDialogType(dtDefault);
  EXPECT_EQ(Dialog->CaptionUpdates, 1);
  Dialog->SetDialogType(dtEdit);
  EXPECT_EQ(Dialog->CaptionUpdates, 2);
  EXPECT_EQ(Dialog->ActionOK->text(), QStringLiteral("&OK"));
}

TEST_F(BaseDialog, SizesAt120DPI) {
  THighDPIToolkit::SetPixelsPerInch(120);
  auto Dialog = CreateForm<TUITransPropsDialog>();
  Dialog->show();
  EXPECT_EQ(Dialog->DialogPanelMargins(), QMargins(10, 10, 10, 10));
  EXPECT_EQ(Dialog->DialogPanel->pos(), QPoint(10, 10));
  EXPECT_EQ(Dialog->DialogButtons->height(), 47);
  EXPECT_EQ(Dialog->DialogButtons->BtnOK()->height(), 31);
  EXPECT_EQ(Dialog->DialogButtons->BtnOK()->y(), 8);
}

TEST_F(BaseDialog, HeightFitsTheContentAtEachShow) {
  auto Dialog = CreateForm<TUITransPropsDialog>();
  Dialog->DialogPanel->setMaximumHeight(100);
  Dialog->show();
  EXPECT_EQ(Dialog->height(), 8 + 100 + 8 + 41);
  EXPECT_EQ(Dialog->minimumHeight(), 8 + 100 + 8 + 41);
}

TEST_F(BaseDialog, ButtonsAndEscapeClose) {
  const struct {
    const char *Name;
    std::function<void(TUITransPropsDialog &)> Act;
    int Result;
  } Cases[] = {
      {"OK", [](TUITransPropsDialog &D) { D.DialogButtons->BtnOK()->click(); }, mrOk},
      {"Cancel", [](TUITransPropsDialog &D) { D.DialogButtons->BtnCancel()->click(); }, mrCancel},
      {"Escape in an edit", [](TUITransPropsDialog &D) { QTest::keyClick(D.Edit, Qt::Key_Escape); },
       mrCancel},
  };
  for (const auto &C : Cases) {
    auto Dialog = CreateForm<TUITransPropsDialog>();
    QSignalSpy Finished(Dialog.get(), &QDialog::finished);
    Dialog->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    Dialog->Edit->setFocus();
    Dialog->SetIsDirty(true);
    Dialog->DialogButtons->BtnApply()->click();
    EXPECT_TRUE(Dialog->isVisible()) << C.Name;
    C.Act(*Dialog);
    ASSERT_EQ(Finished.count(), 1) << C.Name;
    EXPECT_EQ(Finished.at(0).at(0).toInt(), C.Result) << C.Name;
  }
}

} // namespace

#include "BaseDialogTest.moc"
