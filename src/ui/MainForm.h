#pragma once

#include "StartArguments.h"
#include "TranslationChecks.h"

#include "Forms.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class TTranslationMemory;
class TMainFormSuggestions;
class TCustomIniFile;
class QLabel;
class TDocumentProblems;
class TDocumentRecovery;
class TDocumentFileWatch;
class TDiskChangeBar;
class TBackgroundComparer;
class TBackgroundReader;
struct TDiskDifference;
class TProgressPanel;
struct TReadDocument;
class QCloseEvent;
struct TAbandonedRecovery;
class TSpellingSession;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QActionGroup;
class QKeyEvent;
class QDragEnterEvent;
class QDropEvent;
class QToolBar;
class QUndoStack;
class TEntryTreeView;
class QModelIndex;
class TAction;
class TEntryTreeModel;
class TFilterBar;
class TFindBar;
struct TEntryHit;
class TLangSource;
class TTranslationDocument;
class TZrLang_CompTranslations;
class TZrLanguageController;

// The main window: at most one open document (a language source, the
// translation being edited and an optional display translation), the menus,
// toolbars and actions of the program, the status bar and the interface
// language menu. Create it with CreateForm<TUIMainForm>().
class TUIMainForm : public TMainForm {
  Q_OBJECT

public:
  explicit TUIMainForm(QWidget *Parent = nullptr);
  ~TUIMainForm() override;

  bool Modified() const;
  void SetModified(bool Value);
  // The translation's file name, or "Untitled.lng" in the interface language.
  QString DisplayTranFilename() const;
  bool HasDocument() const;
  // The document the window shows; empty while none is open.
  TTranslationDocument &Document() { return *FDocument; }
  // The document's undo steps, which the Undo and Redo actions take back and
  // do again.
  QUndoStack &UndoStack() { return *FUndoStack; }

  // True when the document may be discarded; with Prompt and unsaved changes
  // the user is asked whether to save them first.
  // An in-place edit still open in the grid is stored first.
  bool CanCloseTranslation(bool Prompt);
  void CloseTranslation();
  // The process ends next: closes the document without asking, removes its
  // recovery file and saves the window's state, leaving the document's
  // records to the system to reclaim.
  void ReleaseForExit();
  // Saves the translation, asking for a file name when there is none or
  // bNewName is set; false when nothing was saved.
  virtual bool SaveTranslation(bool bNewName);
  void OpenTranslation();
  // What the window opens at its first idle moment instead of showing the
  // open files dialog. REQUIRES: called before the window is shown.
  void SetStartFiles(const TStartFiles &Files) { FStartFiles = Files; }
  // Opens files named on the command line or dropped on the window, after
  // asking to save unsaved changes: a source with its translation directly
  // (a translation that does not exist yet starts a new one, proposed under
  // that name when saving); a translation alone through the open files
  // dialog, filled in with it.
  void OpenFiles(const TStartFiles &Files);
  // File > Recent Projects, from the stored list.
  void BuildRecentProjectsMenu();
  // Opens a document: a blank display path means none, a blank translation
  // path a new translation. All or nothing: on failure no document is open
  // and the error is raised. A large document is read on a worker thread
  // (see SetBackgroundBytes); then a failure, or a Cancel, leaves the
  // document that was open as it was. Ignored while the window is busy.
  void LoadTranslation(const QString &SourcePath, const QString &DisplayPath,
                       const QString &TranslationPath);
  virtual bool EditTranslationProperties();
  // Documents whose files together are larger than this many bytes are read
  // on a worker thread and written with progress shown.
  void SetBackgroundBytes(qint64 Bytes) { FBackgroundBytes = Bytes; }
  TBackgroundReader &BackgroundReader() { return *FReader; }
  TBackgroundComparer &BackgroundComparer() { return *FComparer; }
  // A large document is being read or written: the window takes no command.
  bool IsBusy() const { return FBusy; }
  // File > Export: the translation's entries to an XLIFF or PO file, the
  // format following the file name's extension.
  void ExportTranslation();
  // File > Import: the translations of an XLIFF or PO file into the open
  // translation as one undo step; says how many units were taken and which
  // matched no entry.
  void ImportTranslation();
  // Writes the translation to Path after the encoding check, which then is
  // the translation's file name; false when the user cancelled at that check.
  bool WriteTranslationFile(const QString &Path, bool bUnicode);
  // Asks whether to save a translation with errors (unless the setting says
  // not to); a No selects the first entry with an error.
  bool ConfirmSaveWithErrors();

  // Null without a document.
  const TLangSource *LangSource() const;
  TZrLang_CompTranslations *Translations() const;
  const QString &TranslationFilename() const;
  quint16 LangIDSource() const;
  quint16 LangIDTranslation() const;
  void CheckForUpdates();

  void UpdateCaption();
  void UpdateStatusBar();
  void UpdateCurrentEntryEditor();
  void UpdateEntryProperties();
  void UpdateActions();
  // The editable entry with the focus, -1 when none.
  int CurrentEntryPosition() const;
  void UpdateIgnoreProblemActions();
  void BuildLanguageMenu();
  void LanguageItemClick(QAction *Item);
  // Switches the interface to the language LangID and stores it as the
  // setting; a language that cannot be read leaves it as it was.
  void SwitchInterfaceLanguage(quint16 LangID);
  // Takes up the settings Tools > Options changed.
  void ApplyOptions();
  void LoadWindowState();
  void SaveWindowState();

  TZrLanguageController *LangController() const { return FLangController; }
  // The folder of the interface language files: "Languages" beside the
  // program, else the installed one (see FindLanguageFolder).
  static QString LanguageFolder();
  // Where recovery files of documents with unsaved changes are kept: the
  // RecoveryFolder setting, else the default folder.
  static QString RecoveryFolder();
  // The translation memory's file: the MemoryPath setting, else the default.
  static QString MemoryPath();
  // Tools > Pre-translate: asks for exact or also fuzzy matches, fills the
  // untranslated entries from the memory as one undo step and says how many
  // it filled. A memory that fails changes nothing and says why.
  void PretranslateTranslation();

protected:
  void Construct() override;
  // The save dialog: proposes Path and an encoding, returns false when the
  // user cancels. Tests replace it.
  virtual bool ChooseSaveFile(QString &Path, bool &bUnicode);
  // The open files dialog; false when cancelled.
  virtual bool ChooseFilesToOpen(QString &SourcePath, QString &DisplayPath,
                                 QString &TranslationPath);
  virtual void ShowDifferences(const QString &Log, const QList<int> &Counts);
  // The file dialog of an export (bSave) or an import, starting at Path;
  // false when cancelled. Tests replace it.
  virtual bool ChooseExchangeFile(bool bSave, QString &Path);
  // What the translation properties dialog sets; for stand-ins of it.
  void SetLangIDTranslation(quint16 Value);
  void closeEvent(QCloseEvent *Event) override;
  bool eventFilter(QObject *Watched, QEvent *Event) override;
  void dragEnterEvent(QDragEnterEvent *Event) override;
  void dropEvent(QDropEvent *Event) override;

private:
  friend class TMainFormSuggestions;
  TAction *NewAction(const char *Name, const QString &Caption, const QKeySequence &Shortcut,
                     const QString &Hint, const QString &Category, int ImageIndex);
  void CreateActions();
  void CreateMenus();
  void CreateToolbars();
  void CreateCentralArea();
  // The filter bar above the grid, its menu item and its status label.
  void CreateFilterBar();
  void CreateFindBar();
  // Find and replace through the find bar: over the rows the filter shows,
  // in tree order, wrapping around.
  void FindNext(bool Backward);
  void ReplaceCurrent();
  void ReplaceAll();
  // Selects the hit's match in the memo that shows its field.
  void SelectMatchInMemo(const TEntryHit &Hit);
  void UpdateFilterStatus();
  void CreateStatusBar();
  void CreateLangController();
  void AppendLingroveToAbout();
  void ApplicationIdle();
  // Offers the recovery files of instances that ended without saving; true
  // when one was recovered.
  bool OfferRecovery();
  void RecoverDocument(TAbandonedRecovery &Recovery);
  void CreateDiskChangeBar();
  void CreateProgressPanel();
  bool IsLargeDocument(const QString &SourcePath, const QString &DisplayPath,
                       const QString &TranslationPath) const;
  // Reads the files on the worker while the window shows the progress and
  // stays responsive; false when the user cancelled. Raises the read's
  // error; the open document is untouched either way. After a read that
  // succeeded, the open document is closed, the progress hidden, and the
  // window stays busy until EndBackgroundRead.
  bool ReadInBackground(const QString &SourcePath, const QString &DisplayPath,
                        const QString &TranslationPath, TReadDocument &Read);
  void EndBackgroundRead();
  // Lets the window repaint between two long steps on the interface thread.
  void TurnEventLoop();
  // Disables every command and the editing while a large document is read
  // or written, and enables them again as they were.
  void SetBusy(bool Busy);
  // Compares the translation at Path with the open document on the worker
  // while the window shows the progress and stays responsive, also until
  // the worker stops after a Cancel; false when the user cancelled. Raises
  // the comparison's error; the document is untouched either way.
  bool CompareInBackground(const QString &Path, std::vector<TDiskDifference> &Differences);
  // A close during a read or a comparison cancels it; true when it did.
  bool CloseWhileBusy(QCloseEvent *Event);
  void SaveWithProgress(const QString &Path, bool bUnicode);
  // A file of the document changed on disk (a TDocumentFileWatch::TFile).
  void FileChangedOnDisk(int File);
  void ReloadDocument();
  // Lists the entries of the translation on disk that differ from the open
  // ones; Reload and Keep Mine can be chosen there too.
  void CompareWithDisk();
  // False when the translation changed on disk and the user keeps it.
  bool ConfirmOverwriteChanged(const QString &Path);
  void UpdateLanguageHints();
  void CheckCurrentLanguage();
  void SaveToolbarLayout();
  void SyncToolbarItems();
  // Shows the open document in the grid (none: the placeholder):
  // AttachTree, then ShowTree.
  void RebuildTree();
  // The model, the checks and the speller follow the open document.
  void AttachTree();
  // The grid's rows laid out, the first entry selected, the memos, status
  // bar and commands up to date.
  void ShowTree();
  void GoTo(const QModelIndex &Target);
  QList<QModelIndex> SelectedEntries() const;
  void TranslationMemoChanged();
  // Opens the dictionary of the translation's language for the editors and
  // the checks unless it is open already; says in the status bar when there
  // is none.
  void OpenSpelling();
  // Checks the document anew with the checks the settings choose.
  void RestartChecks();
  TTranslationCheckSet EditorChecks() const;
  void ApplyRecoveryDelay();
  // The checks' speller: the session while it has a dictionary.
  TSpellingSession *CheckSpeller() const;
  // The memo's own context menu with the spelling items for the word at Pos
  // (viewport coordinates).
  void ShowMemoContextMenu(const QPoint &Pos);
  // Replaces Length characters at Start of the memo's line BlockNumber with
  // Text, unless that line no longer reads Line.
  void ReplaceInMemo(int BlockNumber, const QString &Line, qsizetype Start, qsizetype Length,
                     const QString &Text);
  // Stores the text of the grid's open in-place editor, if any, as Enter
  // would, so that no check for unsaved changes misses it.
  void CommitPendingEdit();
  bool GridHasEntryFocus() const;
  void UpdateClipboardActions();
  bool CopyEntryValue(const QModelIndex &Row);
  void EditCopy();
  void EditCut();
  void EditPaste();
  void CopySourceToTranslation();
  // Asks for a property ID or a constant name and selects the next entry it
  // names.
  void GoToEntry();
  // The undo and redo items name the step they would take back or again.
  void UpdateUndoActions();
  // A memo's own undo history, while typing goes on in the entries it shows;
  // Ctrl+Z there goes to the document once that history is used up.
  bool MemoUndoKey(QKeyEvent *Event);

  // The Suggestions pane beside the memos (MainFormSuggestions.cpp); whether
  // it is shown is kept with the window's state.
  void CreateSuggestions();
  // The project's index of the suggestions belongs to the document shown.
  void SuggestionsDocumentChanged();
  void ReadSuggestionsState(const TCustomIniFile &Store, const QString &Section);
  void WriteSuggestionsState(TCustomIniFile &Store, const QString &Section);
  TMainFormSuggestions *FSuggestions = nullptr;

  // The user's translation memory, opened on the first load (null when it
  // cannot be used: the editor works on without it). Declared before the
  // document, which refers to it, so that it goes after it.
  std::unique_ptr<TTranslationMemory> FMemory;
  bool FMemoryOpened = false;
  TTranslationMemory *TranslationMemory();
  // The memory, opened anew when it failed before: its error is raised.
  TTranslationMemory &RequiredMemory();
  // Opens the memory anew when the settings name another file.
  void ApplyMemoryOptions();
  bool MemoryHoldsDocumentPair();
  void CreateMemoryActions();
  // Fills the opened translation with exact matches when the user asked for
  // it in the differences dialog; the outcome goes to the status bar.
  void PretranslateOnOpen();
  bool FPretranslateOnOpen = false;
  // Always there; empty while no document is open.
  std::unique_ptr<TTranslationDocument> FDocument;
  QUndoStack *FUndoStack = nullptr; // of FDocument's history
  // The problems of the open document's entries, checked in slices.
  TDocumentProblems *FProblems = nullptr;
  TDocumentRecovery *FRecovery = nullptr;
  TDocumentFileWatch *FFileWatch = nullptr;
  TDiskChangeBar *FDiskChangeBar = nullptr;
  TBackgroundReader *FReader = nullptr;
  TBackgroundComparer *FComparer = nullptr;
  TProgressPanel *FProgress = nullptr;
  bool FBusy = false;
  QList<QPointer<QAction>> FBusyDisabled;
  qint64 FBackgroundBytes = qint64(8) << 20;
  // The spelling of the translation's language, for the memo, the grid's
  // editors and the checks; the language it was sought for (0: none yet).
  TSpellingSession *FSpelling = nullptr;
  quint16 FSpellingLangID = 0;
  bool FCmdLineChecked = false;
  bool FIsDestroying = false;
  bool FSettingTextFromEditor = false;
  bool FUpdatingCurrentEntryEditor = false;
  bool FUpdatingEntryProperties = false;
  bool FWebUpdateConnectFailed = false;
  // The typing in the memo since it was last loaded is one undo step.
  int FTypingMergeKey = 1;
  QString FLastGoToKey;
  TStartFiles FStartFiles;
  // Where a new translation started from the command line is to be saved.
  QString FProposedTranslationPath;

  TZrLanguageController *FLangController = nullptr;

  TAction *ActionFileOpen = nullptr;
  TAction *ActionFileSave = nullptr;
  TAction *ActionFileSaveAs = nullptr;
  TAction *ActionFileExport = nullptr;
  TAction *ActionFileImport = nullptr;
  TAction *ActionFileExit = nullptr;
  TAction *ActionEditUndo = nullptr;
  TAction *ActionEditRedo = nullptr;
  TAction *ActionEditCopySource = nullptr;
  TAction *ActionEditGoTo = nullptr;
  TAction *ActionEditCut = nullptr;
  TAction *ActionEditCopy = nullptr;
  TAction *ActionEditPaste = nullptr;
  TAction *ActionEditMarkItemTrans = nullptr;
  TAction *ActionEditPreviousItem = nullptr;
  TAction *ActionEditNextItem = nullptr;
  TAction *ActionEditJumpPrevious = nullptr;
  TAction *ActionEditJumpNext = nullptr;
  TAction *ActionEditPreviousProblem = nullptr;
  TAction *ActionEditNextProblem = nullptr;
  TAction *ActionEditIgnoreProblem = nullptr;
  TAction *ActionEditShowIgnoredProblems = nullptr;
  TAction *ActionEditTransProperties = nullptr;
  TAction *ActionViewExpandAll = nullptr;
  TAction *ActionViewCollapseAll = nullptr;
  TAction *ActionViewFilter = nullptr;
  TAction *ActionEditFind = nullptr;
  TAction *ActionEditFindNext = nullptr;
  TAction *ActionEditFindPrevious = nullptr;
  TAction *ActionEditReplace = nullptr;
  TAction *ActionToolsPretranslate = nullptr;
  TAction *ActionToolsOptions = nullptr;
  TAction *ActionHelpDoc = nullptr;
  TAction *ActionHelpUpdates = nullptr;
  TAction *ActionHelpAbout = nullptr;

  QMenu *MenuRecentProjects = nullptr;
  QMenu *MenuJumpTo = nullptr;
  QMenu *MenuLanguages = nullptr;
  QActionGroup *FLanguageGroup = nullptr;
  QAction *MenuViewStatusBar = nullptr;
  QToolBar *StandardToolbar = nullptr;
  QToolBar *EditToolbar = nullptr;
  TEntryTreeView *MainStringTree = nullptr;
  TEntryTreeModel *FTreeModel = nullptr;
  QPlainTextEdit *SourceValueMemo = nullptr;
  QPlainTextEdit *TranslationValueMemo = nullptr;
  QLabel *SBComponents = nullptr;
  QLabel *SBProperties = nullptr;
  QLabel *SBConstants = nullptr;
  QLabel *SBProblems = nullptr;
  TFilterBar *FilterBar = nullptr;
  TFindBar *FindBar = nullptr;
  QLabel *SBFilter = nullptr;
};
