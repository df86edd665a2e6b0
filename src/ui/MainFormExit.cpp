// The end of the program with a document open.
#include "MainForm.h"

#include "DocumentProblems.h"
#include "EntryTreeModel.h"
#include "TranslationDocument.h"

void TUIMainForm::ReleaseForExit() {
  FTreeModel->Clear();
  FProblems->Attach(nullptr);
  FDocument->CloseAtExit();
  CloseTranslation();
  SaveWindowState();
}
