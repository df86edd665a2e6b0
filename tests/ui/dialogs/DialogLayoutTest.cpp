// Every caption of every dialog fits its control in each shipped language.
#include "DialogControls.h"
#include "DifferencesDialog.h"
#include "OpenFilesDialog.h"
#include "OptionsDialog.h"
#include "PretranslateDialog.h"
#include "TransPropsDialog.h"

#include "Action.h"
#include "LanguageManager.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <functional>
#include <map>

#include "DialogsTestSupport.h"

namespace {

std::unique_ptr<TUIBaseDialog> NewDialog(int Which) {
  switch (Which) {
  case 0:
    return CreateForm<TUIOpenFilesDialog>();
  case 1:
    return CreateForm<TUITransPropsDialog>();
  case 2:
    return CreateForm<TUIDifferencesDialog>();
  case 3:
    return CreateForm<TUIPretranslateDialog>();
  default:
    return CreateForm<TUIOptionsDialog>();
  }
}

// Runs Check with each page of a dialog with pages shown in turn, else once.
void ForEachPage(TUIBaseDialog &D, const std::function<void()> &Check) {
  auto *Pages = D.findChild<QStackedWidget *>(QStringLiteral("Pages"));
  for (int I = 0; I < (Pages ? Pages->count() : 1); ++I) {
    if (Pages)
      Pages->setCurrentIndex(I);
    SCOPED_TRACE(I);
    Check();
  }
}

class DialogLayout : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(DialogLayout, CaptionsAreNotClipped) {
  const TInterfaceLanguage Language(quint16(std::get<0>(GetParam())));
  const auto D = NewDialog(std::get<1>(GetParam()));
  D->show();
  const QRect Panel = D->DialogPanel->geometry();
  EXPECT_LE(Panel.bottom(), D->DialogButtons->y());
  ForEachPage(*D, [&D] {
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
  });
}

// The letter Alt reaches a control by; none for a text without one.
QChar Mnemonic(const QString &Text) {
  for (qsizetype I = 0; I + 1 < Text.size(); ++I) {
    if (Text[I] != u'&')
      continue;
    if (Text[I + 1] != u'&')
      return Text[I + 1].toLower();
    ++I;
  }
  return {};
}

TEST_P(DialogLayout, ButtonsSpeakTheLanguageAndNoTwoControlsShareALetter) {
  const quint16 LangID = quint16(std::get<0>(GetParam()));
  const TInterfaceLanguage Language(LangID);
  const auto D = NewDialog(std::get<1>(GetParam()));
  D->show();
  EXPECT_EQ(D->ActionCancel->text(), LangID == 1033 ? QStringLiteral("&Cancel")
                                                     : LangConstant(u"SDialogButtonCancel"));
  ForEachPage(*D, [&D] {
  std::map<QChar, QString> Owners;
  const auto Claim = [&Owners](const QString &Text) {
    const QChar Letter = Mnemonic(Text);
    if (Letter.isNull())
      return;
    const auto [It, Fresh] = Owners.emplace(Letter, Text);
    EXPECT_TRUE(Fresh) << Text.toStdString() << " and " << It->second.toStdString();
  };
  for (QWidget *W : D->findChildren<QWidget *>()) {
    if (!W->isVisibleTo(D.get()))
      continue;
    if (auto *Button = qobject_cast<QAbstractButton *>(W))
      Claim(Button->text());
    else if (auto *Label = qobject_cast<QLabel *>(W); Label && Label->buddy())
      Claim(Label->text());
    else if (auto *Group = qobject_cast<QGroupBox *>(W); Group && Group->isCheckable())
      Claim(Group->title());
  }
  });
}

TEST(MessageBoxButtons, FollowTheInterfaceLanguage) {
  for (const auto &[LangID, Yes, No] :
       {std::tuple{1033, "&Yes", "&No"}, {1031, "&Ja", "&Nein"}, {1049, "&Да", "&Нет"}}) {
    const TInterfaceLanguage Language{quint16(LangID)};
    QMessageBox Box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(Box.button(QMessageBox::Yes)->text(), QString::fromUtf8(Yes));
    EXPECT_EQ(Box.button(QMessageBox::No)->text(), QString::fromUtf8(No));
  }
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndDialogs, DialogLayout,
                         testing::Combine(testing::Values(1033, 1031, 1049),
                                          testing::Values(0, 1, 2, 3, 4)));

} // namespace
