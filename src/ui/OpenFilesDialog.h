#pragma once

#include "AppMRUList.h"
#include "BaseDialog.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TZrLanguageController;

// Turns a filter of description and pattern pairs separated by "|"
// ("Language source files (*.zrlang)|*.zrlang|All Files (*.*)|*.*") into
// the form of Qt's file dialogs ("Language source files (*.zrlang);;All
// Files (*)"). "*.*" means every file, also one without an extension.
QString FileDialogFilter(QStringView Filter);

// The dialog in which the user names the files of a document: the language
// source, optionally a translation whose values are shown instead of the
// source's, and a new translation or an existing one to edit. Each Browse
// button and OK keep the three recent-file histories.
//
// Use:
//   QString Source, Display, Translation;
//   if (TUIOpenFilesDialog::Execute(this, Source, Display, Translation)) ...
// or create it with CreateForm<TUIOpenFilesDialog>(), exec() it and read
// SourceFileName(), DisplayFileName() and TranslationFileName().
class TUIOpenFilesDialog : public TUIBaseDialog {
  Q_OBJECT

public:
  explicit TUIOpenFilesDialog(QWidget *AOwner = nullptr);
  ~TUIOpenFilesDialog() override;

  // Shows the dialog modally; on OK sets the three names and answers true.
  // An empty DisplayFile means no display translation, an empty
  // TranslationFile a new translation.
  static bool Execute(QWidget *AOwner, QString &SourceFile, QString &DisplayFile,
                      QString &TranslationFile);

  // The names as the caller takes them from a dialog that ended with OK.
  QString SourceFileName() const;
  // Empty unless "Use the following translation file" is checked.
  QString DisplayFileName() const;
  // Empty unless "Open an existing translation file" is selected.
  QString TranslationFileName() const;

  // Asks the user for a file to open and answers its path, or an empty
  // string when cancelled. Filter is in the "description|pattern" form.
  using TOpenFileFunc = std::function<QString(QWidget *Owner, const QString &Title,
                                              const QString &InitialDir, const QString &Filter)>;
  // Replaces the system's open-file dialog (tests answer it); an empty
  // function restores it.
  static void SetOpenFileFunc(TOpenFileFunc Func);

  // The file types of the browse buttons' dialogs, in the interface language.
  static QString SourceFilter();
  static QString TranslationFilter();

  QGroupBox *LanguageGroup;
  QLabel *SourceFileLabel;
  QComboBox *SourceFileCombo;
  QPushButton *SourceFileButton;
  QCheckBox *UseDisplayFileCheck;
  QComboBox *DisplayFileCombo;
  QPushButton *DisplayFileButton;
  QGroupBox *TranslationGroup;
  QLabel *TranslationFileLabel;
  QRadioButton *NewTranslationRadio;
  QRadioButton *OpenTranslationRadio;
  QComboBox *TranslationFileCombo;
  QPushButton *TranslationFileButton;

protected:
  void UpdateCaptions() override;
  void UpdateSize() override;

  // The enabled states of the display and translation rows, then the OK rule.
  void UpdateControls(QObject *Sender);
  // A combo's text changed: re-evaluates OK when it names an existing file.
  void FileComboChange(QObject *Sender);
  void SourceFileButtonClick();
  void DisplayFileButtonClick();
  void TranslationFileButtonClick();
  // Records the chosen names in their histories before the dialog closes.
  void DialogButtonsClickOk();

private:
  // OK is available once a source is named, and a display file and an
  // existing translation file where the user asked for them.
  bool CanAccept() const;
  void UpdateOK();
  void Browse(QComboBox *Combo, TMRUKind Kind, QStringView TitleConstant, const QString &Filter);
  QComboBox *NewFileCombo(QWidget *Parent, const char *Name, TMRUKind Kind);
  QPushButton *NewBrowseButton(QWidget *Parent, const char *Name);
  void CreateLangController();

  TZrLanguageController *ZrLanguageController = nullptr;
};
