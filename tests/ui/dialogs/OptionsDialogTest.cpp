// Tools > Options: what its pages show and store, Apply and Cancel, and the
// personal words it removes.
#include "OptionsDialog.h"

#include "Action.h"
#include "AppAttribs.h"
#include "DocumentMemory.h"
#include "PersonalWordList.h"
#include "SpellingSession.h"
#include "TranslationMemory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>

#include "DialogsTestSupport.h"

namespace {

class OptionsDialogTest : public testing::Test {
protected:
  void SetUp() override {
    InitializeAttribs();
    Attribs->LoadDefaults();
    Attribs->SaveAttribs();
  }
  void TearDown() override {
    delete Attribs;
    Attribs = nullptr;
  }
  static QCheckBox *Check(TUIOptionsDialog &D, const char *Id) {
    return D.findChild<QCheckBox *>(QStringLiteral("Check_") + QLatin1StringView(Id));
  }
};

TEST_F(OptionsDialogTest, ApplyStoresEveryPageAtOnceAndCancelKeepsTheOldValues) {
  auto D = CreateForm<TUIOptionsDialog>();
  int Applied = 0;
  D->Applied = [&Applied] { ++Applied; };
  D->Load(QString());
  EXPECT_EQ(D->windowTitle(), u"Options");
  EXPECT_EQ(D->PageList->count(), D->Pages->count());
  EXPECT_FALSE(D->ActionApply->isEnabled());
  EXPECT_TRUE(Check(*D, "unchanged")->isChecked());
  EXPECT_EQ(Check(*D, "spelling"), nullptr); // on the spelling page

  D->EncodingCombo->setCurrentIndex(TAttribs::neUnicode);
  D->AskEncodingCheck->setChecked(false);
  D->AskSaveWithErrorsCheck->setChecked(false);
  Check(*D, "unchanged")->setChecked(false);
  Check(*D, "whitespace")->setChecked(false);
  D->SpellingCheck->setChecked(false);
  D->RecoveryDelaySpin->setValue(30);
  ASSERT_TRUE(D->ActionApply->isEnabled());
  D->ActionApply->trigger();
  EXPECT_EQ(Applied, 1);
  EXPECT_FALSE(D->ActionApply->isEnabled());

  // Stored, not only set: another instance reads them.
  TAttribs Other;
  ASSERT_TRUE(Other.LoadAttribs());
  EXPECT_EQ(Other.NewTranslationEncoding(), TAttribs::neUnicode);
  EXPECT_TRUE(Other.IgnoreEncodingConficts());
  EXPECT_FALSE(Other.AskSaveWithErrors());
  EXPECT_EQ(Other.DisabledChecks(), u"whitespace,unchanged");
  EXPECT_FALSE(Other.CheckSpelling());
  EXPECT_EQ(Other.RecoveryDelay(), 30);

  auto Again = CreateForm<TUIOptionsDialog>();
  Again->Applied = [&Applied] { ++Applied; };
  Again->Load(QString());
  EXPECT_EQ(Again->EncodingCombo->currentIndex(), TAttribs::neUnicode);
  EXPECT_FALSE(Check(*Again, "unchanged")->isChecked());
  EXPECT_TRUE(Check(*Again, "format")->isChecked());
  EXPECT_EQ(Again->RecoveryDelaySpin->value(), 30);
  Again->RecoveryDelaySpin->setValue(7);
  Check(*Again, "unchanged")->setChecked(true);
  Again->ActionCancel->trigger();
  EXPECT_EQ(Applied, 1);
  EXPECT_EQ(Attribs->RecoveryDelay(), 30);
  EXPECT_EQ(Attribs->DisabledChecks(), u"whitespace,unchanged");
}

TEST_F(OptionsDialogTest, TheMemoryPageAndTheRecoveryFolderAreKeptOnOKOnly) {
  QTemporaryDir Dir;
  const QString Memory = Dir.filePath(QStringLiteral("team.sqlite"));
  for (const bool bOK : {false, true}) {
    auto D = CreateForm<TUIOptionsDialog>();
    D->Load(QString());
    EXPECT_TRUE(D->MemoryPathEdit->text().isEmpty());
    EXPECT_EQ(D->MemoryPathEdit->placeholderText(), QDir::toNativeSeparators(DefaultMemoryPath()));
    EXPECT_TRUE(D->RecoveryFolderEdit->text().isEmpty());
    EXPECT_EQ(D->MinSimilaritySpin->value(), 70);
    EXPECT_FALSE(D->AutoTranslateOnOpenCheck->isChecked());
    D->MemoryPathEdit->setText(QDir::toNativeSeparators(Memory));
    D->MinSimilaritySpin->setValue(85);
    D->AutoTranslateOnOpenCheck->setChecked(true);
    D->RecoveryFolderEdit->setText(QDir::toNativeSeparators(Dir.path()));
    (bOK ? D->ActionOK : D->ActionCancel)->trigger();
  }
  TAttribs Other;
  ASSERT_TRUE(Other.LoadAttribs());
  EXPECT_EQ(Other.MemoryPath(), Memory);
  EXPECT_EQ(Other.MemoryMinSimilarity(), 85);
  EXPECT_TRUE(Other.AutoTranslateOnOpen());
  EXPECT_EQ(Other.RecoveryFolder(), Dir.path());

  TTranslationMemory(Memory).Add(
      {TMemoryUnit{QStringLiteral("en-US"), QStringLiteral("de-DE"), QStringLiteral("Open"),
                   QStringLiteral("Öffnen"), {}, {}, 1},
       TMemoryUnit{QStringLiteral("en-US"), QStringLiteral("ru-RU"), QStringLiteral("Open"),
                   QStringLiteral("Открыть"), {}, {}, 1}});
  auto Again = CreateForm<TUIOptionsDialog>();
  Again->Load(QString());
  EXPECT_EQ(Again->MemoryPathEdit->text(), QDir::toNativeSeparators(Memory));
  EXPECT_EQ(Again->MinSimilaritySpin->value(), 85);
  EXPECT_TRUE(Again->AutoTranslateOnOpenCheck->isChecked());
  EXPECT_TRUE(Again->MemoryStatsLabel->text().startsWith(QStringLiteral("2 units in 2 language pairs, ")))
      << Again->MemoryStatsLabel->text().toStdString();
}

TEST_F(OptionsDialogTest, RemovedPersonalWordsLeaveTheListOnlyOnOK) {
  const QString File = TSpellingSession::PersonalWordListFile(QStringLiteral("fr_FR"));
  TPersonalWordList(File).Add(QStringLiteral("Lingrove"));
  TPersonalWordList(File).Add(QStringLiteral("ZrLang"));
  for (const bool bOK : {false, true}) {
    auto D = CreateForm<TUIOptionsDialog>();
    D->Load(QStringLiteral("fr_FR"));
    ASSERT_EQ(D->WordsList->count(), 2);
    D->WordsList->item(0)->setSelected(true);
    D->RemoveWordsButton->click();
    EXPECT_EQ(D->WordsList->count(), 1);
    (bOK ? D->ActionOK : D->ActionCancel)->trigger();
    EXPECT_EQ(TPersonalWordList(File).Words(),
              bOK ? QStringList{QStringLiteral("ZrLang")}
                  : QStringList({QStringLiteral("Lingrove"), QStringLiteral("ZrLang")}));
  }
}

} // namespace
