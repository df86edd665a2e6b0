// The main window driven offscreen: titles, enabled states, the close prompt
// and switching the interface language.
#include "MainForm.h"
#include "Action.h"
#include "LanguageManager.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// Stands in for the save flow: answers as the save dialog would.
class TTestMainForm : public TUIMainForm {
public:
  bool SaveResult = true;
  int SaveCalls = 0;
  bool SaveTranslation(bool) override {
    ++SaveCalls;
    if (SaveResult)
      SetModified(false);
    return SaveResult;
  }
};

// Clicks Button of the next message box that opens.
void AnswerNextMessageBox(QMessageBox::StandardButton Button, QString *Text = nullptr) {
  QTimer::singleShot(0, [Button, Text] {
    auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    ASSERT_NE(Box, nullptr);
    if (Text)
      *Text = Box->text();
    Box->button(Button)->click();
  });
}

QAction *ActionNamed(QWidget &W, const char *Name) {
  return W.findChild<QAction *>(QLatin1StringView(Name));
}

TEST(MainForm, NewWindowIsTitledUntitledAndHasNoDocumentActions) {
  TTestMainForm Form;
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  Form.SetModified(true);
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng* - Lingrove"));

  for (const char *Name :
       {"ActionFileSave", "ActionFileSaveAs", "ActionEditTransProperties", "ActionEditJumpPrevious",
        "ActionEditJumpNext", "ActionToolsOptions", "ActionHelpDoc", "ActionEditMarkItemTrans"})
    EXPECT_FALSE(ActionNamed(Form, Name)->isEnabled()) << Name;
  for (const char *Name : {"ActionFileOpen", "ActionFileExit", "ActionHelpUpdates",
                           "ActionHelpAbout", "ActionViewExpandAll", "ActionViewCollapseAll"})
    EXPECT_TRUE(ActionNamed(Form, Name)->isEnabled()) << Name;
  EXPECT_EQ(ActionNamed(Form, "ActionHelpAbout")->text(), QStringLiteral("About Lingrove"));
}

struct TActionCase {
  const char *Name;
  const char *Caption;
  QKeySequence Shortcut;
  const char *Category;
};

class MainFormActions : public testing::TestWithParam<TActionCase> {};

TEST_P(MainFormActions, HaveTheirCaptionShortcutAndCategory) {
  TTestMainForm Form;
  auto *A = qobject_cast<TAction *>(ActionNamed(Form, GetParam().Name));
  ASSERT_NE(A, nullptr);
  EXPECT_EQ(A->text(), QString::fromUtf8(GetParam().Caption));
  EXPECT_EQ(A->shortcut(), GetParam().Shortcut);
  EXPECT_EQ(A->Category(), QString::fromUtf8(GetParam().Category));
  EXPECT_FALSE(A->icon().isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MainFormActions,
    testing::Values(
        TActionCase{"ActionFileOpen", "&Open Translation", QKeySequence(QStringLiteral("Ctrl+O")),
                    "File Menu"},
        TActionCase{"ActionFileSave", "&Save", QKeySequence(QStringLiteral("Ctrl+S")), "File Menu"},
        TActionCase{"ActionFileSaveAs", "Save &As", {}, "File Menu"},
        TActionCase{"ActionEditCut", "Cu&t", QKeySequence(QStringLiteral("Ctrl+X")), "Edit Menu"},
        TActionCase{"ActionEditPreviousItem", "Pre&vious Item",
                    QKeySequence(QStringLiteral("Ctrl+Up")), "Edit Menu"},
        TActionCase{"ActionEditJumpNext", "&Next Untranslated Item",
                    QKeySequence(QStringLiteral("Alt+Down")), "Edit Menu"},
        TActionCase{"ActionEditTransProperties", "Translation Properties",
                    QKeySequence(QStringLiteral("Alt+Return")), "Edit Menu"},
        TActionCase{"ActionViewExpandAll", "Expand All", {}, "View Menu"},
        TActionCase{"ActionToolsOptions", "Options", {}, "Tools Menu"},
        TActionCase{"ActionHelpUpdates", "Check for &Updates", {}, "Help Menu"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct TCloseCase {
  const char *Name;
  QMessageBox::StandardButton Answer;
  bool SaveResult;
  bool ExpectClosed;
  int ExpectSaves;
};

class MainFormClosePrompt : public testing::TestWithParam<TCloseCase> {};

TEST_P(MainFormClosePrompt, AnswersDecideWhetherTheWindowCloses) {
  TTestMainForm Form;
  Form.show();
  Form.SetModified(true);
  Form.SaveResult = GetParam().SaveResult;
  QString Text;
  AnswerNextMessageBox(GetParam().Answer, &Text);
  const bool Closed = Form.close();
  EXPECT_EQ(Closed, GetParam().ExpectClosed);
  EXPECT_EQ(Form.SaveCalls, GetParam().ExpectSaves);
  EXPECT_EQ(Text, QStringLiteral("The text in the Untitled.lng file has changed.\r\n\r\n"
                                 "Do you want to save the changes?"));
}

INSTANTIATE_TEST_SUITE_P(Answers, MainFormClosePrompt,
                         testing::Values(TCloseCase{"YesSaved", QMessageBox::Yes, true, true, 1},
                                         TCloseCase{"YesSaveCancelled", QMessageBox::Yes, false,
                                                    false, 1},
                                         TCloseCase{"No", QMessageBox::No, true, true, 0},
                                         TCloseCase{"Cancel", QMessageBox::Cancel, true, false, 0}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainForm, UnmodifiedWindowClosesWithoutAsking) {
  TTestMainForm Form;
  Form.show();
  EXPECT_TRUE(Form.close());
  EXPECT_EQ(Form.SaveCalls, 0);
}

TEST(MainForm, SwitchingToGermanRetranslatesMenusToolbarsAndStatusBar) {
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(M.RegisterLangFile(QStringLiteral(LINGROVE_SOURCE_DIR "/languages/German.lng")));
  TTestMainForm Form;
  auto *FileMenu = Form.findChild<QMenu *>(QStringLiteral("MenuFile"));
  auto *Toolbar = Form.findChild<QToolBar *>(QStringLiteral("StandardToolbar"));
  auto *Components = Form.findChild<QLabel *>(QStringLiteral("SBComponents"));

  M.SetLanguageID(1031);
  EXPECT_EQ(FileMenu->title(), QStringLiteral("&Datei"));
  EXPECT_EQ(ActionNamed(Form, "ActionFileOpen")->text(), QStringLiteral("&Übersetzung öffnen"));
  EXPECT_EQ(ActionNamed(Form, "ActionFileOpen")->statusTip(),
            QStringLiteral("Eine neue Übersetzung anlegen oder eine vorhandene öffnen"));
  EXPECT_EQ(Toolbar->windowTitle(), QStringLiteral("Standard-Symbolleiste"));
  EXPECT_EQ(Components->text(), QStringLiteral("Komponenten: 0"));
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Unbenannt.lng - Lingrove"));
  EXPECT_EQ(ActionNamed(Form, "ActionHelpAbout")->text(), QStringLiteral("Über Lingrove"));

  // A window created while German is current shows German at once.
  TTestMainForm Second;
  EXPECT_EQ(Second.findChild<QMenu *>(QStringLiteral("MenuFile"))->title(),
            QStringLiteral("&Datei"));

  M.SetLanguageID(1033);
  EXPECT_EQ(FileMenu->title(), QStringLiteral("&File"));
  EXPECT_EQ(ActionNamed(Form, "ActionFileOpen")->text(), QStringLiteral("&Open Translation"));
  EXPECT_EQ(Toolbar->windowTitle(), QStringLiteral("Standard Toolbar"));
  EXPECT_EQ(Components->text(), QStringLiteral("Components: 0"));
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  M.UnregisterLangResource(1031);
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication App(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
