// The translation properties dialog: the language lists, the OK rule and
// the values it hands back.
#include "TransPropsDialog.h"

#include "Action.h"
#include "Params.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "DialogsTestSupport.h"

namespace {

TEST(TransPropsDialog, ListsShowTheLanguagesOfTheIDs) {
  auto D = CreateForm<TUITransPropsDialog>();
  EXPECT_EQ(D->windowTitle(), QStringLiteral("Translation Properties"));
  EXPECT_FALSE(D->SavePosition());
  EXPECT_FALSE(D->DialogButtons->ShowApplyButton());
  for (QComboBox *Combo : {D->SourceLanguageCombo, D->TranslationLanguageCombo}) {
    EXPECT_FALSE(Combo->isEditable());
    EXPECT_EQ(Combo->count(), 223);
    EXPECT_EQ(Combo->currentIndex(), -1);
  }
  EXPECT_TRUE(D->TargetCombo->isEditable());
  EXPECT_EQ(D->TargetCombo->count(), 0);
  EXPECT_EQ(D->TargetLabel->text(), QStringLiteral("Tar&get Application && Version:"));

  D->SetLCID(1033);
  D->SetTranslationLCID(1031);
  EXPECT_EQ(D->SourceLanguageCombo->currentText(),
            QStringLiteral("01033 - 0x0409 - English (United States)"));
  EXPECT_EQ(D->TranslationLanguageCombo->currentText(),
            QStringLiteral("01031 - 0x0407 - German (Germany)"));
  EXPECT_EQ(D->SourceLCID(0), 1033);
  // A new translation has LANGID 0, which no row has.
  D->SetTranslationLCID(0);
  EXPECT_EQ(D->TranslationLanguageCombo->currentIndex(), -1);
  EXPECT_EQ(D->TranslationLCID(7), 7);
}

TEST(TransPropsDialog, OKWaitsForTheUserToChooseATranslationLanguage) {
  auto D = CreateForm<TUITransPropsDialog>();
  D->SetLCID(1033);
  D->SetTranslationLCID(1031);
  D->show();
  EXPECT_FALSE(D->ActionOK->isEnabled());
  QTest::keyClick(D->TranslationLanguageCombo, Qt::Key_Down);
  EXPECT_TRUE(D->ActionOK->isEnabled());
  EXPECT_EQ(D->TranslationLCID(0), 1032);
}

TEST(TransPropsDialog, OKWritesTheValuesBackAndReplacesTheHeader) {
  TZrLang_Params Params;
  Params.SetValue(u"TargetApplication", u"App 1.0");
  Params.SetValue(u"Author", u"Anna");
  Params.SetValue(u"Generator", u"Other tool");
  quint16 Source = 1033, Translation = 0;
  AnswerNextDialog<TUITransPropsDialog>([](TUITransPropsDialog &D) {
    EXPECT_EQ(D.TargetCombo->currentText(), QStringLiteral("App 1.0"));
    EXPECT_EQ(D.AuthorEdit->text(), QStringLiteral("Anna"));
    D.TranslationLanguageCombo->setFocus();
    QTest::keyClick(D.TranslationLanguageCombo, Qt::Key_Down);
    D.SetLCID(1049);
    D.TargetCombo->setEditText(QStringLiteral("App 2.0"));
    D.AuthorEdit->clear();
    QTest::mouseClick(D.DialogButtons->BtnOK(), Qt::LeftButton);
  });
  ASSERT_TRUE(TUITransPropsDialog::Execute(nullptr, Source, Translation, Params));
  EXPECT_EQ(Source, 1049);
  EXPECT_EQ(Translation, 1025);
  EXPECT_EQ(Params.Lines(), QStringList{QStringLiteral("TargetApplication=App 2.0")});

  // Cancel changes nothing; an ID not in the table stays when not chosen.
  Source = 5;
  AnswerNextDialog<TUITransPropsDialog>([](TUITransPropsDialog &D) {
    EXPECT_EQ(D.SourceLanguageCombo->currentIndex(), -1);
    D.reject();
  });
  EXPECT_FALSE(TUITransPropsDialog::Execute(nullptr, Source, Translation, Params));
  EXPECT_EQ(Source, 5);
  AnswerNextDialog<TUITransPropsDialog>([](TUITransPropsDialog &D) {
    QTest::keyClick(D.TranslationLanguageCombo, Qt::Key_Down);
    D.DialogButtons->BtnOK()->click();
  });
  ASSERT_TRUE(TUITransPropsDialog::Execute(nullptr, Source, Translation, Params));
  EXPECT_EQ(Source, 5);
  EXPECT_EQ(Translation, 1026);
}

TEST(TransPropsDialog, CaptionsFollowTheInterfaceLanguage) {
  const TInterfaceLanguage German(1031);
  auto D = CreateForm<TUITransPropsDialog>();
  EXPECT_EQ(D->windowTitle(), QStringLiteral("Übersetzungseigenschaften"));
  EXPECT_EQ(D->SourceLanguageLabel->text(), QStringLiteral("&Quellsprache:"));
  EXPECT_EQ(D->ActionOK->text(), QStringLiteral("&OK"));
}

} // namespace
