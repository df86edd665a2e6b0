// Recovering the unsaved changes of an instance that ended unexpectedly.
#include "MainForm.h"

#include "AppAttribs.h"
#include "DocumentRecovery.h"
#include "LanguageManager.h"
#include "DocumentProblems.h"
#include "SpellingSession.h"
#include "Exceptions.h"
#include "TranslationDocument.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

QString TUIMainForm::RecoveryFolder() {
  const QString Setting = Attribs ? Attribs->RecoveryFolder() : QString();
  return Setting.isEmpty() ? DefaultRecoveryFolder() : Setting;
}

bool TUIMainForm::OfferRecovery() {
  std::vector<TAbandonedRecovery> Abandoned = FindAbandonedRecoveries(RecoveryFolder());
  for (TAbandonedRecovery &Recovery : Abandoned) {
    const TRecoveryData &Data = Recovery.Data;
    const QString Name = Data.TranslationPath.isEmpty()
                             ? LangConstant(u"SUntitled") + QStringLiteral(".lng")
                             : Data.TranslationPath;
    QMessageBox Box(QMessageBox::Question, QString(),
                    LangConstantFmt(u"SMessageRecover",
                                    {ZrLang_QuotedName(Name),
                                     QLocale().toString(Data.LastChange.toLocalTime(),
                                                        QLocale::ShortFormat)}),
                    QMessageBox::NoButton, this);
    QPushButton *Recover =
        Box.addButton(LangConstant(u"SDialogButtonRecover"), QMessageBox::AcceptRole);
    QPushButton *Discard =
        Box.addButton(LangConstant(u"SDialogButtonDiscard"), QMessageBox::DestructiveRole);
    QPushButton *Later = Box.addButton(LangConstant(u"SDialogButtonLater"), QMessageBox::RejectRole);
    Box.setDefaultButton(Recover);
    Box.setEscapeButton(Later);
    Box.exec();
    if (Box.clickedButton() == Recover) {
      RecoverDocument(Recovery);
      // The document now has a recovery file of its own.
      DiscardRecovery(Recovery);
      return true;
    }
    if (Box.clickedButton() == Discard)
      DiscardRecovery(Recovery);
  }
  return false;
}

void TUIMainForm::RecoverDocument(TAbandonedRecovery &Recovery) {
  const TRecoveryData &Data = Recovery.Data;
  LoadTranslation(Data.SourcePath, Data.DisplayPath, Data.TranslationPath);
  if (!HasDocument())
    return;
  if (Data.LangIDSource != 0 && Data.LangIDTranslation != 0) {
    const TTranslationLanguages Languages{Data.LangIDSource, Data.LangIDTranslation};
    if (Languages.LangIDSource != FDocument->Languages().LangIDSource ||
        Languages.LangIDTranslation != FDocument->Languages().LangIDTranslation) {
      FDocument->SetLanguages(Languages);
      FDocument->SetModified(true);
      RestartChecks();
    }
  }
  std::vector<TTranslationDocument::TEntryState> States;
  States.reserve(Data.Entries.size());
  for (const TRecoveryEntry &E : Data.Entries) {
    const int Position = FDocument->FindEntryKey(E.Key);
    if (Position >= 0)
      States.push_back({Position, E.Value, E.ConstValue,
                        TZrLang_TranslationStates::FromByte(E.States)});
  }
  FDocument->SetEntries(std::move(States), LangConstant(u"SUndoRecover"));
}
