// The main window driven offscreen: titles, enabled states, the close prompt
// and switching the interface language.
#include "Action.h"
#include "AppAttribs.h"
#include "AppMRUList.h"
#include "Exceptions.h"
#include "LanguageManager.h"
#include "MainFormTestSupport.h"
#include "TestSupport.h"
#include "Translations.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

TEST(MainForm, NewWindowIsTitledUntitledAndHasNoDocumentActions) {
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  Form.SetModified(true);
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng* - Lingrove"));
  // The program's own icon, built in for want of an installed theme icon.
  EXPECT_TRUE(Form.windowIcon().availableSizes().contains(QSize(256, 256)));

  for (const char *Name :
       {"ActionFileSave", "ActionFileSaveAs", "ActionEditTransProperties", "ActionEditJumpPrevious",
        "ActionEditJumpNext", "ActionEditMarkItemTrans"})
    EXPECT_FALSE(ActionNamed(Form, Name)->isEnabled()) << Name;
  for (const char *Name : {"ActionFileOpen", "ActionFileExit", "ActionHelpDoc", "ActionHelpUpdates",
                           "ActionToolsOptions",
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
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
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
        TActionCase{"ActionToolsPretranslate", "&Pre-translate...",
                    QKeySequence(QStringLiteral("Ctrl+Shift+P")), "Tools Menu"},
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
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
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
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.show();
  EXPECT_TRUE(Form.close());
  EXPECT_EQ(Form.SaveCalls, 0);
}

TEST(MainForm, SwitchingToGermanRetranslatesMenusToolbarsAndStatusBar) {
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(M.RegisterLangFile(QStringLiteral(LINGROVE_SOURCE_DIR "/languages/German.lng")));
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
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

  // A window created while German is the chosen language shows German.
  Attribs->SetLanguage(1031);
  auto SecondPtr = NewForm();
  TTestMainForm &Second = *SecondPtr;
  EXPECT_EQ(Second.findChild<QMenu *>(QStringLiteral("MenuFile"))->title(),
            QStringLiteral("&Datei"));

  M.SetLanguageID(1033);
  Attribs->SetLanguage(1033);
  EXPECT_EQ(FileMenu->title(), QStringLiteral("&File"));
  EXPECT_EQ(ActionNamed(Form, "ActionFileOpen")->text(), QStringLiteral("&Open Translation"));
  EXPECT_EQ(Toolbar->windowTitle(), QStringLiteral("Standard Toolbar"));
  EXPECT_EQ(Components->text(), QStringLiteral("Components: 0"));
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  M.UnregisterLangResource(1031);
}

TEST(MainFormState, PlacementStatusBarAndToolbarsSurviveARestart) {
  Attribs->SetIsFirstRun(false);
  {
    TAppConfigIniFile Store;
    Store.EraseSection(QStringLiteral("State"));
  }
  {
    auto FormPtr = NewForm();
    TTestMainForm &Form = *FormPtr;
    Form.setGeometry(40, 50, 600, 420);
    Form.findChild<QAction *>(QStringLiteral("MenuViewStatusBar"))->setChecked(false);
    Form.findChild<QAction *>(QStringLiteral("MenuViewToolbarEdit"))->setChecked(false);
  }
  {
    TAppConfigIniFile Store;
    EXPECT_EQ(Store.ReadString(QStringLiteral("State"), QStringLiteral("WindowRight"), {}),
              QStringLiteral("640"));
    EXPECT_EQ(Store.ReadString(QStringLiteral("State"), QStringLiteral("ShowStatusBar"), {}),
              QStringLiteral("0"));
  }
  auto AgainPtr = NewForm();
  TTestMainForm &Again = *AgainPtr;
  EXPECT_EQ(Again.geometry(), QRect(40, 50, 600, 420));
  EXPECT_TRUE(Again.statusBar()->isHidden());
  EXPECT_TRUE(Again.findChild<QToolBar *>(QStringLiteral("EditToolbar"))->isHidden());
  EXPECT_FALSE(Again.findChild<QToolBar *>(QStringLiteral("StandardToolbar"))->isHidden());
  EXPECT_FALSE(Again.findChild<QAction *>(QStringLiteral("MenuViewToolbarEdit"))->isChecked());
  Again.findChild<QAction *>(QStringLiteral("MenuViewStatusBar"))->setChecked(true);
  Again.findChild<QAction *>(QStringLiteral("MenuViewToolbarEdit"))->setChecked(true);
}

TEST(MainFormState, AFirstRunStoresTheDesignedToolbarLayoutBeforeLoadingIt) {
  Attribs->SetIsFirstRun(false);
  {
    auto FormPtr = NewForm();
    TTestMainForm &Form = *FormPtr;
    Form.findChild<QAction *>(QStringLiteral("MenuViewToolbarEdit"))->setChecked(false);
  }
  Attribs->SetIsFirstRun(true);
  auto FirstRunPtr = NewForm();
  TTestMainForm &FirstRun = *FirstRunPtr;
  EXPECT_FALSE(FirstRun.findChild<QToolBar *>(QStringLiteral("EditToolbar"))->isHidden());
  Attribs->SetIsFirstRun(false);
}

TEST(MainFormState, WithoutAStoredPlacementTheWindowIsCentred) {
  {
    TAppConfigIniFile Store;
    Store.EraseSection(QStringLiteral("State"));
  }
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  const QRect Screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(qAbs(Form.geometry().center().x() - Screen.center().x()), 1);
  EXPECT_LE(qAbs(Form.geometry().center().y() - Screen.center().y()), 1);
}

TEST(MainFormState, AMaximizedWindowIsMaximizedAgain) {
  {
    TAppConfigIniFile Store;
    Store.WriteBool(QStringLiteral("State"), QStringLiteral("WindowMaximized"), true);
  }
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  EXPECT_TRUE(Form.windowState() & Qt::WindowMaximized);
  Form.setWindowState(Qt::WindowNoState);
}

TEST(MainFormLanguages, WithOnlyTheDefaultLanguageTheMenuIsDisabled) {
  ASSERT_EQ(LangManager().LanguageCount(), 1);
  Attribs->SetLanguage(1049);
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  auto *Languages = Form.findChild<QMenu *>(QStringLiteral("MenuViewLanguages"));
  EXPECT_FALSE(Languages->isEnabled());
  ASSERT_EQ(Languages->actions().size(), 1);
  EXPECT_TRUE(Languages->actions().first()->isChecked());
  EXPECT_EQ(Attribs->Language(), 1033);
}

TEST(MainFormLanguages, ClickingALanguageSwitchesAndStoresIt) {
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(M.RegisterLangFile(QStringLiteral(LINGROVE_SOURCE_DIR "/languages/Russian.lng")));
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  auto *Languages = Form.findChild<QMenu *>(QStringLiteral("MenuViewLanguages"));
  ASSERT_TRUE(Languages->isEnabled());
  ASSERT_EQ(Languages->actions().size(), 2);
  QAction *Russian = Languages->actions().at(1);
  Russian->trigger();
  EXPECT_EQ(M.LanguageID(), 1049);
  EXPECT_EQ(Attribs->Language(), 1049);
  {
    TAppConfigIniFile Store;
    EXPECT_EQ(Store.ReadString(QStringLiteral("Options"), QStringLiteral("Language"), {}),
              QStringLiteral("1049"));
  }
  EXPECT_EQ(Form.findChild<QMenu *>(QStringLiteral("MenuFile"))->title(), QStringLiteral("&Файл"));
  Languages->actions().at(0)->trigger();
  EXPECT_EQ(M.LanguageID(), 1033);
  EXPECT_EQ(Form.findChild<QMenu *>(QStringLiteral("MenuFile"))->title(), QStringLiteral("&File"));
  M.UnregisterLangResource(1049);
}

TEST(MainFormProcess, TwoInstancesRunSideBySide) {
  QProcess First, Second;
  for (QProcess *P : {&First, &Second}) {
    P->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    P->start(QStringLiteral(LINGROVE_PATH), {});
    ASSERT_TRUE(P->waitForStarted(10000));
  }
  // Both windows stay up: neither instance refuses to start or blocks the
  // other on the shared settings.
  EXPECT_FALSE(First.waitForFinished(2500));
  EXPECT_EQ(Second.state(), QProcess::Running);
  for (QProcess *P : {&First, &Second}) {
    P->terminate();
    if (!P->waitForFinished(5000)) {
      P->kill();
      P->waitForFinished(5000);
    }
  }
}

TEST(MainFormDocument, ANewTranslationOpensWithoutDifferencesAndAsksForTheLanguages) {
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(), QString());
  EXPECT_TRUE(Form.HasDocument());
  EXPECT_EQ(Form.DifferencesShown, 0);
  EXPECT_EQ(Form.PropertiesShown, 1);
  EXPECT_EQ(Form.LangIDSource(), 1033);
  EXPECT_EQ(Form.LangIDTranslation(), 0);
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  EXPECT_TRUE(ActionNamed(Form, "ActionFileSave")->isEnabled());
  // Every entry of a new translation is untranslated.
  const QString Properties = Form.findChild<QLabel *>(QStringLiteral("SBProperties"))->text();
  const QStringList Numbers = Properties.section(u' ', 1).split(u'/');
  ASSERT_EQ(Numbers.size(), 2);
  EXPECT_EQ(Numbers[0], Numbers[1]);
}

TEST(MainFormDocument, AnExistingTranslationShowsItsDifferences) {
  const TScopedAcp Acp(1251);
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                       Examples + QStringLiteral("Example.ru.lng"));
  ASSERT_EQ(Form.DifferencesShown, 1);
  EXPECT_TRUE(Form.DifferencesLog.startsWith(QStringLiteral(
      "The following entries were not found and were added to the translation:\r\n")));
  ASSERT_EQ(Form.DifferencesCounts.size(), 9);
  EXPECT_GT(Form.DifferencesCounts[3], 0); // an obsolete form was removed
  EXPECT_EQ(Form.PropertiesShown, 0);
  EXPECT_EQ(Form.LangIDTranslation(), 1049);
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Example.ru.lng - Lingrove"));
}

TEST(MainFormDocument, AMalformedTranslationLeavesNoDocumentAndRaises) {
  QTemporaryDir Dir;
  QFile Bad(Dir.filePath(QStringLiteral("bad.lng")));
  ASSERT_TRUE(Bad.open(QIODevice::WriteOnly));
  Bad.write("LANGID=1031\r\n[Form1]\r\n00000001=a\r\n00000001=b\r\n");
  Bad.close();
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(), QString());
  ASSERT_TRUE(Form.HasDocument());
  try {
    Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(), Bad.fileName());
    FAIL() << "no error";
  } catch (const Exception &E) {
    // The file's path comes first, then the loader's message.
    EXPECT_EQ(E.Message(),
              Bad.fileName() + QStringLiteral("\r\n\r\nLoading translations failed.\r\nLine 4: "
                                              "Duplicate property value translation ID (1)"));
  }
  EXPECT_FALSE(Form.HasDocument());
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
}

TEST(MainFormDocument, TheGridJumpsToUntranslatedEntriesAndMarksThemTranslated) {
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                       Examples + QStringLiteral("Example.de.lng"));
  auto *Tree = Form.findChild<QTreeView *>(QStringLiteral("MainStringTree"));
  ASSERT_TRUE(Tree->isVisibleTo(&Form));
  auto *Properties = Form.findChild<QLabel *>(QStringLiteral("SBProperties"));
  const QString Before = Properties->text();
  ActionNamed(Form, "ActionEditJumpNext")->trigger();
  const QModelIndex Found = Tree->currentIndex();
  ASSERT_TRUE(Found.isValid());
  EXPECT_EQ(Found.sibling(Found.row(), 3).data(Qt::DecorationRole).isNull(), false);
  EXPECT_TRUE(ActionNamed(Form, "ActionEditMarkItemTrans")->isEnabled());
  ActionNamed(Form, "ActionEditMarkItemTrans")->trigger();
  EXPECT_TRUE(Form.Modified());
  EXPECT_NE(Properties->text(), Before);
  EXPECT_FALSE(ActionNamed(Form, "ActionEditMarkItemTrans")->isEnabled());
  EXPECT_TRUE(Form.windowTitle().startsWith(QStringLiteral("Example.de.lng*")));
}

TEST(MainFormDocument, TypingInTheMemoSetsEverySelectedEntryAndCopyPasteUseTheGrid) {
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.show();
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                       Examples + QStringLiteral("Example.de.lng"));
  auto *Tree = Form.findChild<QTreeView *>(QStringLiteral("MainStringTree"));
  auto *Memo = Form.findChild<QPlainTextEdit *>(QStringLiteral("TranslationValueMemo"));
  const QModelIndex First = Tree->model()->index(0, 0, Tree->model()->index(0, 0));
  const QModelIndex Second = Tree->model()->index(1, 0, Tree->model()->index(0, 0));
  Tree->selectionModel()->select(First,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Tree->selectionModel()->select(Second, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  ASSERT_TRUE(Memo->isEnabled());
  Memo->setFocus();
  Memo->selectAll();
  QTest::keyClicks(Memo, QStringLiteral("Neu"));
  EXPECT_EQ(First.siblingAtColumn(3).data().toString(), QStringLiteral("Neu"));
  EXPECT_EQ(Second.siblingAtColumn(3).data().toString(), QStringLiteral("Neu"));
  EXPECT_TRUE(Form.Modified());

  // Copy from the grid's focused row, paste into another.
  Tree->setFocus();
  Tree->setCurrentIndex(First);
  QApplication::processEvents();
  ASSERT_TRUE(ActionNamed(Form, "ActionEditCopy")->isEnabled());
  ActionNamed(Form, "ActionEditCopy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Neu"));
  const QModelIndex Third = Tree->model()->index(2, 0, Tree->model()->index(0, 0));
  Tree->setCurrentIndex(Third);
  QGuiApplication::clipboard()->setText(QStringLiteral("A\\tB"));
  ActionNamed(Form, "ActionEditPaste")->trigger();
  // Paste stores the clipboard's text as it is, as Copy gave it.
  EXPECT_EQ(Third.siblingAtColumn(3).data().toString(), QStringLiteral("A\\\\tB"));
  EXPECT_EQ(Memo->toPlainText(), QStringLiteral("A\\tB"));
}

struct TSaveCase {
  const char *Name;
  bool ChooseUnicode;
  QMessageBox::StandardButton Answer; // NoButton: no prompt expected
  bool ExpectSaved;
  bool ExpectUnicode;
};

class MainFormSave : public testing::TestWithParam<TSaveCase> {};

TEST_P(MainFormSave, EncodingPromptDecidesTheWrittenEncoding) {
  QTemporaryDir Dir;
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.RealSave = true;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                       Examples + QStringLiteral("Example.de.lng"));
  Form.SetModified(true);
  Form.SavePath = Dir.filePath(QStringLiteral("out.lng"));
  Form.SaveUnicode = GetParam().ChooseUnicode;
  QString Text;
  if (GetParam().Answer != QMessageBox::NoButton)
    AnswerNextMessageBox(GetParam().Answer, &Text);
  EXPECT_EQ(Form.SaveTranslation(true), GetParam().ExpectSaved);
  EXPECT_TRUE(Form.ProposedUnicode); // the German translation was read as UTF-16
  QFile Out(Form.SavePath);
  EXPECT_EQ(Out.exists(), GetParam().ExpectSaved);
  if (!GetParam().ExpectSaved) {
    EXPECT_TRUE(Form.Modified());
    return;
  }
  ASSERT_TRUE(Out.open(QIODevice::ReadOnly));
  EXPECT_EQ(Out.read(2) == QByteArray("\xFF\xFE"), GetParam().ExpectUnicode);
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("out.lng - Lingrove"));
  EXPECT_EQ(LoadMRUList(mruTranslation).value(0), Form.SavePath);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormSave,
    testing::Values(TSaveCase{"UnicodeNoPrompt", true, QMessageBox::NoButton, true, true},
                    TSaveCase{"AnsiYesSwitchesToUnicode", false, QMessageBox::Yes, true, true},
                    TSaveCase{"AnsiNoKeepsAnsi", false, QMessageBox::No, true, false},
                    TSaveCase{"AnsiCancel", false, QMessageBox::Cancel, false, false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainFormDocument, UntranslatedEntriesAreLeftOutAndComeBackOnReopening) {
  QTemporaryDir Dir;
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.RealSave = true;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                       Examples + QStringLiteral("Example.de.lng"));
  Form.SavePath = Dir.filePath(QStringLiteral("de.lng"));
  Form.SaveUnicode = true;
  ASSERT_TRUE(Form.SaveTranslation(true));
  TZrLang_CompTranslations Saved;
  Saved.Text_LoadFromFile(Form.SavePath, false);
  EXPECT_EQ(Saved.Params().Values(u"Generator"), QStringLiteral("Brisel Solutions Lingrove 2.0.0"));
  EXPECT_EQ(Saved.Params().Values(u"LANGID"), QStringLiteral("1031"));
  const int Added = Form.DifferencesCounts.value(1);
  ASSERT_GT(Added, 0);
  Form.DifferencesShown = 0;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(), Form.SavePath);
  EXPECT_EQ(Form.DifferencesShown, 1);
  EXPECT_EQ(Form.DifferencesCounts.value(1), Added);
  EXPECT_EQ(Form.DifferencesCounts.value(4), 0);
}

} // namespace
