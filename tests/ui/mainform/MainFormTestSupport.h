#pragma once

// Helpers shared by the main window tests: a window whose dialogs answer as
// the test says, message box answers, and the example project's folder.
// The test executable's main() (MainFormTestSupport.cpp) runs every test with
// the offscreen platform and the settings of a temporary home folder.

#include "MainForm.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class QAction;
class QPlainTextEdit;
class QTreeView;
class QWidget;
class TEntryTreeModel;

// The main window with its dialogs replaced: the save dialog, the open files
// dialog, the differences dialog and the translation properties dialog answer
// from the fields below and count how often they were asked. The Real* flags
// let the window's own code run instead.
class TTestMainForm : public TUIMainForm {
public:
  // Save flow: a stand-in that only clears Modified, unless RealSave.
  bool SaveResult = true;
  int SaveCalls = 0;
  bool RealSave = false;
  bool SaveTranslation(bool bNewName) override;

  // The save dialog's answer: the path and encoding chosen, or a cancel. The
  // proposal the window made is kept.
  QString SavePath;
  bool SaveUnicode = false;
  bool SaveCancelled = false;
  int SaveDialogShown = 0;
  QString ProposedPath;
  bool ProposedUnicode = false;

  // The differences dialog: recorded; also shown for real with
  // RealDifferences (answer it with AnswerNextDialog).
  QString DifferencesLog;
  QList<int> DifferencesCounts;
  int DifferencesShown = 0;
  bool RealDifferences = false;

  // The open files dialog, which the window shows at its first idle moment:
  // cancelled unless OpenChosen, then it answers with the three paths.
  bool OpenChosen = false;
  int OpenDialogShown = 0;
  QString OpenSourcePath;
  QString OpenDisplayPath;
  QString OpenTranslationPath;

  // The translation properties dialog: counted and cancelled, or confirmed
  // with PropertiesLangID as the translation language when that is set, or
  // shown for real with RealProperties.
  int PropertiesShown = 0;
  bool RealProperties = false;
  quint16 PropertiesLangID = 0;
  bool EditTranslationProperties() override;

  // The export and import file dialogs: counted, then answered with
  // ExchangePath, or cancelled while it is empty. The proposal is kept.
  QString ExchangePath;
  QString ExchangeProposedPath;
  int ExchangeDialogShown = 0;

protected:
  bool ChooseSaveFile(QString &Path, bool &bUnicode) override;
  bool ChooseExchangeFile(bool bSave, QString &Path) override;
  void ShowDifferences(const QString &Log, const QList<int> &Counts) override;
  bool ChooseFilesToOpen(QString &SourcePath, QString &DisplayPath,
                         QString &TranslationPath) override;
};

// A window past its first idle moment, so that its start action is done.
std::unique_ptr<TTestMainForm> NewForm();

// The example project's folder, with a trailing slash.
inline const QString Examples = QStringLiteral(LINGROVE_SOURCE_DIR "/examples/");

// Clicks Button of the next message box that opens, after storing its text
// in *Text when Text is given. REQUIRES: a message box opens before the
// event loop runs idle again; Text outlives that moment.
void AnswerNextMessageBox(QMessageBox::StandardButton Button, QString *Text = nullptr);

// The window's action of that object name, or null.
QAction *ActionNamed(QWidget &W, const char *Name);

// The window's grid, its model and the translation memo.
QTreeView &TreeOf(QWidget &Form);
TEntryTreeModel &ModelOf(QWidget &Form);
QPlainTextEdit &MemoOf(QWidget &Form);
// "Parent/Child" of the grid's current row.
QString CurrentEntry(QWidget &Form);
// Types Text into W key by key, as a keyboard would.
void TypeText(QWidget *W, const QString &Text);

// Runs Answer on the next modal dialog of class T as soon as the event loop
// shows it. REQUIRES: such a dialog opens before the event loop runs idle.
template <class T> void AnswerNextDialog(std::function<void(T &)> Answer) {
  QTimer::singleShot(0, [Answer] {
    auto *Dialog = qobject_cast<T *>(QApplication::activeModalWidget());
    ASSERT_NE(Dialog, nullptr);
    Answer(*Dialog);
  });
}
