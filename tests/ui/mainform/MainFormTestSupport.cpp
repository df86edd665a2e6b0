#include "MainFormTestSupport.h"

#include "InterfaceTexts.h"

#include <QTreeView>
#include <QTest>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include "EntryTreeModel.h"

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

bool TTestMainForm::ChooseExchangeFile(bool, QString &Path) {
  ++ExchangeDialogShown;
  ExchangeProposedPath = Path;
  if (ExchangePath.isEmpty())
    return false;
  Path = ExchangePath;
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

namespace {

// QTest releases a modifier key with the modifier still set, as X11 reports
// it, so after a Ctrl+key click the application believes Ctrl is held until
// the next key event, and a test that follows in the same process would
// select with Ctrl. Each test starts with no key held.
class TReleaseHeldKeys : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo &) override {
    if (QGuiApplication::keyboardModifiers() == Qt::NoModifier)
      return;
    QWidget Receiver;
    QTest::keyRelease(&Receiver, Qt::Key_Control, Qt::NoModifier);
  }
};

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings and lock files go to a folder of this run, never the user's.
  QTemporaryDir Home;
  qputenv("XDG_CONFIG_HOME", Home.filePath(QStringLiteral("config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", Home.filePath(QStringLiteral("data")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", Home.filePath(QStringLiteral("runtime")).toLocal8Bit());
  QDir().mkpath(Home.filePath(QStringLiteral("runtime")));
  QFile::setPermissions(Home.filePath(QStringLiteral("runtime")),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QApplication App(argc, argv);
  InstallInterfaceTexts();
  InitializeAttribs();
  // Edits made to test saving may leave errors; the tests of the question
  // before such a save turn it on.
  Attribs->SetAskSaveWithErrors(false);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new TReleaseHeldKeys);
  const int Result = RUN_ALL_TESTS();
  FinalizeAttribs();
  return Result;
}

QTreeView &TreeOf(QWidget &Form) {
  return *Form.findChild<QTreeView *>(QStringLiteral("MainStringTree"));
}

TEntryTreeModel &ModelOf(QWidget &Form) {
  return *qobject_cast<TEntryTreeModel *>(TreeOf(Form).model());
}

QPlainTextEdit &MemoOf(QWidget &Form) {
  return *Form.findChild<QPlainTextEdit *>(QStringLiteral("TranslationValueMemo"));
}

QString CurrentEntry(QWidget &Form) {
  const QModelIndex Current = TreeOf(Form).currentIndex().siblingAtColumn(0);
  return Current.parent().data().toString() + u'/' + Current.data().toString();
}

void TypeText(QWidget *W, const QString &Text) {
  for (QChar Ch : Text) {
    if (Ch.unicode() < 0x80) {
      QTest::keyClick(W, char(Ch.unicode()));
    } else {
      QKeyEvent Press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(Ch));
      QKeyEvent Release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(Ch));
      QApplication::sendEvent(W, &Press);
      QApplication::sendEvent(W, &Release);
    }
  }
}
