#include "MainFormTestSupport.h"

#include "AppAttribs.h"
#include "Forms.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

bool TTestMainForm::SaveTranslation(bool bNewName) {
  if (RealSave)
    return TUIMainForm::SaveTranslation(bNewName);
  ++SaveCalls;
  if (SaveResult)
    SetModified(false);
  return SaveResult;
}

bool TTestMainForm::ChooseSaveFile(QString &Path, bool &bUnicode) {
  ++SaveDialogShown;
  ProposedPath = Path;
  ProposedUnicode = bUnicode;
  if (SaveCancelled)
    return false;
  Path = SavePath;
  bUnicode = SaveUnicode;
  return true;
}

void TTestMainForm::ShowDifferences(const QString &Log, const QList<int> &Counts) {
  ++DifferencesShown;
  DifferencesLog = Log;
  DifferencesCounts = Counts;
  if (RealDifferences)
    TUIMainForm::ShowDifferences(Log, Counts);
}

bool TTestMainForm::ChooseFilesToOpen(QString &SourcePath, QString &DisplayPath,
                                      QString &TranslationPath) {
  ++OpenDialogShown;
  if (!OpenChosen)
    return false;
  SourcePath = OpenSourcePath;
  DisplayPath = OpenDisplayPath;
  TranslationPath = OpenTranslationPath;
  return true;
}

bool TTestMainForm::EditTranslationProperties() {
  ++PropertiesShown;
  if (RealProperties)
    return TUIMainForm::EditTranslationProperties();
  if (PropertiesLangID == 0)
    return false;
  SetLangIDTranslation(PropertiesLangID);
  return true;
}

std::unique_ptr<TTestMainForm> NewForm() {
  auto Form = CreateForm<TTestMainForm>();
  QCoreApplication::processEvents();
  return Form;
}

void AnswerNextMessageBox(QMessageBox::StandardButton Button, QString *Text) {
  QTimer::singleShot(0, [Button, Text] {
    auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    ASSERT_NE(Box, nullptr);
    if (Text)
      *Text = Box->text();
    Box->button(Button)->click();
  });
}

QAction *ActionNamed(QWidget &W, const char *Name) {
  return W.findChild<QAction *>(QLatin1StringView(Name));
}

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings and lock files go to a folder of this run, never the user's.
  QTemporaryDir Home;
  qputenv("XDG_CONFIG_HOME", Home.filePath(QStringLiteral("config")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", Home.filePath(QStringLiteral("runtime")).toLocal8Bit());
  QDir().mkpath(Home.filePath(QStringLiteral("runtime")));
  QFile::setPermissions(Home.filePath(QStringLiteral("runtime")),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QApplication App(argc, argv);
  InitializeAttribs();
  testing::InitGoogleTest(&argc, argv);
  const int Result = RUN_ALL_TESTS();
  FinalizeAttribs();
  return Result;
}
