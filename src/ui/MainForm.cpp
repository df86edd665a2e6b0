#include "MainForm.h"

#include "AboutDialog.h"
#include "Action.h"
#include "AppAttribs.h"
#include "AppMRUList.h"
#include "BackgroundComparer.h"
#include "BackgroundDisposal.h"
#include "CodePages.h"
#include "CommonTypes.h"
#include "CompEntries.h"
#include "CoreApplication.h"
#include "DifferencesDialog.h"
#include "EntryNavigation.h"
#include "EntryTreeDelegate.h"
#include "DocumentProblems.h"
#include "DiskChangeBar.h"
#include "DocumentFileWatch.h"
#include "DocumentReader.h"
#include "DocumentRecovery.h"
#include "EntryTreeModel.h"
#include "EntryTreeView.h"
#include "Exceptions.h"
#include "EntrySearch.h"
#include "FilterBar.h"
#include "FindBar.h"
#include "Images.h"
#include "LangSource.h"
#include "LanguageController.h"
#include "LanguageFolders.h"
#include "LanguageManager.h"
#include "Languages.h"
#include "ManualHelp.h"
#include "OpenFilesDialog.h"
#include "OptionsDialog.h"
#include "ProgramIcon.h"
#include "RecentProjects.h"
#include "SpellingHighlighter.h"
#include "SpellingMenu.h"
#include "SpellingSession.h"
#include "TransPropsDialog.h"
#include "DocumentMemory.h"
#include "TranslationDocument.h"
#include "UndoStackHistory.h"
#include "TranslationMemory.h"
#include "TranslationSupport.h"
#include "Translations.h"
#include "UIGuard.h"
#include "UpdateTransfer.h"
#include "WebUpdate.h"

#include <QActionGroup>
#include <QUrl>
#include <QDropEvent>
#include <QDragEnterEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextBlock>
#include <QTextDocument>
#include <QUndoStack>
#include <functional>
#include <limits>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString SectionName = QStringLiteral("Application.MainForm");

// Masks of properties the controller never translates: values the window
// sets itself (title, status texts, memo contents), values Qt derives from
// others (an action's tooltip, status tip and icon text follow its hint and
// caption), the action categories, and the undo and redo captions, which
// name the step they take.
const QStringList IgnoreMasks = {
    QStringLiteral("*.CaptionText"),
    QStringLiteral("ActionEditRedo.text"),
    QStringLiteral("ActionEditUndo.text"),
    QStringLiteral("*.Category"),
    QStringLiteral("*.currentText"),
    QStringLiteral("DockPanel*.Toolbar.Caption"),
    QStringLiteral("SBComponents.*"),
    QStringLiteral("SBConstants.*"),
    QStringLiteral("SBProperties.*"),
    QStringLiteral("StatusBar.*"),
    QStringLiteral("WebUpdate.*"),
    QStringLiteral(".windowTitle"),
    QStringLiteral("*.toolTip"),
    QStringLiteral("*.statusTip"),
    QStringLiteral("*.iconText"),
    QStringLiteral("*.plainText"),
    QStringLiteral("*Suggestion*"),
};
const QStringList StoreMasks = {QStringLiteral("MainStringTree.Header.Columns*")};

// A modal message box over Owner; returns the button pressed.
int AskUser(QWidget *Owner, QMessageBox::Icon Icon, const QString &Caption, const QString &Text,
            QMessageBox::StandardButtons Buttons) {
  QMessageBox Box(Icon, Caption, Text, Buttons, Owner);
  return Box.exec();
}

// A save's question about its encoding: Yes switches bUnicode to YesUnicode,
// No keeps it, Cancel (false) stops the save.
bool AskEncoding(QWidget *Owner, const QString &Text, bool YesUnicode, bool &bUnicode) {
  switch (AskUser(Owner, QMessageBox::Warning, LangConstant(u"SCaptionEncodingConfict"), Text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
  case QMessageBox::Yes:
    bUnicode = YesUnicode;
    return true;
  case QMessageBox::No:
    return true;
  default:
    return false;
  }
}

QLabel *NewStatusLabel(QWidget *Parent, const char *Name, const QString &Hint) {
  auto *Label = new QLabel(Parent);
  Label->setObjectName(QLatin1StringView(Name));
  Label->setMinimumWidth(110);
  Label->setContentsMargins(6, 0, 6, 0);
  Label->setToolTip(Hint);
  Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return Label;
}

} // namespace

TUIMainForm::TUIMainForm(QWidget *Parent) : TMainForm(Parent) {
  auto History = std::make_unique<TUndoStackHistory>();
  FUndoStack = &History->Stack();
  FDocument = std::make_unique<TTranslationDocument>(std::move(History));
  setObjectName(QStringLiteral("UIMainForm"));
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);
  resize(784, 562);
  CreateActions();
  CreateMenus();
  CreateToolbars();
  CreateCentralArea();
  CreateFilterBar();
  CreateDiskChangeBar();
  CreateFindBar();
  CreateStatusBar();
  CreateProgressPanel();
  CreateLangController();
  CreateSuggestions();
  connect(FDocument.get(), &TTranslationDocument::MemoryFailed, this,
          [this](const QString &Message) { statusBar()->showMessage(Message); });
}

TTranslationMemory *TUIMainForm::TranslationMemory() {
  if (!FMemoryOpened) {
    FMemoryOpened = true;
    try {
      FMemory = std::make_unique<TTranslationMemory>(MemoryPath());
    } catch (const ETranslationMemoryError &E) {
      statusBar()->showMessage(E.Message());
    }
  }
  return FMemory.get();
}

void TUIMainForm::Construct() {
  TMainForm::Construct();
  QTimer::singleShot(0, this, [this] { ApplicationIdle(); });
  BuildLanguageMenu();
  AppendLingroveToAbout();
  UpdateCaption();
  UpdateStatusBar();
  UpdateActions();
  LoadWindowState();
}

TUIMainForm::~TUIMainForm() {
  FIsDestroying = true;
  // A comparison's worker reads the document, which goes below.
  FComparer->Cancel();
  FComparer->Wait();
  // The widgets go after this body; nothing may reach the window meanwhile.
  disconnect(qApp, nullptr, this, nullptr);
  TranslationValueMemo->disconnect(this);
  MainStringTree->selectionModel()->disconnect(this);
  CloseTranslation();
  SaveWindowState();
}

TAction *TUIMainForm::NewAction(const char *Name, const QString &Caption,
                                const QKeySequence &Shortcut, const QString &Hint,
                                const QString &Category, int ImageIndex) {
  auto *A = new TAction(Caption, this);
  A->setObjectName(QLatin1StringView(Name));
  A->setShortcut(Shortcut);
  A->SetHint(Hint);
  A->SetCategory(Category);
  A->setIcon(ImageListIcon(ImageIndex));
  // Menus show the caption and the shortcut; the hint goes to the status bar.
  A->setShortcutVisibleInContextMenu(true);
  addAction(A);
  return A;
}

void TUIMainForm::CreateActions() {
  const QString File = QStringLiteral("File Menu");
  const QString Edit = QStringLiteral("Edit Menu");
  const QString View = QStringLiteral("View Menu");
  const QString Tools = QStringLiteral("Tools Menu");
  const QString Help = QStringLiteral("Help Menu");
  ActionFileOpen = NewAction(
      "ActionFileOpen", QStringLiteral("&Open Translation"), QKeySequence(Qt::CTRL | Qt::Key_O),
      QStringLiteral("Create a new translation or open an existing one"), File, iiOpen);
  ActionFileSave =
      NewAction("ActionFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
                QStringLiteral("Save the current translation"), File, iiSave);
  ActionFileSaveAs = NewAction(
      "ActionFileSaveAs", QStringLiteral("Save &As"), {},
      QStringLiteral("Save the current translation with a different file name"), File, iiSaveAs);
  ActionFileExport = NewAction(
      "ActionFileExport", QStringLiteral("&Export..."), {},
      QStringLiteral("Write the translation's entries to an XLIFF file for CAT tools or a "
                     "PO file for gettext"),
      File, iiExport);
  ActionFileImport = NewAction(
      "ActionFileImport", QStringLiteral("&Import..."), {},
      QStringLiteral("Take the translations of an XLIFF or PO file into the translation"), File,
      iiImport);
  ActionFileExit = NewAction(
      "ActionFileExit", QStringLiteral("E&xit"), {},
      QStringLiteral("Exit the application; Will prompt to save any unsaved work"), File, iiExit);
  ActionEditUndo =
      NewAction("ActionEditUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                QStringLiteral("Undo the last change to the translation"), Edit, iiUndo);
  ActionEditRedo = NewAction("ActionEditRedo", QStringLiteral("&Redo"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                             QStringLiteral("Redo the change last undone"), Edit, iiRedo);
  ActionEditRedo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  ActionEditCopySource = NewAction(
      "ActionEditCopySource", QStringLiteral("Copy &Source to Translation"),
      QKeySequence(Qt::CTRL | Qt::Key_B),
      QStringLiteral("Put the source value into the selected entries' translations"), Edit,
      iiCopySource);
  ActionEditGoTo = NewAction(
      "ActionEditGoTo", QStringLiteral("&Go to ID..."), QKeySequence(Qt::CTRL | Qt::Key_G),
      QStringLiteral("Go to a property by its ID or to a constant by its name"), Edit, iiGoTo);
  ActionEditCut =
      NewAction("ActionEditCut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X),
                QStringLiteral("Cut the selection and put it on the clipboard"), Edit, iiCut);
  ActionEditCopy =
      NewAction("ActionEditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
                QStringLiteral("Copy the selection and put it on the clipboard"), Edit, iiCopy);
  ActionEditPaste =
      NewAction("ActionEditPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
                QStringLiteral("Paste the current clipboard contents"), Edit, iiPaste);
  ActionEditMarkItemTrans = NewAction(
      "ActionEditMarkItemTrans", QStringLiteral("&Mark Item Translated"),
      QKeySequence(Qt::CTRL | Qt::Key_Return),
      QStringLiteral("Mark the selected entry as being translated"), Edit, iiMarkTranslated);
  ActionEditPreviousItem = NewAction("ActionEditPreviousItem", QStringLiteral("Pre&vious Item"),
                                     QKeySequence(Qt::CTRL | Qt::Key_Up), {}, Edit, iiPreviousItem);
  ActionEditNextItem = NewAction("ActionEditNextItem", QStringLiteral("&Next Item"),
                                 QKeySequence(Qt::CTRL | Qt::Key_Down), {}, Edit, iiNextItem);
  ActionEditJumpPrevious =
      NewAction("ActionEditJumpPrevious", QStringLiteral("&Previous Untranslated Item"),
                QKeySequence(Qt::ALT | Qt::Key_Up), {}, Edit, iiPreviousUntranslated);
  ActionEditJumpNext =
      NewAction("ActionEditJumpNext", QStringLiteral("&Next Untranslated Item"),
                QKeySequence(Qt::ALT | Qt::Key_Down), {}, Edit, iiNextUntranslated);
  ActionEditPreviousProblem =
      NewAction("ActionEditPreviousProblem", QStringLiteral("Previous Pro&blem"),
                QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Up),
                QStringLiteral("Go to the previous entry with an error or a warning"), Edit,
                iiPreviousProblem);
  ActionEditNextProblem =
      NewAction("ActionEditNextProblem", QStringLiteral("Next Prob&lem"),
                QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Down),
                QStringLiteral("Go to the next entry with an error or a warning"), Edit,
                iiNextProblem);
  ActionEditIgnoreProblem = NewAction(
      "ActionEditIgnoreProblem", QStringLiteral("&Ignore This Problem"), {},
      QStringLiteral("Stop showing the problems of the selected entry until its text changes"),
      Edit, iiIgnoreProblem);
  ActionEditShowIgnoredProblems = NewAction(
      "ActionEditShowIgnoredProblems", QStringLiteral("Show Ignored Problems &Again"), {},
      QStringLiteral("Show the problems ignored in the selected entry again"), Edit,
      iiShowIgnoredProblems);
  ActionEditTransProperties =
      NewAction("ActionEditTransProperties", QStringLiteral("Translation Properties"),
                QKeySequence(Qt::ALT | Qt::Key_Return),
                QStringLiteral("View or modify the translation properties"), Edit, iiProperties);
  ActionViewExpandAll =
      NewAction("ActionViewExpandAll", QStringLiteral("Expand All"), {}, {}, View, iiExpandAll);
  ActionViewCollapseAll = NewAction("ActionViewCollapseAll", QStringLiteral("Collapse All"), {}, {},
                                    View, iiCollapseAll);
  ActionToolsOptions =
      NewAction("ActionToolsOptions", QStringLiteral("Options"), {},
                QStringLiteral("View or modify the applications settings"), Tools, iiOptions);
  CreateMemoryActions();
  ActionHelpDoc = NewAction("ActionHelpDoc", QStringLiteral("Lingrove &Documentation"), {},
                            QStringLiteral("Show Lingrove Documentation"), Help, iiDocumentation);
  ActionHelpUpdates = NewAction("ActionHelpUpdates", QStringLiteral("Check for &Updates"), {},
                                QStringLiteral("Check for updates"), Help, iiUpdates);
  ActionHelpAbout = NewAction("ActionHelpAbout", QStringLiteral("About"), {}, {}, Help, iiAbout);
  ActionEditMarkItemTrans->setPriority(QAction::HighPriority);

  connect(ActionFileOpen, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { OpenTranslation(); }); });
  connect(ActionFileSave, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { SaveTranslation(false); }); });
  connect(ActionFileSaveAs, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { SaveTranslation(true); }); });
  connect(ActionFileExport, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { ExportTranslation(); }); });
  connect(ActionFileImport, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { ImportTranslation(); }); });
  connect(ActionFileExit, &QAction::triggered, this, &QWidget::close);
  connect(ActionEditTransProperties, &QAction::triggered, this, [this] {
    TUIGuard::Run(this, [this] {
      if (EditTranslationProperties())
        SetModified(true);
    });
  });
  connect(ActionEditUndo, &QAction::triggered, this, [this] {
    CommitPendingEdit();
    FUndoStack->undo();
  });
  connect(ActionEditRedo, &QAction::triggered, this, [this] {
    CommitPendingEdit();
    FUndoStack->redo();
  });
  connect(ActionEditCopySource, &QAction::triggered, this, [this] { CopySourceToTranslation(); });
  connect(ActionEditGoTo, &QAction::triggered, this, [this] { GoToEntry(); });
  connect(FUndoStack, &QUndoStack::indexChanged, this, [this] { UpdateUndoActions(); });
  connect(FUndoStack, &QUndoStack::cleanChanged, this, [this] { UpdateUndoActions(); });
  connect(FDocument.get(), &TTranslationDocument::ModifiedChanged, this,
          [this] { UpdateCaption(); });
  connect(ActionEditNextItem, &QAction::triggered, this,
          [this] { GoTo(NextEntryItem(*FTreeModel, MainStringTree->currentIndex())); });
  connect(ActionEditPreviousItem, &QAction::triggered, this,
          [this] { GoTo(PreviousEntryItem(*FTreeModel, MainStringTree->currentIndex())); });
  connect(ActionEditJumpNext, &QAction::triggered, this,
          [this] { GoTo(NextUntranslatedItem(*FTreeModel, MainStringTree->currentIndex())); });
  connect(ActionEditJumpPrevious, &QAction::triggered, this,
          [this] { GoTo(PreviousUntranslatedItem(*FTreeModel, MainStringTree->currentIndex())); });
  connect(ActionEditNextProblem, &QAction::triggered, this, [this] {
    GoTo(ProblemItem(*FTreeModel, *FProblems, MainStringTree->currentIndex(), true));
  });
  connect(ActionEditPreviousProblem, &QAction::triggered, this, [this] {
    GoTo(ProblemItem(*FTreeModel, *FProblems, MainStringTree->currentIndex(), false));
  });
  connect(ActionEditIgnoreProblem, &QAction::triggered, this, [this] {
    const int Position = CurrentEntryPosition();
    if (Position >= 0)
      FDocument->IgnoreProblems(Position, FProblems->Problems(Position));
  });
  connect(ActionEditShowIgnoredProblems, &QAction::triggered, this, [this] {
    const int Position = CurrentEntryPosition();
    if (Position >= 0)
      FDocument->StopIgnoringProblems(Position);
  });
  connect(ActionEditMarkItemTrans, &QAction::triggered, this, [this] {
    if (FUpdatingEntryProperties)
      return;
    // An automatically translated entry stays marked as such.
    FTreeModel->ChangeEntryStates(SelectedEntries(), {}, {zrtsUntranslated},
                                  LangConstant(u"SUndoMarkTranslated"));
    MainStringTree->viewport()->update();
  });
  connect(ActionEditCopy, &QAction::triggered, this, [this] { EditCopy(); });
  connect(ActionEditCut, &QAction::triggered, this, [this] { EditCut(); });
  connect(ActionEditPaste, &QAction::triggered, this, [this] { EditPaste(); });
  connect(ActionViewExpandAll, &QAction::triggered, this, [this] { MainStringTree->expandAll(); });
  connect(ActionViewCollapseAll, &QAction::triggered, this,
          [this] { MainStringTree->collapseAll(); });
  connect(ActionHelpDoc, &QAction::triggered, this, [this] {
    TUIGuard::Run(this, [] { ShowManualTopic(QString::fromUtf16(ManualStartTopic)); });
  });
  connect(ActionHelpUpdates, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { CheckForUpdates(); }); });
  connect(ActionHelpAbout, &QAction::triggered, this,
          [this] { TUIGuard::Run(this, [this] { TUIAboutDialog::Execute(this); }); });
  connect(ActionToolsOptions, &QAction::triggered, this, [this] {
    CommitPendingEdit();
    TUIOptionsDialog::Execute(this, FSpelling->Tag(), [this] { ApplyOptions(); });
  });
}

void TUIMainForm::CreateMenus() {
  QMenuBar *Bar = menuBar();
  Bar->setObjectName(QStringLiteral("MainMenu"));

  QMenu *File = Bar->addMenu(QStringLiteral("&File"));
  File->setObjectName(QStringLiteral("MenuFile"));
  File->addAction(ActionFileOpen);
  File->addSeparator();
  File->addAction(ActionFileSave);
  File->addAction(ActionFileSaveAs);
  File->addSeparator();
  File->addAction(ActionFileImport);
  File->addAction(ActionFileExport);
  File->addSeparator();
  MenuRecentProjects = File->addMenu(QStringLiteral("Recent &Projects"));
  MenuRecentProjects->setObjectName(QStringLiteral("MenuRecentProjects"));
  connect(File, &QMenu::aboutToShow, this, [this] { BuildRecentProjectsMenu(); });
  File->addSeparator();
  File->addAction(ActionFileExit);

  QMenu *Edit = Bar->addMenu(QStringLiteral("&Edit"));
  Edit->setObjectName(QStringLiteral("MenuEdit"));
  Edit->addActions({ActionEditUndo, ActionEditRedo});
  Edit->addSeparator();
  Edit->addActions({ActionEditCut, ActionEditCopy, ActionEditPaste});
  Edit->addSeparator();
  Edit->addActions({ActionEditMarkItemTrans, ActionEditCopySource});
  Edit->addSeparator();
  Edit->addActions({ActionEditPreviousItem, ActionEditNextItem, ActionEditGoTo});
  Edit->addSeparator();
  MenuJumpTo = Edit->addMenu(QStringLiteral("Jump To"));
  MenuJumpTo->setObjectName(QStringLiteral("MenuJumpTo"));
  MenuJumpTo->addActions({ActionEditJumpPrevious, ActionEditJumpNext});
  Edit->addActions({ActionEditPreviousProblem, ActionEditNextProblem, ActionEditIgnoreProblem,
                    ActionEditShowIgnoredProblems});
  Edit->addSeparator();
  Edit->addAction(ActionEditTransProperties);
  connect(Edit, &QMenu::aboutToShow, this,
          [this] { MenuJumpTo->menuAction()->setEnabled(HasDocument()); });

  QMenu *View = Bar->addMenu(QStringLiteral("&View"));
  View->setObjectName(QStringLiteral("MenuView"));
  auto *StatusBarItem = new TAction(QStringLiteral("St&atus Bar"), View);
  StatusBarItem->setObjectName(QStringLiteral("MenuViewStatusBar"));
  StatusBarItem->SetHint(QStringLiteral("Show or hide the status bar"));
  View->addAction(StatusBarItem);
  MenuViewStatusBar = StatusBarItem;
  MenuViewStatusBar->setCheckable(true);
  MenuViewStatusBar->setChecked(true);
  connect(MenuViewStatusBar, &QAction::toggled, this,
          [this](bool On) { statusBar()->setVisible(On); });
  View->addSeparator();
  auto *Toolbars = new TMenu(QStringLiteral("Toolba&rs"), View);
  Toolbars->setObjectName(QStringLiteral("MenuViewToolbars"));
  Toolbars->SetHint(QStringLiteral("Show or hide the toolbars"));
  View->addMenu(Toolbars);
  View->addSeparator();
  auto *Languages = new TMenu(QStringLiteral("&Languages"), View);
  Languages->setObjectName(QStringLiteral("MenuViewLanguages"));
  Languages->SetHint(QStringLiteral("Select a language to display the application in"));
  View->addMenu(Languages);
  MenuLanguages = Languages;

  QMenu *Tools = Bar->addMenu(QStringLiteral("&Tools"));
  Tools->setObjectName(QStringLiteral("MenuTools"));
  Tools->addActions({ActionToolsPretranslate, ActionToolsOptions});

  QMenu *Help = Bar->addMenu(QStringLiteral("&Help"));
  Help->setObjectName(QStringLiteral("MenuHelp"));
  Help->addAction(ActionHelpDoc);
  Help->addSeparator();
  Help->addActions({ActionHelpUpdates, ActionHelpAbout});
}

void TUIMainForm::CreateToolbars() {
  StandardToolbar = addToolBar(QStringLiteral("Standard Toolbar"));
  StandardToolbar->setObjectName(QStringLiteral("StandardToolbar"));
  StandardToolbar->addAction(ActionFileOpen);
  StandardToolbar->addSeparator();
  StandardToolbar->addActions({ActionFileSave, ActionFileSaveAs});

  EditToolbar = addToolBar(QStringLiteral("Edit Toolbar"));
  EditToolbar->setObjectName(QStringLiteral("EditToolbar"));
  EditToolbar->addActions({ActionEditCut, ActionEditCopy, ActionEditPaste});
  EditToolbar->addSeparator();
  EditToolbar->addActions({ActionEditJumpNext, ActionEditJumpPrevious});
  EditToolbar->addSeparator();
  EditToolbar->addAction(ActionEditMarkItemTrans);
  EditToolbar->addSeparator();
  EditToolbar->addAction(ActionEditTransProperties);
  // Mark Item Translated shows its caption beside its icon.
  EditToolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (QAction *A : EditToolbar->actions())
    if (A != ActionEditMarkItemTrans && !A->isSeparator())
      A->setPriority(QAction::LowPriority);

  for (QToolBar *T : {StandardToolbar, EditToolbar}) {
    T->setFloatable(false);
    T->setAllowedAreas(Qt::TopToolBarArea);
    T->setIconSize(QSize(16, 16));
  }

  QMenu *Toolbars = findChild<QMenu *>(QStringLiteral("MenuViewToolbars"));
  for (auto [Toolbar, Name, Caption, Hint] :
       {std::tuple{StandardToolbar, "MenuViewToolbarStandard", QStringLiteral("&Standard"),
                   QStringLiteral("Show or hide the Standard toolbar")},
        std::tuple{EditToolbar, "MenuViewToolbarEdit", QStringLiteral("&Edit"),
                   QStringLiteral("Show or hide the Edit toolbar")}}) {
    auto *Item = new TAction(Caption, Toolbars);
    Item->setObjectName(QLatin1StringView(Name));
    Item->SetHint(Hint);
    Toolbars->addAction(Item);
    Item->setCheckable(true);
    Item->setChecked(true);
    QToolBar *T = Toolbar;
    connect(Item, &QAction::toggled, T, &QWidget::setVisible);
    connect(T, &QToolBar::visibilityChanged, Item, [Item, T] {
      if (!T->window()->isMinimized())
        Item->setChecked(T->isVisibleTo(T->window()));
    });
  }
}

void TUIMainForm::CreateCentralArea() {
  auto *Splitter = new QSplitter(Qt::Vertical, this);
  Splitter->setObjectName(QStringLiteral("MainSplitter"));
  Splitter->setChildrenCollapsible(false);

  MainStringTree = new TEntryTreeView(Splitter);
  MainStringTree->setObjectName(QStringLiteral("MainStringTree"));
  FTreeModel = new TEntryTreeModel(this);
  FSpelling = new TSpellingSession(this);
  FProblems = new TDocumentProblems(this);
  FRecovery = new TDocumentRecovery(RecoveryFolder(), this);
  ApplyRecoveryDelay();
  FRecovery->Attach(FDocument.get());
  // Words added or ignored take their problems away.
  connect(FSpelling, &TSpellingSession::Changed, FProblems, &TDocumentProblems::RecheckSpelling);
  FTreeModel->SetProblems(FProblems);
  connect(FProblems, &TDocumentProblems::ProblemsChanged, this, [this] {
    UpdateStatusBar();
    UpdateIgnoreProblemActions();
  });
  MainStringTree->setModel(FTreeModel);
  TEntryTreeDelegate::Install(*MainStringTree)->SetSpelling(FSpelling);
  MainStringTree->header()->setStretchLastSection(true);
  MainStringTree->header()->resizeSection(0, 260);
  MainStringTree->header()->resizeSection(1, 80);
  MainStringTree->header()->resizeSection(2, 260);
  connect(FTreeModel, &TEntryTreeModel::EntriesChanged, this, [this] {
    if (!FSettingTextFromEditor)
      UpdateCurrentEntryEditor();
    UpdateEntryProperties();
    UpdateStatusBar();
  });
  connect(MainStringTree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    UpdateCurrentEntryEditor();
    UpdateActions();
  });
  connect(MainStringTree->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    UpdateEntryProperties();
    UpdateCurrentEntryEditor();
  });
  MainStringTree->setContextMenuPolicy(Qt::ActionsContextMenu);
  MainStringTree->addActions({ActionEditCut, ActionEditCopy, ActionEditPaste});
  MainStringTree->addAction(new QAction(MainStringTree));
  MainStringTree->actions().last()->setSeparator(true);
  MainStringTree->addActions(
      {ActionEditMarkItemTrans, ActionEditIgnoreProblem, ActionEditShowIgnoredProblems});
  MainStringTree->addAction(new QAction(MainStringTree));
  MainStringTree->actions().last()->setSeparator(true);
  MainStringTree->addAction(ActionEditTransProperties);
  MainStringTree->addAction(new QAction(MainStringTree));
  MainStringTree->actions().last()->setSeparator(true);
  MainStringTree->addActions({ActionViewExpandAll, ActionViewCollapseAll});

  // Before a document is open the grid is hidden; a blank panel keeps the
  // splitter's upper part.
  auto *Placeholder = new QWidget(Splitter);
  Placeholder->setObjectName(QStringLiteral("TreePlaceholder"));
  Placeholder->setBackgroundRole(QPalette::Dark);

  auto *Bottom = new QSplitter(Qt::Horizontal, Splitter);
  Bottom->setObjectName(QStringLiteral("ValueSplitter"));
  Bottom->setChildrenCollapsible(false);
  const auto AddMemo = [Bottom](const char *LabelName, const QString &Caption,
                                const char *MemoName) {
    auto *Panel = new QWidget(Bottom);
    auto *Layout = new QVBoxLayout(Panel);
    Layout->setContentsMargins(4, 4, 4, 4);
    Layout->setSpacing(3);
    auto *Label = new QLabel(Caption, Panel);
    Label->setObjectName(QLatin1StringView(LabelName));
    auto *Memo = new QPlainTextEdit(Panel);
    Memo->setObjectName(QLatin1StringView(MemoName));
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label->setBuddy(Memo);
    Layout->addWidget(Label);
    Layout->addWidget(Memo);
    return Memo;
  };
  SourceValueMemo = AddMemo("SourceValueLabel", QStringLiteral("Source Value:"), "SourceValueMemo");
  SourceValueMemo->setReadOnly(true);
  TranslationValueMemo = AddMemo("TranslationValueLabel", QStringLiteral("Translation Value:"),
                                 "TranslationValueMemo");
  SourceValueMemo->setEnabled(false);
  TranslationValueMemo->setEnabled(false);
  connect(TranslationValueMemo, &QPlainTextEdit::textChanged, this,
          [this] { TranslationMemoChanged(); });
  new TSpellingHighlighter(TranslationValueMemo->document(), *FSpelling);
  TranslationValueMemo->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(TranslationValueMemo, &QWidget::customContextMenuRequested, this,
          &TUIMainForm::ShowMemoContextMenu);
  TranslationValueMemo->installEventFilter(this);
  connect(TranslationValueMemo, &QPlainTextEdit::selectionChanged, this,
          [this] { UpdateClipboardActions(); });
  connect(qApp, &QApplication::focusChanged, this, [this] { UpdateClipboardActions(); });

  Splitter->setStretchFactor(0, 1);
  Splitter->setStretchFactor(1, 1);
  Splitter->setStretchFactor(2, 0);
  Splitter->setSizes({400, 400, 153});
  MainStringTree->hide();
  setCentralWidget(Splitter);
}

void TUIMainForm::CreateFilterBar() {
  auto *Splitter = static_cast<QSplitter *>(centralWidget());
  FilterBar = new TFilterBar(*FTreeModel, *MainStringTree, Splitter);
  FilterBar->setObjectName(QStringLiteral("FilterBar"));
  const int GridIndex = Splitter->indexOf(MainStringTree);
  Splitter->insertWidget(GridIndex, FilterBar);
  Splitter->setStretchFactor(GridIndex, 0);
  // The bar keeps its height; the handle below it does not move.
  Splitter->handle(GridIndex + 1)->setEnabled(false);
  FilterBar->hide();

  ActionViewFilter = NewAction(
      "ActionViewFilter", QStringLiteral("&Filter"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
      QStringLiteral("Show only the entries with a text in their name or values, or in a state"),
      QStringLiteral("View Menu"), iiFilter);
  ActionViewFilter->setEnabled(false);
  QMenu *View = findChild<QMenu *>(QStringLiteral("MenuView"));
  QAction *First = View->actions().value(0);
  View->insertAction(First, ActionViewFilter);
  View->insertSeparator(First);
  connect(ActionViewFilter, &QAction::triggered, FilterBar, &TFilterBar::FocusText);

  // Left of the counts, shown while a filter is.
  SBFilter = new QLabel(statusBar());
  SBFilter->setObjectName(QStringLiteral("SBFilter"));
  SBFilter->setContentsMargins(6, 0, 6, 0);
  statusBar()->addPermanentWidget(SBFilter);
  SBFilter->hide();

  connect(FilterBar, &TFilterBar::Applied, this, [this] {
    UpdateCurrentEntryEditor();
    UpdateActions();
  });
  connect(FTreeModel, &QAbstractItemModel::modelReset, this, [this] { UpdateFilterStatus(); });
}

void TUIMainForm::CreateFindBar() {
  auto *Splitter = static_cast<QSplitter *>(centralWidget());
  FindBar = new TFindBar(Splitter);
  FindBar->setObjectName(QStringLiteral("FindBar"));
  // Between the grid and the memos, at its own height.
  const int Index = Splitter->indexOf(findChild<QSplitter *>(QStringLiteral("ValueSplitter")));
  Splitter->insertWidget(Index, FindBar);
  Splitter->setStretchFactor(Index, 0);
  Splitter->handle(Index)->setEnabled(false);
  FindBar->hide();

  const QString Edit = QStringLiteral("Edit Menu");
  ActionEditFind = NewAction("ActionEditFind", QStringLiteral("&Find..."),
                             QKeySequence(Qt::CTRL | Qt::Key_F),
                             QStringLiteral("Find entries by a text in their names or values"),
                             Edit, iiFind);
  ActionEditFindNext =
      NewAction("ActionEditFindNext", QStringLiteral("Find Ne&xt"), QKeySequence(Qt::Key_F3),
                QStringLiteral("Find the next entry with the text"), Edit, iiNextItem);
  ActionEditFindPrevious = NewAction(
      "ActionEditFindPrevious", QStringLiteral("Fin&d Previous"),
      QKeySequence(Qt::SHIFT | Qt::Key_F3), QStringLiteral("Find the previous entry with the text"),
      Edit, iiPreviousItem);
  ActionEditReplace = NewAction("ActionEditReplace", QStringLiteral("R&eplace..."),
                                QKeySequence(Qt::CTRL | Qt::Key_H),
                                QStringLiteral("Replace a text in the translated values"), Edit,
                                iiReplace);
  QMenu *Menu = findChild<QMenu *>(QStringLiteral("MenuEdit"));
  QAction *Before = ActionEditPreviousItem;
  Menu->insertActions(Before,
                      {ActionEditFind, ActionEditFindNext, ActionEditFindPrevious, ActionEditReplace});
  Menu->insertSeparator(Before);

  connect(ActionEditFind, &QAction::triggered, FindBar, &TFindBar::ShowFind);
  connect(ActionEditReplace, &QAction::triggered, FindBar, &TFindBar::ShowReplace);
  connect(ActionEditFindNext, &QAction::triggered, this, [this] { FindNext(false); });
  connect(ActionEditFindPrevious, &QAction::triggered, this, [this] { FindNext(true); });
  connect(FindBar, &TFindBar::FindRequested, this, [this](bool Backward) { FindNext(Backward); });
  connect(FindBar, &TFindBar::ReplaceRequested, this,
          [this] { TUIGuard::Run(this, [this] { ReplaceCurrent(); }); });
  connect(FindBar, &TFindBar::ReplaceAllRequested, this,
          [this] { TUIGuard::Run(this, [this] { ReplaceAll(); }); });
  connect(FindBar, &TFindBar::CloseRequested, this, [this] {
    if (HasDocument())
      MainStringTree->setFocus();
  });
}

namespace {
TEntryFields EntryFieldsOf(TFindFields Fields) {
  return TEntryFields::fromInt(Fields.toInt());
}
} // namespace

void TUIMainForm::FindNext(bool Backward) {
  if (!HasDocument())
    return;
  if (FindBar->isHidden() || FindBar->Pattern().isEmpty()) {
    FindBar->ShowFind();
    return;
  }
  const TTextMatcher Matcher = FindBar->Matcher();
  if (!Matcher.IsValid())
    return;
  CommitPendingEdit();
  std::function<bool(int)> Shown;
  if (FTreeModel->IsFiltered())
    Shown = [this](int P) { return FTreeModel->IsPositionVisible(P); };
  const TEntrySearch Search(FDocument->Entries(), Matcher, EntryFieldsOf(FindBar->FindFields()),
                            Shown);
  const int Current = FTreeModel->TreeOrderPosition(MainStringTree->currentIndex());
  // A match selected in a memo: the next one in the same value comes first.
  for (const auto &[Field, Memo] : {std::pair{efTranslated, TranslationValueMemo},
                                    std::pair{efSource, SourceValueMemo}}) {
    const QTextCursor Cursor = Memo->textCursor();
    if (Current < 0 || !Cursor.hasSelection() || !Search.Match(Current).Found() ||
        !FindBar->FindFields().testFlag(TFindField(Field)))
      continue;
    const QString Text = Memo->toPlainText();
    const TTextMatch Next = Backward ? Matcher.FindLast(Text, Cursor.selectionStart())
                                     : Matcher.Find(Text, Cursor.selectionEnd());
    if (Next.Found()) {
      SelectMatchInMemo({Current, Field, Next, false});
      statusBar()->clearMessage();
      return;
    }
    break;
  }
  const TEntryHit Hit = Search.Find(Current, Backward);
  if (!Hit.Found()) {
    statusBar()->showMessage(LangConstantFmt(u"SMessageTextNotFound", {Matcher.Pattern()}));
    return;
  }
  GoTo(FTreeModel->IndexAtTreeOrder(Hit.Position));
  if (Hit.Wrapped)
    statusBar()->showMessage(LangConstant(u"SMessageSearchWrapped"));
  else
    statusBar()->clearMessage();
  SelectMatchInMemo(Hit);
}

void TUIMainForm::SelectMatchInMemo(const TEntryHit &Hit) {
  QPlainTextEdit *Memo = Hit.Field == efTranslated ? TranslationValueMemo
                         : Hit.Field == efSource   ? SourceValueMemo
                                                   : nullptr;
  if (!Memo)
    return;
  QTextCursor Cursor = Memo->textCursor();
  Cursor.setPosition(int(Hit.Match.Start));
  Cursor.setPosition(int(Hit.Match.Start + Hit.Match.Length), QTextCursor::KeepAnchor);
  Memo->setTextCursor(Cursor);
}

void TUIMainForm::ReplaceCurrent() {
  if (!HasDocument())
    return;
  const TTextMatcher Matcher = FindBar->Matcher();
  if (!Matcher.IsValid() || Matcher.Pattern().isEmpty())
    return;
  CommitPendingEdit();
  const int Position = FTreeModel->TreeOrderPosition(MainStringTree->currentIndex());
  const TEntryTable &Table = FDocument->Entries();
  if (Position >= 0 && Table.IsEditable(Position) && FindBar->FindFields().testFlag(ffTranslated)) {
    const QString Value = Table.TranslatedValue(Position);
    // The match selected in the memo, else the first one.
    const QTextCursor Cursor = TranslationValueMemo->textCursor();
    TTextMatch Match = Matcher.Find(Value, Cursor.selectionStart());
    if (!Match.Found())
      Match = Matcher.Find(Value, 0);
    if (Match.Found()) {
      QString Piece = Value.mid(Match.Start, Match.Length);
      Matcher.ReplaceAll(Piece, FindBar->Replacement());
      const QString NewValue =
          Value.left(Match.Start) + Piece + Value.mid(Match.Start + Match.Length);
      FDocument->SetValues({{Position, NewValue}}, LangConstant(u"SUndoReplace"));
      // The next match after the replacement, in the same value first.
      if (const TTextMatch Next = Matcher.Find(NewValue, Match.Start + Piece.size());
          Next.Found()) {
        SelectMatchInMemo({Position, efTranslated, Next, false});
        return;
      }
    }
  }
  FindNext(false);
}

void TUIMainForm::ReplaceAll() {
  if (!HasDocument())
    return;
  const TTextMatcher Matcher = FindBar->Matcher();
  if (!Matcher.IsValid() || Matcher.Pattern().isEmpty())
    return;
  CommitPendingEdit();
  std::function<bool(int)> Shown;
  if (FTreeModel->IsFiltered())
    Shown = [this](int P) { return FTreeModel->IsPositionVisible(P); };
  const TEntrySearch Search(FDocument->Entries(), Matcher, efTranslated, Shown);
  const int Changed =
      FDocument->SetValues(Search.ReplaceAll(FindBar->Replacement()), LangConstant(u"SUndoReplaceAll"));
  statusBar()->showMessage(LangConstantFmt(u"SMessageReplacedEntries", {Changed}));
}

void TUIMainForm::UpdateFilterStatus() {
  if (FIsDestroying)
    return;
  const bool Open = FTreeModel->HasDocument();
  FilterBar->setVisible(Open);
  ActionViewFilter->setEnabled(Open);
  SBFilter->setVisible(FTreeModel->IsFiltered());
  if (FTreeModel->IsFiltered())
    SBFilter->setText(
        LangConstantFmt(u"SCaptionFilterShowing", {FTreeModel->VisibleEntryCount(),
                                                   FTreeModel->Counts().Properties +
                                                       FTreeModel->Counts().Constants}));
}

void TUIMainForm::CreateStatusBar() {
  QStatusBar *Bar = statusBar();
  Bar->setObjectName(QStringLiteral("StatusBar"));
  SBComponents =
      NewStatusLabel(Bar, "SBComponents", QStringLiteral("Total number of component entries"));
  SBProperties =
      NewStatusLabel(Bar, "SBProperties",
                     QStringLiteral("Number of component property entries total/untranslated"));
  SBConstants = NewStatusLabel(Bar, "SBConstants",
                               QStringLiteral("Number of constant entries total/untranslated"));
  SBProblems = NewStatusLabel(Bar, "SBProblems",
                              QStringLiteral("Number of translated entries with errors or warnings"));
  for (QLabel *L : {SBComponents, SBProperties, SBConstants, SBProblems})
    Bar->addPermanentWidget(L);
}

void TUIMainForm::CreateLangController() {
  FLangController = TZrLanguageController::CreateLoaded(
      this, QStringLiteral("ZrLanguageController"), SectionName, IgnoreMasks, StoreMasks);
  connect(FLangController, &TZrLanguageController::OnLanguageChanged, this, [this] {
    AppendLingroveToAbout();
    UpdateLanguageHints();
    UpdateUndoActions();
    UpdateCaption();
    UpdateStatusBar();
  });
}

void TUIMainForm::AppendLingroveToAbout() {
  if (!ActionHelpAbout->text().contains(u"Lingrove"))
    ActionHelpAbout->setText(ActionHelpAbout->text() + QStringLiteral(" Lingrove"));
}

void TUIMainForm::ApplicationIdle() {
  if (FCmdLineChecked)
    return;
  FCmdLineChecked = true;
  TUIGuard::Run(this, [this] {
    if (OfferRecovery())
      return;
    if (FStartFiles.IsEmpty())
      OpenTranslation();
    else
      OpenFiles(FStartFiles);
  });
}

namespace {

bool IsSourceFile(const QString &Path) {
  return Path.endsWith(QStringLiteral(".zrlang"), Qt::CaseInsensitive);
}
bool IsTranslationFile(const QString &Path) {
  return Path.endsWith(QStringLiteral(".lng"), Qt::CaseInsensitive);
}

// The files of a drop: a language source and a translation, or a translation
// alone; empty when the drop holds none of them.
TStartFiles DroppedFiles(const QMimeData *Data) {
  TStartFiles Files;
  if (!Data || !Data->hasUrls())
    return Files;
  for (const QUrl &Url : Data->urls()) {
    const QString Path = Url.toLocalFile();
    if (IsSourceFile(Path) && Files.Source.isEmpty())
      Files.Source = Path;
    else if (IsTranslationFile(Path) && Files.Translation.isEmpty())
      Files.Translation = Path;
  }
  return Files;
}

} // namespace

void TUIMainForm::BuildRecentProjectsMenu() {
  MenuRecentProjects->clear();
  const QList<TRecentProject> Projects = LoadRecentProjects();
  for (qsizetype I = 0; I < Projects.size(); ++I) {
    const TRecentProject &P = Projects[I];
    QAction *Item = MenuRecentProjects->addAction(
        QStringLiteral("&%1 %2 (%3)")
            .arg(I + 1 < 10 ? QString::number(I + 1) : QStringLiteral("1&0"),
                 QFileInfo(P.Translation).fileName(), QFileInfo(P.Source).fileName()));
    Item->setToolTip(QDir::toNativeSeparators(P.Translation));
    connect(Item, &QAction::triggered, this, [this, P] {
      TUIGuard::Run(this, [&] { OpenFiles({P.Source, P.Display, P.Translation}); });
    });
  }
  MenuRecentProjects->menuAction()->setEnabled(!Projects.isEmpty());
}

void TUIMainForm::OpenFiles(const TStartFiles &Files) {
  if (!CanCloseTranslation(true))
    return;
  if (Files.Source.isEmpty()) {
    // The open files dialog starts with the newest entry of each history:
    // the translation given, with the source and display it was last
    // opened with.
    for (const TRecentProject &P : LoadRecentProjects())
      if (P.Translation == Files.Translation) {
        UpdateMRUList(P.Source, mruSource, true);
        if (!P.Display.isEmpty())
          UpdateMRUList(P.Display, mruDisplay, true);
        break;
      }
    if (!Files.Translation.isEmpty())
      UpdateMRUList(Files.Translation, mruTranslation, true);
    if (!Files.Display.isEmpty())
      UpdateMRUList(Files.Display, mruDisplay, true);
    OpenTranslation();
    return;
  }
  const bool StartsNew = !Files.Translation.isEmpty() && !QFileInfo::exists(Files.Translation);
  LoadTranslation(Files.Source, Files.Display, StartsNew ? QString() : Files.Translation);
  FProposedTranslationPath = StartsNew ? Files.Translation : QString();
  UpdateCaption();
  UpdateMRUList(Files.Source, mruSource, true);
  if (!Files.Display.isEmpty())
    UpdateMRUList(Files.Display, mruDisplay, true);
  if (!Files.Translation.isEmpty() && !StartsNew)
    UpdateMRUList(Files.Translation, mruTranslation, true);
}

void TUIMainForm::dragEnterEvent(QDragEnterEvent *Event) {
  const TStartFiles Files = DroppedFiles(Event->mimeData());
  if (!Files.Source.isEmpty() || !Files.Translation.isEmpty())
    Event->acceptProposedAction();
}

void TUIMainForm::dropEvent(QDropEvent *Event) {
  const TStartFiles Files = DroppedFiles(Event->mimeData());
  if (Files.Source.isEmpty() && Files.Translation.isEmpty())
    return;
  Event->acceptProposedAction();
  // The drag's source waits for the drop to end; open afterwards.
  QTimer::singleShot(0, this, [this, Files] { TUIGuard::Run(this, [&] { OpenFiles(Files); }); });
}

bool TUIMainForm::Modified() const {
  return FDocument->Modified();
}

void TUIMainForm::SetModified(bool Value) {
  FDocument->SetModified(Value);
}

bool TUIMainForm::HasDocument() const {
  return FDocument->IsOpen();
}

const TLangSource *TUIMainForm::LangSource() const {
  return HasDocument() ? &FDocument->Source() : nullptr;
}

TZrLang_CompTranslations *TUIMainForm::Translations() const {
  return HasDocument() ? &FDocument->Translation() : nullptr;
}

const QString &TUIMainForm::TranslationFilename() const {
  return FDocument->TranslationFilename();
}

quint16 TUIMainForm::LangIDSource() const {
  return FDocument->Languages().LangIDSource;
}

quint16 TUIMainForm::LangIDTranslation() const {
  return FDocument->Languages().LangIDTranslation;
}

void TUIMainForm::SetLangIDTranslation(quint16 Value) {
  FDocument->SetLanguages({LangIDSource(), Value});
}

QString TUIMainForm::DisplayTranFilename() const {
  if (!TranslationFilename().trimmed().isEmpty())
    return TranslationFilename();
  if (!FProposedTranslationPath.isEmpty() && HasDocument())
    return FProposedTranslationPath;
  return LangConstant(u"SUntitled") + QStringLiteral(".lng");
}

void TUIMainForm::UpdateCaption() {
  const QString Caption =
      QStringLiteral("%1%2 - %3")
          .arg(QFileInfo(DisplayTranFilename()).fileName(),
               Modified() ? QStringLiteral("*") : QString(), QStringLiteral("Lingrove"));
  setWindowTitle(Caption);
  SetApplicationTitle(Caption);
}

void TUIMainForm::UpdateStatusBar() {
  const TTranslationCounts Counts =
      FTreeModel->HasDocument() ? FTreeModel->Counts() : TTranslationCounts();
  SBComponents->setText(LangConstantFmt(u"SCaptionComponentCount", {Counts.Components}));
  SBProperties->setText(LangConstantFmt(u"SCaptionPropertyCount",
                                        {Counts.Properties, Counts.UntranslatedProperties}));
  SBConstants->setText(
      LangConstantFmt(u"SCaptionConstantCount", {Counts.Constants, Counts.UntranslatedConstants}));
  SBProblems->setText(LangConstantFmt(u"SCaptionProblemCount", {FProblems->ProblemCount()}));
  UpdateFilterStatus();
}

void TUIMainForm::UpdateActions() {
  const bool Open = HasDocument();
  for (QAction *A :
       {static_cast<QAction *>(ActionFileSave), static_cast<QAction *>(ActionFileSaveAs),
        static_cast<QAction *>(ActionFileExport), static_cast<QAction *>(ActionFileImport),
        static_cast<QAction *>(ActionEditTransProperties),
        static_cast<QAction *>(ActionEditJumpPrevious), static_cast<QAction *>(ActionEditJumpNext),
        static_cast<QAction *>(ActionEditPreviousProblem),
        static_cast<QAction *>(ActionEditNextProblem),
        static_cast<QAction *>(ActionToolsPretranslate)})
    A->setEnabled(Open);
  const bool Focused = Open && MainStringTree->currentIndex().isValid();
  ActionEditPreviousItem->setEnabled(Focused);
  ActionEditNextItem->setEnabled(Focused);
  ActionEditCopySource->setEnabled(Open);
  ActionEditGoTo->setEnabled(Open);
  UpdateIgnoreProblemActions();
  for (QAction *A : {ActionEditFind, ActionEditFindNext, ActionEditFindPrevious, ActionEditReplace})
    A->setEnabled(Open);
  UpdateEntryProperties();
  UpdateClipboardActions();
  UpdateUndoActions();
}

int TUIMainForm::CurrentEntryPosition() const {
  if (!HasDocument())
    return -1;
  const int Position = FTreeModel->TreeOrderPosition(MainStringTree->currentIndex());
  return Position >= 0 && FDocument->Entries().IsEditable(Position) ? Position : -1;
}

void TUIMainForm::UpdateIgnoreProblemActions() {
  const int Position = CurrentEntryPosition();
  ActionEditIgnoreProblem->setEnabled(Position >= 0 && FProblems->Level(Position) != TDocumentProblems::plNone);
  ActionEditShowIgnoredProblems->setEnabled(Position >= 0 &&
                                            FDocument->HasIgnoredProblems(Position));
}

bool TUIMainForm::CanCloseTranslation(bool Prompt) {
  CommitPendingEdit();
  if (!Prompt || !Modified())
    return true;
  switch (
      AskUser(this, QMessageBox::Question, QString(),
              LangConstantFmt(u"SMessageSaveChanges", {ZrLang_QuotedName(DisplayTranFilename())}),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
  case QMessageBox::Yes:
    return SaveTranslation(false);
  case QMessageBox::No:
    return true;
  default:
    return false;
  }
}

void TUIMainForm::CloseTranslation() {
  FProposedTranslationPath.clear();
  FPretranslateOnOpen = false;
  // The grid goes first: it then has no rows to repaint for the problems
  // dropped next.
  FTreeModel->Clear();
  FProblems->Attach(nullptr);
  FFileWatch->Attach(nullptr);
  FDiskChangeBar->hide();
  FDocument->Close();
  if (FIsDestroying)
    return;
  UpdateCaption();
  RebuildTree();
}

void TUIMainForm::OpenTranslation() {
  if (!CanCloseTranslation(true))
    return;
  QString SourcePath, DisplayPath, TranslationPath;
  if (ChooseFilesToOpen(SourcePath, DisplayPath, TranslationPath))
    LoadTranslation(SourcePath, DisplayPath, TranslationPath);
}

bool TUIMainForm::ChooseFilesToOpen(QString &SourcePath, QString &DisplayPath,
                                    QString &TranslationPath) {
  return TUIOpenFilesDialog::Execute(this, SourcePath, DisplayPath, TranslationPath);
}

void TUIMainForm::LoadTranslation(const QString &SourcePath, const QString &DisplayPath,
                                  const QString &TranslationPath) {
  if (FBusy)
    return;
  TReadDocument Read;
  const bool Large = IsLargeDocument(SourcePath, DisplayPath, TranslationPath);
  // The worker frees nothing until the new grid has been shown: freeing the
  // old document beside the building of the new grid stalls the window.
  const auto Hold = Large ? std::make_shared<BackgroundDisposal::THold>() : nullptr;
  const auto ReleaseHold = qScopeGuard([this, Hold] {
    if (Hold)
      QTimer::singleShot(0, this, [Hold] {});
  });
  if (Large && !ReadInBackground(SourcePath, DisplayPath, TranslationPath, Read))
    return;
  auto EndRead = qScopeGuard([this, Large] {
    if (Large)
      EndBackgroundRead();
  });
  CloseTranslation();
  try {
    FDocument->SetMemory(TranslationMemory());
    if (Large)
      FDocument->Take(std::move(Read));
    else
      FDocument->Load(SourcePath, DisplayPath, TranslationPath);
    const TReconciliation &Reconciliation = FDocument->Reconciliation();
    if (!Reconciliation.MemoryError.isEmpty())
      statusBar()->showMessage(Reconciliation.MemoryError);
    QString Log = Reconciliation.Log;
    if (Reconciliation.KeptInMemory > 0)
      Log += LangConstantFmt(u"SMessageRemovedTranslationsKept", {Reconciliation.KeptInMemory}) +
             QStringLiteral("\r\n");
    if (!FDocument->IsNewTranslation() && !Reconciliation.Log.isEmpty())
      ShowDifferences(Log, QList<int>(Reconciliation.Counts.begin(), Reconciliation.Counts.end()));
    UpdateCaption();
  } catch (...) {
    CloseTranslation();
    RebuildTree();
    throw;
  }
  if (Large) {
    // Laying out a million rows takes a while: the window repaints first.
    AttachTree();
    TurnEventLoop();
    EndRead.dismiss();
    EndBackgroundRead();
    ShowTree();
  } else {
    RebuildTree();
  }
  PretranslateOnOpen();
  FFileWatch->Attach(FDocument.get());
  if (!FDocument->IsNewTranslation()) {
    // Storing the list rewrites the settings file and waits for the disk.
    AddRecentProjectLater({SourcePath, DisplayPath, TranslationPath});
  }
  if (LangIDSource() == 0 || LangIDTranslation() == 0 || LangIDSource() == LangIDTranslation())
    EditTranslationProperties();
}

void TUIMainForm::ShowDifferences(const QString &Log, const QList<int> &Counts) {
  FPretranslateOnOpen =
      TUIDifferencesDialog::Execute(this, Log, Counts, MemoryHoldsDocumentPair());
}

bool TUIMainForm::EditTranslationProperties() {
  if (!HasDocument())
    return false;
  TTranslationLanguages Languages = FDocument->Languages();
  const bool bChanged = TUITransPropsDialog::Execute(
      this, Languages.LangIDSource, Languages.LangIDTranslation, FDocument->Translation().Params());
  FDocument->SetLanguages(Languages);
  // Some checks depend on the translation's language.
  if (bChanged)
    RestartChecks();
  return bChanged;
}

void TUIMainForm::RestartChecks() {
  OpenSpelling();
  FProblems->Attach(HasDocument() ? FDocument.get() : nullptr, EditorChecks(), CheckSpeller());
  FProblems->Start();
}

TTranslationCheckSet TUIMainForm::EditorChecks() const {
  TTranslationCheckSet Checks = Attribs ? ChecksWithout(Attribs->DisabledChecks())
                                        : TTranslationCheckSet::All();
  if (Attribs && !Attribs->CheckSpelling())
    Checks.Exclude(tcSpelling);
  return Checks;
}

void TUIMainForm::OpenSpelling() {
  if (Attribs && !Attribs->CheckSpelling()) {
    FSpellingLangID = 0;
    FSpelling->Close();
    return;
  }
  const quint16 LangID = LangIDTranslation();
  if (!HasDocument() || LangID == FSpellingLangID)
    return;
  FSpellingLangID = LangID;
  if (!FSpelling->Open(LangID) && LangID != 0)
    statusBar()->showMessage(
        LangConstantFmt(u"SMessageNoSpellingDictionary", {LanguageNameOfLCID(LangID)}));
}

TSpellingSession *TUIMainForm::CheckSpeller() const {
  return FSpelling->IsOpen() ? FSpelling : nullptr;
}

void TUIMainForm::ShowMemoContextMenu(const QPoint &Pos) {
  QMenu *Menu = TranslationValueMemo->createStandardContextMenu();
  Menu->setAttribute(Qt::WA_DeleteOnClose);
  const QTextCursor At = TranslationValueMemo->cursorForPosition(Pos);
  const QString Line = At.block().text();
  const int Number = At.blockNumber();
  AddSpellingItems(*Menu, *FSpelling, Line, At.positionInBlock(), TranslationValueMemo,
                   [this, Number, Line](qsizetype Start, qsizetype Length, const QString &Text) {
                     ReplaceInMemo(Number, Line, Start, Length, Text);
                   });
  Menu->popup(TranslationValueMemo->viewport()->mapToGlobal(Pos));
}

void TUIMainForm::ReplaceInMemo(int BlockNumber, const QString &Line, qsizetype Start,
                                qsizetype Length, const QString &Text) {
  const QTextBlock Block = TranslationValueMemo->document()->findBlockByNumber(BlockNumber);
  if (Block.text() != Line)
    return;
  // Through the memo, so that it is typing: one step of its own history and
  // of the document's.
  QTextCursor Cursor(Block);
  Cursor.setPosition(Block.position() + int(Start));
  Cursor.setPosition(Block.position() + int(Start + Length), QTextCursor::KeepAnchor);
  Cursor.insertText(Text);
  TranslationValueMemo->setTextCursor(Cursor);
}

void TUIMainForm::RebuildTree() {
  AttachTree();
  ShowTree();
}

void TUIMainForm::AttachTree() {
  SuggestionsDocumentChanged();
  OpenSpelling();
  FProblems->Attach(HasDocument() ? FDocument.get() : nullptr, EditorChecks(), CheckSpeller());
  if (HasDocument())
    FTreeModel->SetDocument(*FDocument);
  else
    FTreeModel->Clear();
  FProblems->Start();
}

void TUIMainForm::ShowTree() {
  MainStringTree->setVisible(HasDocument());
  findChild<QWidget *>(QStringLiteral("TreePlaceholder"))->setVisible(!HasDocument());
  if (HasDocument()) {
    MainStringTree->expandAll();
    SelectEntryNode(*MainStringTree, FTreeModel->index(0, 0), false, true);
    MainStringTree->setFocus();
  }
  UpdateCurrentEntryEditor();
  UpdateStatusBar();
  UpdateActions();
}

void TUIMainForm::UpdateCurrentEntryEditor() {
  // Each memo shows the text its selected entries share; with differing
  // texts it is empty but still enabled, so typing sets them all.
  struct TAggregate {
    int Rows = 0;
    bool Mixed = false;
    QString Text;
    void Add(const QString &T) {
      if (Rows++ == 0)
        Text = T;
      else if (!Mixed && T != Text)
        Mixed = true;
    }
  } Source, Translation;
  for (const QModelIndex &Row : SelectedEntries()) {
    Source.Add(FTreeModel->SourceValue(Row));
    Translation.Add(FTreeModel->TranslatedValue(Row));
  }
  FUpdatingCurrentEntryEditor = true;
  for (auto [Memo, A] :
       {std::pair{SourceValueMemo, &Source}, std::pair{TranslationValueMemo, &Translation}}) {
    const QString Text = (A->Rows > 0 && !A->Mixed) ? A->Text : QString();
    if (Memo->toPlainText() != Text)
      Memo->setPlainText(Text);
    Memo->setEnabled(A->Rows > 0);
  }
  // Typing from here on is a new step, with a history of its own.
  TranslationValueMemo->document()->clearUndoRedoStacks();
  FTypingMergeKey = FTypingMergeKey == std::numeric_limits<int>::max() ? 1 : FTypingMergeKey + 1;
  FUpdatingCurrentEntryEditor = false;
  UpdateClipboardActions();
}

QModelIndexList TUIMainForm::SelectedEntries() const {
  QModelIndexList Rows;
  if (!HasDocument() || !MainStringTree->selectionModel())
    return Rows;
  for (const QModelIndex &Row : MainStringTree->selectionModel()->selectedRows())
    if (FTreeModel->IsEntry(Row))
      Rows.append(Row);
  return Rows;
}

void TUIMainForm::TranslationMemoChanged() {
  if (FUpdatingCurrentEntryEditor || FIsDestroying)
    return;
  // The memo holds the raw value; only the grid's one-line editor escapes.
  const QString Text = TranslationValueMemo->toPlainText();
  FSettingTextFromEditor = true;
  FTreeModel->SetEntriesValue(SelectedEntries(), Text, LangConstant(u"SUndoTyping"),
                              FTypingMergeKey);
  FSettingTextFromEditor = false;
}

void TUIMainForm::CommitPendingEdit() {
  if (HasDocument())
    MainStringTree->CommitOpenEditor();
}

bool TUIMainForm::eventFilter(QObject *Watched, QEvent *Event) {
  // An untranslated entry still holds the source's text: taking the focus
  // selects all of it, so typing replaces it. Deferred, so that the click
  // that gave the focus does not place the cursor after the selection.
  if (Watched == TranslationValueMemo && !FIsDestroying &&
      (Event->type() == QEvent::KeyPress || Event->type() == QEvent::ShortcutOverride)) {
    // The memo overrides the window's Ctrl+Z; its key press decides.
    if (Event->type() == QEvent::KeyPress && MemoUndoKey(static_cast<QKeyEvent *>(Event)))
      return true;
  }
  if (Watched == TranslationValueMemo && Event->type() == QEvent::FocusIn && !FIsDestroying) {
    const QModelIndexList Rows = SelectedEntries();
    const bool AllUntranslated =
        !Rows.isEmpty() && std::all_of(Rows.begin(), Rows.end(), [this](const QModelIndex &R) {
          return FTreeModel->GetEntryStates(R).Contains(zrtsUntranslated);
        });
    if (AllUntranslated)
      QTimer::singleShot(0, TranslationValueMemo, [Memo = TranslationValueMemo] {
        if (Memo->hasFocus())
          Memo->selectAll();
      });
  }
  return TMainForm::eventFilter(Watched, Event);
}

bool TUIMainForm::GridHasEntryFocus() const {
  return IsNotEmptyStr(FDocument->SourceFilename()) && MainStringTree->hasFocus() &&
         FTreeModel->IsEntry(MainStringTree->currentIndex());
}

void TUIMainForm::UpdateClipboardActions() {
  if (FIsDestroying)
    return;
  const bool Grid = GridHasEntryFocus();
  const bool Memo = TranslationValueMemo->hasFocus();
  const bool MemoSelection = Memo && TranslationValueMemo->textCursor().hasSelection();
  ActionEditCopy->setEnabled(Grid || MemoSelection);
  ActionEditCut->setEnabled(Grid || MemoSelection);
  ActionEditPaste->setEnabled(Grid || Memo);
}

bool TUIMainForm::CopyEntryValue(const QModelIndex &Row) {
  if (!FTreeModel->IsEntry(Row))
    return false;
  QGuiApplication::clipboard()->setText(FTreeModel->TranslatedValue(Row));
  return true;
}

void TUIMainForm::EditCopy() {
  if (QApplication::focusWidget() == TranslationValueMemo)
    TranslationValueMemo->copy();
  else if (QApplication::focusWidget() == SourceValueMemo)
    SourceValueMemo->copy();
  else if (MainStringTree->hasFocus())
    CopyEntryValue(MainStringTree->currentIndex());
}

void TUIMainForm::EditCut() {
  if (QApplication::focusWidget() == TranslationValueMemo) {
    TranslationValueMemo->cut();
  } else if (MainStringTree->hasFocus()) {
    const QModelIndex Row = MainStringTree->currentIndex();
    if (CopyEntryValue(Row)) {
      FSettingTextFromEditor = true;
      FTreeModel->SetEntriesText({Row}, QString(), LangConstant(u"SUndoCut"));
      FSettingTextFromEditor = false;
      UpdateCurrentEntryEditor();
    }
  }
}

void TUIMainForm::EditPaste() {
  const QMimeData *Data = QGuiApplication::clipboard()->mimeData();
  if (!Data || !Data->hasText())
    return;
  if (QApplication::focusWidget() == TranslationValueMemo) {
    TranslationValueMemo->paste();
  } else if (MainStringTree->hasFocus()) {
    FSettingTextFromEditor = true;
    FTreeModel->SetEntriesValue(SelectedEntries(), Data->text(), LangConstant(u"SUndoPaste"));
    FSettingTextFromEditor = false;
    UpdateCurrentEntryEditor();
  }
}

void TUIMainForm::CopySourceToTranslation() {
  if (!HasDocument())
    return;
  CommitPendingEdit();
  const TEntryTable &Table = FDocument->Entries();
  std::vector<std::pair<int, QString>> Values;
  for (const int P : FTreeModel->EntryPositions(SelectedEntries()))
    Values.emplace_back(P, Table.SourceValue(P));
  FDocument->SetValues(std::move(Values), LangConstant(u"SUndoCopySource"));
}

void TUIMainForm::GoToEntry() {
  if (!HasDocument())
    return;
  CommitPendingEdit();
  bool Accepted = false;
  const QString Key =
      QInputDialog::getText(this, LangConstant(u"SCaptionGoTo"), LangConstant(u"SPromptGoTo"),
                            QLineEdit::Normal, FLastGoToKey, &Accepted);
  if (!Accepted || Key.trimmed().isEmpty())
    return;
  FLastGoToKey = Key.trimmed();
  const int Position = FDocument->Entries().FindByKey(
      FLastGoToKey, FTreeModel->TreeOrderPosition(MainStringTree->currentIndex()));
  const QModelIndex Target = FTreeModel->IndexAtTreeOrder(Position);
  if (!Target.isValid()) {
    AskUser(this, QMessageBox::Information, QString(),
            LangConstantFmt(u"SMessageNoSuchEntry", {FLastGoToKey}), QMessageBox::Ok);
    return;
  }
  GoTo(Target);
  MainStringTree->setFocus();
}

void TUIMainForm::UpdateUndoActions() {
  if (FIsDestroying)
    return;
  const QUndoStack &Undo = *FUndoStack;
  ActionEditUndo->setEnabled(Undo.canUndo());
  ActionEditRedo->setEnabled(Undo.canRedo());
  ActionEditUndo->setText(Undo.canUndo()
                              ? LangConstantFmt(u"SCaptionUndoStep", {Undo.undoText()})
                              : LangConstant(u"SCaptionUndo"));
  ActionEditRedo->setText(Undo.canRedo()
                              ? LangConstantFmt(u"SCaptionRedoStep", {Undo.redoText()})
                              : LangConstant(u"SCaptionRedo"));
}

bool TUIMainForm::MemoUndoKey(QKeyEvent *Event) {
  const bool IsUndo = Event->matches(QKeySequence::Undo);
  const bool IsRedo = Event->matches(QKeySequence::Redo) ||
                      Event->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
  if (!IsUndo && !IsRedo)
    return false;
  const QTextDocument *Text = TranslationValueMemo->document();
  if (IsUndo ? Text->isUndoAvailable() : Text->isRedoAvailable())
    return false;
  (IsUndo ? ActionEditUndo : ActionEditRedo)->trigger();
  return true;
}

void TUIMainForm::UpdateEntryProperties() {
  FUpdatingEntryProperties = true;
  bool AnyUntranslated = false;
  if (HasDocument() && MainStringTree->selectionModel())
    for (const QModelIndex &Row : MainStringTree->selectionModel()->selectedRows())
      if (FTreeModel->GetEntryStates(Row).Contains(zrtsUntranslated)) {
        AnyUntranslated = true;
        break;
      }
  ActionEditMarkItemTrans->setEnabled(HasDocument() && AnyUntranslated);
  FUpdatingEntryProperties = false;
}

void TUIMainForm::GoTo(const QModelIndex &Target) {
  if (Target.isValid())
    SelectEntryNode(*MainStringTree, Target, true, true);
}

bool TUIMainForm::SaveTranslation(bool bNewName) {
  if (!HasDocument())
    return false;
  CommitPendingEdit();
  if (!ConfirmSaveWithErrors())
    return false;
  // A file without its language is one no program can place.
  if (LangIDTranslation() == 0 && (!EditTranslationProperties() || LangIDTranslation() == 0))
    return false;
  const bool HasName = !FDocument->IsNewTranslation();
  bool bUnicode = FDocument->DefaultUnicode();
  if (FDocument->IsNewTranslation() && Attribs &&
      Attribs->NewTranslationEncoding() != TAttribs::neLikeSource)
    bUnicode = Attribs->NewTranslationEncoding() == TAttribs::neUnicode;
  QString Path = TranslationFilename();
  if (bNewName || !HasName) {
    if (!HasName)
      Path = !FProposedTranslationPath.isEmpty()
                 ? FProposedTranslationPath
                 : QDir::current().filePath(LangConstant(u"SUntitled") + QStringLiteral(".lng"));
    if (!ChooseSaveFile(Path, bUnicode))
      return false;
  }
  if (!WriteTranslationFile(Path, bUnicode))
    return false;
  UpdateCaption();
  UpdateMRUList(Path, mruTranslation, true);
  AddRecentProject({FDocument->SourceFilename(), FDocument->DisplayFilename(), Path});
  return true;
}

bool TUIMainForm::ConfirmSaveWithErrors() {
  if (Attribs && !Attribs->AskSaveWithErrors())
    return true;
  FProblems->Finish();
  const int First = FProblems->FirstError();
  if (First < 0)
    return true;
  const TEntryTable &Table = FDocument->Entries();
  const int Parent = Table.Node(First).Parent;
  const QString Name =
      (Parent >= 0 ? Table.Name(Parent) + QStringLiteral("/") : QString()) + Table.Name(First);
  if (AskUser(this, QMessageBox::Warning, QString(),
              LangConstantFmt(u"SMessageSaveWithErrors", {FProblems->ErrorCount(), Name}),
              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
    return true;
  GoTo(FTreeModel->IndexAtTreeOrder(First));
  return false;
}

bool TUIMainForm::ChooseSaveFile(QString &Path, bool &bUnicode) {
  const QString Ansi = LangConstant(u"SFilterAnsiTranslations");
  const QString Unicode = LangConstant(u"SFilterUnicodeTranslations");
  QFileDialog Dialog(this, LangConstant(u"SCaptionSaveFile"), QFileInfo(Path).absolutePath());
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setNameFilters({Ansi, Unicode});
  Dialog.selectNameFilter(bUnicode ? Unicode : Ansi);
  Dialog.setDefaultSuffix(QStringLiteral("lng"));
  Dialog.selectFile(QFileInfo(Path).fileName());
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
    return false;
  Path = Dialog.selectedFiles().first();
  bUnicode = Dialog.selectedNameFilter() == Unicode;
  return true;
}

bool TUIMainForm::WriteTranslationFile(const QString &Path, bool bUnicode) {
  const bool SourceUnicode = FDocument->Source().IsFileUnicode();
  if (!(Attribs && Attribs->IgnoreEncodingConficts()) && bUnicode != SourceUnicode &&
      !AskEncoding(this,
                   LangConstant(bUnicode ? u"SMessageSavingInUnicode" : u"SMessageSavingInANSI"),
                   !bUnicode, bUnicode))
    return false;
  // ANSI would silently turn characters its code page lacks into '?'. The
  // writer uses the code page of the LANGID stamped below.
  if (!bUnicode) {
    const unsigned CodePage = TranslationCodePage(LangIDTranslation());
    const int Lossy = CountAnsiLossyTexts(FDocument->Translation(), true, CodePage);
    if (Lossy > 0 &&
        !AskEncoding(this, LangConstantFmt(u"SMessageAnsiLosesCharacters", {Lossy, int(CodePage)}),
                     true, bUnicode))
      return false;
  }
  if (!ConfirmOverwriteChanged(Path))
    return false;
  // The stamp only adds plain ASCII, so the check above holds for it too.
  SaveWithProgress(Path, bUnicode);
  FFileWatch->Acknowledge();
  return true;
}

void TUIMainForm::CheckForUpdates() {
  // The component lives for this one check and is freed afterwards.
  auto WebUpdate = std::make_unique<TWebUpdate>(qApp);
  WebUpdate->setObjectName(QStringLiteral("WebUpdate"));
  WebUpdate->SetShowDownloadProgress(true);
  WebUpdate->SetUpdaterUpdateMode(TWebUpdate::uumSilent);
  WebUpdate->SetControlFileUrl(TWebUpdate::DefaultControlFileUrl());
  FWebUpdateConnectFailed = false;
  // Once the updater runs, the program ends the way a user closes it, so
  // unsaved changes are offered for saving first.
  WebUpdate->OnTerminate = [this] { close(); };
  // Beside the remembered connection failure: a check the user cancelled
  // says nothing more, one that ran out of time or met a certificate that
  // cannot be trusted says so.
  bool Cancelled = false, TimedOut = false, Insecure = false;
  WebUpdate->OnStatus = [&, this](const QString &, int ErrorCode) {
    if (ErrorCode == teCannotConnect)
      FWebUpdateConnectFailed = true;
    Cancelled = Cancelled || ErrorCode == teOperationCancelled;
    TimedOut = TimedOut || ErrorCode == teTimedOut;
    Insecure = Insecure || ErrorCode == teSecureChannel;
  };
  bool Available = false;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto RestoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    Available = WebUpdate->NewVersionAvailable();
  }
  const QString Program = QStringLiteral("Lingrove");
  const QString FailedTitle = LangConstant(u"SMessageUpdateFailedTitle");
  if (Available) {
    if (AskUser(this, QMessageBox::Information, LangConstant(u"SMessageUpdateAvailableTitle"),
                LangConstantFmt(u"SMessageUpdateAvailable", {Program, WebUpdate->NewVersionInfo()}),
                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
      Cancelled = false;
      // A download or hand-over that fails says why instead of ending quietly.
      if (!WebUpdate->DoUpdate() && !WebUpdate->LastError().isEmpty() && !Cancelled)
        AskUser(this, QMessageBox::Critical, FailedTitle, WebUpdate->LastError(), QMessageBox::Ok);
    }
  } else if (Cancelled) {
    return;
  } else if (TimedOut) {
    AskUser(
        this, QMessageBox::Critical, FailedTitle,
        LangConstantFmt(u"SMessageUpdateTimedOut", {Program, WebUpdate->CheckTimeLimitMs() / 1000}),
        QMessageBox::Ok);
  } else if (Insecure) {
    AskUser(this, QMessageBox::Critical, FailedTitle,
            LangConstantFmt(u"SMessageUpdateInsecure", {Program, WebUpdate->LastTransferError()}),
            QMessageBox::Ok);
  } else if (FWebUpdateConnectFailed) {
    AskUser(this, QMessageBox::Critical, FailedTitle,
            LangConstantFmt(u"SMessageUpdateFailed", {Program}), QMessageBox::Ok);
  } else if (WebUpdate->CurrentVersionInfo().trimmed().isEmpty()) {
    AskUser(this, QMessageBox::Critical, QString(),
            LangConstantFmt(u"SMessageUpdateError", {Program}), QMessageBox::Ok);
  } else {
    AskUser(this, QMessageBox::Information, QString(),
            LangConstantFmt(u"SMessageUpdateLatestInstalled", {WebUpdate->CurrentVersionInfo()}),
            QMessageBox::Ok);
  }
}

QString TUIMainForm::LanguageFolder() {
  return FindLanguageFolder(QCoreApplication::applicationDirPath());
}

void TUIMainForm::BuildLanguageMenu() {
  TZrLanguageManager &Manager = LangManager();
  TUIGuard::Run(
      this, [&] { Manager.ScanForLangFiles(LanguageFolder(), QStringLiteral("*.lng"), false); });
  const quint16 Saved = Attribs ? Attribs->Language() : Manager.LanguageID();
  MenuLanguages->clear();
  delete FLanguageGroup;
  FLanguageGroup = new QActionGroup(this);
  FLanguageGroup->setExclusive(true);
  for (int I = 0; I < Manager.LanguageCount(); ++I) {
    QAction *Item = MenuLanguages->addAction(Manager.LanguageNames(I));
    Item->setCheckable(true);
    Item->setData(int(Manager.LanguageIDs(I)));
    FLanguageGroup->addAction(Item);
    connect(Item, &QAction::triggered, this, [this, Item] { LanguageItemClick(Item); });
  }
  UpdateLanguageHints();
  TUIGuard::Run(this, [&] { Manager.SetLanguageID(Saved); });
  MenuLanguages->setEnabled(Manager.LanguageCount() > 1);
  if (Manager.LanguageCount() == 1 && Attribs)
    Attribs->SetLanguage(Manager.LanguageID());
  CheckCurrentLanguage();
}

void TUIMainForm::UpdateLanguageHints() {
  for (QAction *Item : MenuLanguages->actions())
    Item->setStatusTip(LangConstantFmt(u"SHintLanguage", {Item->text()}));
}

void TUIMainForm::CheckCurrentLanguage() {
  const int Current = LangManager().LanguageID();
  for (QAction *Item : MenuLanguages->actions())
    Item->setChecked(Item->data().toInt() == Current);
}

void TUIMainForm::LanguageItemClick(QAction *Item) {
  Item->setChecked(true);
  SwitchInterfaceLanguage(quint16(Item->data().toInt()));
}

void TUIMainForm::SwitchInterfaceLanguage(quint16 LangID) {
  TZrLanguageManager &Manager = LangManager();
  if (Manager.LanguageID() == LangID)
    return;
  CommitPendingEdit();
  // A translation that cannot be read leaves the language as it was.
  TUIGuard::Run(this, [&] { Manager.SetLanguageID(LangID); });
  CheckCurrentLanguage();
  if (Attribs && Attribs->Language() != Manager.LanguageID()) {
    Attribs->SetLanguage(Manager.LanguageID());
    TUIGuard::Run(this, [] { Attribs->SaveAttribs(); });
  }
  AppendLingroveToAbout();
  UpdateStatusBar();
}

void TUIMainForm::ApplyOptions() {
  if (!Attribs)
    return;
  SwitchInterfaceLanguage(Attribs->Language());
  ApplyRecoveryDelay();
  FRecovery->SetFolder(RecoveryFolder());
  ApplyMemoryOptions();
  // The personal word list may have lost words: the dictionary is read anew.
  FSpellingLangID = 0;
  FSpelling->Close();
  RestartChecks();
}

void TUIMainForm::ApplyRecoveryDelay() {
  if (!Attribs)
    return;
  constexpr int LongestWait = 60000;
  const int Delay = std::clamp(Attribs->RecoveryDelay(), 1, 600) * 1000;
  FRecovery->SetDelays(Delay, std::max(Delay, LongestWait));
}

void TUIMainForm::LoadWindowState() {
  TUIGuard::Run(this, [this] {
    if (!Attribs || Attribs->IsFirstRun())
      SaveToolbarLayout();
    TAppConfigIniFile Store;
    QByteArray Layout;
    {
      QBuffer Buffer(&Layout);
      Buffer.open(QIODevice::WriteOnly);
      Store.ReadBinaryStream(QStringLiteral("Toolbars"), QStringLiteral("Layout"), Buffer);
    }
    if (!Layout.isEmpty())
      restoreState(Layout);
    SyncToolbarItems();

    const QString State = QStringLiteral("State");
    const bool ShowStatusBar = Store.ReadBool(State, QStringLiteral("ShowStatusBar"), true);
    statusBar()->setVisible(ShowStatusBar);
    MenuViewStatusBar->setChecked(ShowStatusBar);
    ReadSuggestionsState(Store, State);

    const bool Stored = Store.SectionExists(State);
    const QRect Current = geometry();
    QRect Rect = Current;
    if (Stored) {
      const int Left = Store.ReadInteger(State, QStringLiteral("WindowLeft"), Current.left());
      const int Top = Store.ReadInteger(State, QStringLiteral("WindowTop"), Current.top());
      const int Right =
          Store.ReadInteger(State, QStringLiteral("WindowRight"), Left + Current.width());
      const int Bottom =
          Store.ReadInteger(State, QStringLiteral("WindowBottom"), Top + Current.height());
      Rect = QRect(Left, Top, Right - Left, Bottom - Top);
    }
    // Nothing stored yet, or a rectangle on a screen that is gone or too
    // small to use: the designed size, centred on the primary screen.
    const QScreen *Screen = QGuiApplication::screenAt(Rect.center());
    if (!Stored || !Screen || Rect.width() < 200 || Rect.height() < 150) {
      if (Rect.width() < 200 || Rect.height() < 150)
        Rect.setSize(Current.size());
      if (const QScreen *Primary = QGuiApplication::primaryScreen())
        Rect.moveCenter(Primary->availableGeometry().center());
    }
    setGeometry(Rect);
    if (Store.ReadBool(State, QStringLiteral("WindowMaximized"), false))
      setWindowState(windowState() | Qt::WindowMaximized);
  });
}

void TUIMainForm::SaveToolbarLayout() {
  TAppConfigIniFile Store;
  QByteArray Layout = saveState();
  QBuffer Buffer(&Layout);
  Buffer.open(QIODevice::ReadOnly);
  Store.WriteBinaryStream(QStringLiteral("Toolbars"), QStringLiteral("Layout"), Buffer);
}

void TUIMainForm::SyncToolbarItems() {
  findChild<QAction *>(QStringLiteral("MenuViewToolbarStandard"))
      ->setChecked(!StandardToolbar->isHidden());
  findChild<QAction *>(QStringLiteral("MenuViewToolbarEdit"))->setChecked(!EditToolbar->isHidden());
}

void TUIMainForm::SaveWindowState() {
  TUIGuard::Run(this, [this] {
    SaveToolbarLayout();
    TAppConfigIniFile Store;
    const QString State = QStringLiteral("State");
    // The normal rectangle, so that a maximized window keeps its restored size.
    const QRect Rect = isMaximized() ? normalGeometry() : geometry();
    Store.WriteBool(State, QStringLiteral("ShowStatusBar"), !statusBar()->isHidden());
    WriteSuggestionsState(Store, State);
    Store.WriteBool(State, QStringLiteral("WindowMaximized"), isMaximized());
    Store.WriteInteger(State, QStringLiteral("WindowLeft"), Rect.left());
    Store.WriteInteger(State, QStringLiteral("WindowTop"), Rect.top());
    Store.WriteInteger(State, QStringLiteral("WindowRight"), Rect.left() + Rect.width());
    Store.WriteInteger(State, QStringLiteral("WindowBottom"), Rect.top() + Rect.height());
  });
}

void TUIMainForm::closeEvent(QCloseEvent *Event) {
  if (CloseWhileBusy(Event))
    return;
  bool CanClose = false;
  TUIGuard::Run(this, [&] { CanClose = CanCloseTranslation(true); });
  if (CanClose)
    Event->accept();
  else
    Event->ignore();
}
