#pragma once

#include "BaseDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TZrLang_Params;
class TZrLanguageController;

// The dialog in which the user sets the properties of the translation being
// edited: its source and translation languages (rows of the language table),
// the target application and version, and the translator.
//
// Use:
//   if (TUITransPropsDialog::Execute(this, SourceLangID, TranslationLangID,
//                                    Translations->Params())) SetModified(true);
class TUITransPropsDialog : public TUIBaseDialog {
  Q_OBJECT

public:
  explicit TUITransPropsDialog(QWidget *AOwner = nullptr);
  ~TUITransPropsDialog() override;

  // Fills the dialog from the LANGIDs and the header parameters
  // "TargetApplication" and "Author" and shows it modally. On OK the LANGIDs
  // become the selected rows' (a source language that is not in the table
  // and was not chosen stays as it was), the parameters are replaced by just
  // those two, an empty value leaving its parameter out, and the answer is
  // true. Otherwise nothing changes.
  static bool Execute(QWidget *AOwner, quint16 &SourceLangID, quint16 &TranslationLangID,
                      TZrLang_Params &Params);

  // The table row of an LCID, -1 when it is not there.
  static int IndexOfLCID(quint16 LCID);
  // Selects the source language; an LCID not in the table clears the choice.
  void SetLCID(quint16 LCID);
  void SetTranslationLCID(quint16 LCID);
  // The LCIDs of the selected rows, Fallback when no row is selected.
  quint16 SourceLCID(quint16 Fallback) const;
  quint16 TranslationLCID(quint16 Fallback) const;
  QString TargetApplication() const;
  void SetTargetApplication(const QString &Value);
  QString Author() const;
  void SetAuthor(const QString &Value);

  QGroupBox *LanguageGroup;
  QLabel *SourceLanguageLabel;
  QComboBox *SourceLanguageCombo;
  QLabel *TranslationLanguageLabel;
  QComboBox *TranslationLanguageCombo;
  QGroupBox *TranslationGroup;
  QLabel *TargetLabel;
  QComboBox *TargetCombo;
  QLabel *AuthorLabel;
  QLineEdit *AuthorEdit;

protected:
  void UpdateCaptions() override;
  void UpdateSize() override;
  // The user chose a translation language: OK is available once one is
  // selected.
  void TranslationLanguageComboChange(QObject *Sender);

private:
  void CreateLangController();

  TZrLanguageController *ZrLangController = nullptr;
};
