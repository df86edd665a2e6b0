// The end of the program with a document open.
#include "MainForm.h"

#include "DocumentProblems.h"
#include "EntryTreeModel.h"
#include "TranslationDocument.h"

void TUIMainForm::ReleaseForExit() {
  FProblems->Attach(nullptr);
  FTreeModel->Clear();
  FDocument->CloseAtExit();
  CloseTranslation();
  SaveWindowState();
}
