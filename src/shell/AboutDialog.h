#pragma once

#include "Forms.h"

class QHBoxLayout;
class QLabel;
class TAboutBanner;
class TDialogButtons;
class TLinkLabel;
class TZrLanguageController;

// The About dialog: the title picture, the program's version, its maker and
// a link to the End User License Agreement ("License.txt" beside the
// program), which is hidden when that file is missing and opened through
// OpenUrl. It only informs; OK, Enter and Escape close it. The dialog takes
// the size its content needs, so longer captions of another language make
// it grow.
//
// Use: TUIAboutDialog::Execute(this);
class TUIAboutDialog : public TDialogForm {
  Q_OBJECT

public:
  // ProgramFolder is where the licence file is looked for; empty means the
  // folder of the running program.
  explicit TUIAboutDialog(QWidget *AOwner = nullptr, const QString &ProgramFolder = QString());
  ~TUIAboutDialog() override;

  // Creates the dialog, shows it modally over AOwner and frees it.
  static void Execute(QWidget *AOwner);

  // The licence file of a program folder.
  static QString LicenseFileName(const QString &ProgramFolder);
  // The licence file this dialog links to, whether or not it exists.
  const QString &LicenseFile() const { return FLicenseFile; }

  TAboutBanner *TitlePicture;
  QLabel *VersionLabel;
  QLabel *VersionNumberLabel;
  QLabel *MakerLabel;
  TLinkLabel *LicenseLink;
  TDialogButtons *DialogButtons;

protected:
  void UpdateCaptions() override;
  void UpdateSize() override;
  // Opens the licence file in the desktop's viewer.
  void LicenseLinkClick();

private:
  void CreateLangController();

  TZrLanguageController *ZrLanguageController = nullptr;
  QHBoxLayout *FVersionRow = nullptr;
  QString FLicenseFile;
};
