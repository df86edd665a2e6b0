#include "FormRegistry.h"

#include "AboutDialog.h"
#include "DifferencesDialog.h"
#include "DiskCompareDialog.h"
#include "MainForm.h"
#include "OpenFilesDialog.h"
#include "OptionsDialog.h"
#include "PretranslateDialog.h"
#include "TransPropsDialog.h"

std::vector<TFormDescriptor> LingroveForms() {
  return {
      {QStringLiteral("Application.MainForm"), [] { return CreateForm<TUIMainForm>(); }},
      {QStringLiteral("Dialog.Differences"), [] { return CreateForm<TUIDifferencesDialog>(); }},
      {QStringLiteral("Dialog.DiskCompare"), [] { return CreateForm<TUIDiskCompareDialog>(); }},
      {QStringLiteral("Dialog.OpenFiles"), [] { return CreateForm<TUIOpenFilesDialog>(); }},
      {QStringLiteral("Dialog.Options"), [] { return CreateForm<TUIOptionsDialog>(); }},
      {QStringLiteral("Dialog.Pretranslate"), [] { return CreateForm<TUIPretranslateDialog>(); }},
      {QStringLiteral("Dialog.Properties"), [] { return CreateForm<TUITransPropsDialog>(); }},
      {QStringLiteral("UI.Dialog.About"), [] { return CreateForm<TUIAboutDialog>(); }},
  };
}
