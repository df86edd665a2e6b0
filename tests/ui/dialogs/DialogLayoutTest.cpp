// Every caption of every dialog fits its control in each shipped language.
#include "DialogControls.h"
#include "DifferencesDialog.h"
#include "OpenFilesDialog.h"
#include "TransPropsDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "DialogsTestSupport.h"

namespace {

std::unique_ptr<TUIBaseDialog> NewDialog(int Which) {
  switch (Which) {
  case 0:
    return CreateForm<TUIOpenFilesDialog>();
  case 1:
    return CreateForm<TUITransPropsDialog>();
  default:
    return CreateForm<TUIDifferencesDialog>();
  }
}

class DialogLayout : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(DialogLayout, CaptionsAreNotClipped) {
  const TInterfaceLanguage Language(quint16(std::get<0>(GetParam())));
  const auto D = NewDialog(std::get<1>(GetParam()));
  D->show();
  const QRect Panel = D->DialogPanel->geometry();
  EXPECT_LE(Panel.bottom(), D->DialogButtons->y());
  for (QWidget *W : D->DialogPanel->findChildren<QWidget *>()) {
    if (!W->isVisible())
      continue;
    const std::string Name = W->objectName().toStdString();
    const QRect InPanel(W->mapTo(D->DialogPanel, QPoint()), W->size());
    EXPECT_TRUE(D->DialogPanel->rect().contains(InPanel)) << Name;
    if (W->hasHeightForWidth()) {
      EXPECT_GE(W->height(), W->heightForWidth(W->width())) << Name;
    } else if (qobject_cast<QLabel *>(W) || qobject_cast<QAbstractButton *>(W)) {
      EXPECT_GE(W->width(), W->sizeHint().width()) << Name;
    }
    if (auto *Group = qobject_cast<QGroupBox *>(W)) {
      EXPECT_GE(Group->width(), Group->fontMetrics().horizontalAdvance(Group->title())) << Name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndDialogs, DialogLayout,
                         testing::Combine(testing::Values(1033, 1031, 1049),
                                          testing::Values(0, 1, 2)));

} // namespace
