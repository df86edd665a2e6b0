// The open translation files dialog: its first state, the OK rule, the
// browse steps and the recent-file histories.
#include "OpenFilesDialog.h"

#include "Action.h"
#include "AppAttribs.h"
#include "AppMRUList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "DialogsTestSupport.h"

namespace {

struct TBrowseCall {
  QString Title, Dir, Filter;
};

class OpenFilesDialog : public testing::Test {
protected:
  void SetUp() override {
    for (TMRUKind Kind : {mruSource, mruDisplay, mruTranslation})
      for (int I = 0; I < MRUMaxCount; ++I)
        TAppConfigIniFile().WriteString(MRUHistoryKey(Kind), QStringLiteral("Document%1").arg(I),
                                        QString());
    TUIOpenFilesDialog::SetOpenFileFunc(
        [this](QWidget *, const QString &Title, const QString &Dir, const QString &Filter) {
          Calls.push_back({Title, Dir, Filter});
          return Answer;
        });
  }
  void TearDown() override { TUIOpenFilesDialog::SetOpenFileFunc({}); }

  QString NewFile(const QString &Name) {
    QFile F(Dir.filePath(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    return F.fileName();
  }
  static void Type(QComboBox *Combo, const QString &Text) {
    QTest::keyClick(Combo->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(Combo->lineEdit(), Text);
  }

  QTemporaryDir Dir;
  QString Answer;
  std::vector<TBrowseCall> Calls;
};

TEST_F(OpenFilesDialog, OpensWithEmptyFieldsAndTheHistoriesInTheLists) {
  UpdateMRUList(QStringLiteral("/old/a.zrlang"), mruSource, true);
  UpdateMRUList(QStringLiteral("/old/b.zrlang"), mruSource, true);
  UpdateMRUList(QStringLiteral("/old/t.lng"), mruTranslation, true);
  auto D = CreateForm<TUIOpenFilesDialog>();
  EXPECT_EQ(D->windowTitle(), QStringLiteral("Open Translation Files"));
  EXPECT_FALSE(D->SavePosition());
  for (QComboBox *Combo : {D->SourceFileCombo, D->DisplayFileCombo, D->TranslationFileCombo}) {
    EXPECT_TRUE(Combo->isEditable());
    EXPECT_TRUE(Combo->currentText().isEmpty());
  }
  EXPECT_EQ(D->SourceFileCombo->count(), 2);
  EXPECT_EQ(D->SourceFileCombo->itemText(0), QStringLiteral("/old/b.zrlang"));
  EXPECT_EQ(D->DisplayFileCombo->count(), 0);
  EXPECT_EQ(D->TranslationFileCombo->itemText(0), QStringLiteral("/old/t.lng"));
  EXPECT_TRUE(D->NewTranslationRadio->isChecked());
  EXPECT_FALSE(D->UseDisplayFileCheck->isChecked());
  for (QWidget *W :
       std::initializer_list<QWidget *>{D->DisplayFileCombo, D->DisplayFileButton,
                                        D->TranslationFileCombo, D->TranslationFileButton})
    EXPECT_FALSE(W->isEnabled()) << W->objectName().toStdString();
  EXPECT_FALSE(D->ActionOK->isEnabled());
  EXPECT_TRUE(D->ActionHelp->isEnabled());
  EXPECT_TRUE(D->DialogButtons->ShowHelpButton());
  EXPECT_FALSE(D->DialogButtons->ShowApplyButton());
}

struct TOKCase {
  const char *Source;
  bool UseDisplay;
  const char *Display;
  bool OpenExisting;
  const char *Translation;
  bool OK;
};

void PrintTo(const TOKCase &C, std::ostream *Os) {
  *Os << "source \"" << C.Source << "\", display " << C.UseDisplay << " \"" << C.Display
      << "\", existing " << C.OpenExisting << " \"" << C.Translation << '"';
}

class OpenFilesOKRule : public OpenFilesDialog, public testing::WithParamInterface<TOKCase> {};

TEST_P(OpenFilesOKRule, EnablesOKExactlyWhenTheNeededNamesAreGiven) {
  const TOKCase &C = GetParam();
  auto D = CreateForm<TUIOpenFilesDialog>();
  D->show();
  D->SourceFileCombo->setEditText(QString::fromLatin1(C.Source));
  D->DisplayFileCombo->setEditText(QString::fromLatin1(C.Display));
  D->TranslationFileCombo->setEditText(QString::fromLatin1(C.Translation));
  (C.OpenExisting ? D->OpenTranslationRadio : D->NewTranslationRadio)->click();
  // Every click runs the rule; two leave the check box as it was.
  D->UseDisplayFileCheck->click();
  if (!C.UseDisplay)
    D->UseDisplayFileCheck->click();
  EXPECT_EQ(D->ActionOK->isEnabled(), C.OK);
  EXPECT_EQ(D->DialogButtons->BtnOK()->isEnabled(), C.OK);
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenFilesOKRule,
                         testing::Values(TOKCase{"", false, "", false, "", false},
                                         TOKCase{"  ", false, "", false, "", false},
                                         TOKCase{"s", false, "", false, "", true},
                                         TOKCase{"s", true, "", false, "", false},
                                         TOKCase{"s", true, " ", false, "", false},
                                         TOKCase{"s", true, "d", false, "", true},
                                         TOKCase{"s", false, "", true, "", false},
                                         TOKCase{"s", false, "", true, "t", true},
                                         TOKCase{"s", true, "d", true, "t", true},
                                         TOKCase{"", true, "d", true, "t", false},
                                         TOKCase{"s", true, "", true, "t", false}));

TEST_F(OpenFilesDialog, TypingReevaluatesOKOnlyForExistingFiles) {
  const QString Source = NewFile(QStringLiteral("typed.zrlang"));
  auto D = CreateForm<TUIOpenFilesDialog>();
  D->show();
  Type(D->SourceFileCombo, Dir.filePath(QStringLiteral("missing.zrlang")));
  EXPECT_FALSE(D->ActionOK->isEnabled());
  Type(D->SourceFileCombo, Source);
  EXPECT_TRUE(D->ActionOK->isEnabled());
  // Emptying the field names no file, so OK stays as it was.
  Type(D->SourceFileCombo, QString());
  EXPECT_TRUE(D->SourceFileCombo->currentText().isEmpty());
  EXPECT_TRUE(D->ActionOK->isEnabled());
}

TEST_F(OpenFilesDialog, BrowseFillsTheFieldAndTheHistory) {
  Answer = NewFile(QStringLiteral("picked.zrlang"));
  auto D = CreateForm<TUIOpenFilesDialog>();
  D->show();
  QTest::mouseClick(D->SourceFileButton, Qt::LeftButton);
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Title, QStringLiteral("Select a language source file"));
  EXPECT_EQ(Calls[0].Filter,
            QStringLiteral("Language source files (*.zrlang)|*.zrlang|All Files (*.*)|*.*"));
  EXPECT_EQ(Calls[0].Dir, QDir::currentPath());
  EXPECT_EQ(D->SourceFileCombo->currentText(), Answer);
  EXPECT_EQ(LoadMRUList(mruSource), QStringList{Answer});
  EXPECT_TRUE(D->ActionOK->isEnabled());

  // Checking the display check box with its field empty disables OK again.
  D->UseDisplayFileCheck->click();
  EXPECT_TRUE(D->DisplayFileCombo->isEnabled());
  EXPECT_FALSE(D->ActionOK->isEnabled());
  Answer = NewFile(QStringLiteral("shown.lng"));
  QTest::mouseClick(D->DisplayFileButton, Qt::LeftButton);
  EXPECT_EQ(Calls.back().Title, QStringLiteral("Select a translation file used for display"));
  EXPECT_EQ(Calls.back().Filter,
            QStringLiteral("Language translation files (*.lng)|*.lng|All Files|*.*"));
  EXPECT_EQ(LoadMRUList(mruDisplay), QStringList{Answer});
  EXPECT_TRUE(D->ActionOK->isEnabled());

  D->OpenTranslationRadio->click();
  EXPECT_EQ(D->focusWidget(), D->TranslationFileCombo);
  EXPECT_FALSE(D->ActionOK->isEnabled());
  Answer = NewFile(QStringLiteral("edited.lng"));
  QTest::mouseClick(D->TranslationFileButton, Qt::LeftButton);
  EXPECT_EQ(Calls.back().Title, QStringLiteral("Select a translation file"));
  EXPECT_EQ(LoadMRUList(mruTranslation), QStringList{Answer});
  EXPECT_TRUE(D->ActionOK->isEnabled());

  // A cancelled browse empties the field; the history keeps the name even
  // though the dialog is then cancelled.
  Answer.clear();
  QTest::mouseClick(D->SourceFileButton, Qt::LeftButton);
  EXPECT_TRUE(D->SourceFileCombo->currentText().isEmpty());
  EXPECT_FALSE(D->ActionOK->isEnabled());
  D->reject();
  EXPECT_EQ(LoadMRUList(mruSource).size(), 1);
}

TEST_F(OpenFilesDialog, OKReturnsTheChosenNamesAndRecordsThem) {
  const QString Source = NewFile(QStringLiteral("s.zrlang"));
  const QString Display = NewFile(QStringLiteral("d.lng"));
  const QString Left = NewFile(QStringLiteral("left.lng"));
  QString S, Di, T = QStringLiteral("unchanged");
  AnswerNextDialog<TUIOpenFilesDialog>([&](TUIOpenFilesDialog &D) {
    D.SourceFileCombo->setEditText(Source);
    D.UseDisplayFileCheck->click();
    D.DisplayFileCombo->setEditText(Display);
    // A name left in the translation field while a new translation is
    // chosen is neither returned nor remembered.
    D.OpenTranslationRadio->click();
    D.TranslationFileCombo->setEditText(Left);
    D.NewTranslationRadio->click();
    QTest::mouseClick(D.DialogButtons->BtnOK(), Qt::LeftButton);
  });
  ASSERT_TRUE(TUIOpenFilesDialog::Execute(nullptr, S, Di, T));
  EXPECT_EQ(S, Source);
  EXPECT_EQ(Di, Display);
  EXPECT_TRUE(T.isEmpty());
  EXPECT_EQ(LoadMRUList(mruSource), QStringList{Source});
  EXPECT_EQ(LoadMRUList(mruDisplay), QStringList{Display});
  EXPECT_TRUE(LoadMRUList(mruTranslation).isEmpty());

  AnswerNextDialog<TUIOpenFilesDialog>([](TUIOpenFilesDialog &D) { D.reject(); });
  S = QStringLiteral("kept");
  EXPECT_FALSE(TUIOpenFilesDialog::Execute(nullptr, S, Di, T));
  EXPECT_EQ(S, QStringLiteral("kept"));
}

TEST(OpenFilesFilter, BecomesQtFiltersThatMatchEveryFileForStarDotStar) {
  EXPECT_EQ(FileDialogFilter(TUIOpenFilesDialog::SourceFilter()),
            QStringLiteral("Language source files (*.zrlang);;All Files (*)"));
  EXPECT_EQ(FileDialogFilter(TUIOpenFilesDialog::TranslationFilter()),
            QStringLiteral("Language translation files (*.lng);;All Files (*)"));
  EXPECT_EQ(FileDialogFilter(u"Texts|*.txt;*.lng"), QStringLiteral("Texts (*.txt *.lng)"));
}

} // namespace
