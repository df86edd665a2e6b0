#pragma once

#include "BaseDialog.h"

#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class TZrLanguageController;

// Tools > Options: the program's settings on pages chosen from a list.
// It edits the process-wide settings (Attribs) and the personal word list of
// the open spelling dictionary; its memory page imports into and exports the
// memory its path names at once, being no setting; OK and Apply store them and call Applied so
// the window takes them up at once, Cancel leaves everything as it was.
//
// Use:
//   TUIOptionsDialog::Execute(this, SpellingTag, [this] { ApplyOptions(); });
class TUIOptionsDialog : public TUIBaseDialog {
  Q_OBJECT

public:
  explicit TUIOptionsDialog(QWidget *AOwner = nullptr);
  ~TUIOptionsDialog() override;

  // SpellingTag names the open dictionary ("de_DE"), empty when none is.
  // REQUIRES: Attribs exists.
  static void Execute(QWidget *AOwner, const QString &SpellingTag,
                      const std::function<void()> &Applied);

  // Fills the pages from Attribs and the word list of SpellingTag.
  void Load(const QString &SpellingTag);
  // Stores the pages into Attribs and saves them, and takes the removed
  // words out of the personal word list; raises what saving raises.
  void Store();

  QListWidget *PageList;
  QStackedWidget *Pages;
  QLabel *LanguageLabel;
  QComboBox *LanguageCombo;
  QLabel *EncodingLabel;
  QComboBox *EncodingCombo;
  QCheckBox *AskEncodingCheck;
  QCheckBox *AskSaveWithErrorsCheck;
  QLabel *ChecksLabel;
  QList<QCheckBox *> CheckBoxes; // in the order of the checks, spelling left out
  QCheckBox *SpellingCheck;
  QLabel *WordsLabel;
  QListWidget *WordsList;
  QPushButton *RemoveWordsButton;
  QLabel *RecoveryDelayLabel;
  QSpinBox *RecoveryDelaySpin;
  QLabel *RecoveryFolderLabel;
  QLineEdit *RecoveryFolderEdit;
  QPushButton *RecoveryFolderButton;
  QLabel *MemoryPathLabel;
  QLineEdit *MemoryPathEdit;
  QPushButton *MemoryPathButton;
  QLabel *MinSimilarityLabel;
  QSpinBox *MinSimilaritySpin;
  QCheckBox *AutoTranslateOnOpenCheck;
  QLabel *MemoryStatsLabel;
  QPushButton *MemoryImportButton;
  QPushButton *MemoryExportButton;

  std::function<void()> Applied;

protected:
  void UpdateCaptions() override;
  void UpdateSize() override;
  void ActionOKExecute() override;

private:
  QWidget *NewPage(const char *Name);
  void CreateMemoryPage();
  void BrowseRecoveryFolder();
  void BrowseMemoryPath();
  // The memory the page's path names (the default one while it is empty).
  QString ShownMemoryPath() const;
  // Units, pairs and file size of the memory the page names.
  void UpdateMemoryStats();
  // TMX files, and translations with their language sources, into the
  // memory the page names; then how many units were read and new.
  void ImportIntoMemory();
  void ExportMemory();
  void Changed();
  bool ApplyChanges();

  TZrLanguageController *ZrLangController = nullptr;
  QString FSpellingTag;
  QStringList FRemovedWords;
  bool bFilling = false; // Load is setting the controls
};
