// Unsaved changes outlive a crash: a killed editor's recovery file is
// offered at the next start and gives back exactly its edits.
#include "MainFormTestSupport.h"

#include "DocumentRecovery.h"
#include "LanguageManager.h"
#include "TranslationDocument.h"
#include "UndoDocument.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

const QString Edited = u"Application.MainForm/3"_s;
const QString Unmarked = u"Application.MainForm/4"_s;

QStringList RecoveryFiles() {
  return QDir(TUIMainForm::RecoveryFolder()).entryList({u"*.lngrecovery"_s}, QDir::Files);
}

// Clicks the message box button with Caption once a box is shown.
void ClickNextBoxButton(const QString &Caption, QString *Text) {
  auto *Poll = new QTimer;
  Poll->setInterval(10);
  QObject::connect(Poll, &QTimer::timeout, [Poll, Caption, Text] {
    auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (Box == nullptr)
      return;
    Poll->deleteLater();
    Poll->stop();
    *Text = Box->text();
    for (QAbstractButton *B : Box->buttons())
      if (B->text() == Caption)
        return B->click();
    ADD_FAILURE() << "no button " << Caption.toStdString();
  });
  Poll->start();
}

void Crash(const QString &Value) {
  QProcess Helper;
  Helper.start(QStringLiteral(RECOVERY_CRASH_HELPER),
               {Examples + u"Example.zrlang"_s, Examples + u"Example.de.lng"_s,
                TUIMainForm::RecoveryFolder(), Edited, Value, Unmarked});
  ASSERT_TRUE(Helper.waitForFinished(30000));
  ASSERT_EQ(Helper.exitStatus(), QProcess::CrashExit);
}

TEST(MainFormRecovery, OffersAKilledEditorsChangesAndRestoresExactlyThem) {
  Crash(u"Gerettet\tnach dem Absturz"_s);
  ASSERT_EQ(RecoveryFiles().size(), 1);

  QString Question;
  ClickNextBoxButton(LangConstant(u"SDialogButtonRecover"), &Question);
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  EXPECT_TRUE(Question.contains(u"Example.de.lng")) << Question.toStdString();
  EXPECT_EQ(Form.OpenDialogShown, 0);
  TTranslationDocument &Doc = Form.Document();
  ASSERT_TRUE(Doc.IsOpen());
  const TEntryTable &Entries = Doc.Entries();
  EXPECT_EQ(Entries.TranslatedValue(Doc.FindEntryKey(Edited)), u"Gerettet\tnach dem Absturz"_s);
  EXPECT_FALSE(Entries.States(Doc.FindEntryKey(Edited)).Contains(zrtsUntranslated));
  EXPECT_TRUE(Entries.States(Doc.FindEntryKey(Unmarked)).Contains(zrtsUntranslated));
  EXPECT_TRUE(Form.Modified());
  // The recovered file is gone; the document gets a file of its own once
  // written, and a clean close removes that too.
  EXPECT_TRUE(RecoveryFiles().isEmpty());
  Form.UndoStack().undo();
  EXPECT_FALSE(Form.Modified());
  Form.close();
  FormPtr.reset();
  EXPECT_TRUE(RecoveryFiles().isEmpty());
}

TEST(MainFormRecovery, DiscardDeletesAndLaterKeepsTheFile) {
  Crash(u"Verworfen"_s);
  QString Question;
  ClickNextBoxButton(LangConstant(u"SDialogButtonLater"), &Question);
  NewForm().reset();
  EXPECT_EQ(RecoveryFiles().size(), 1);
  ClickNextBoxButton(LangConstant(u"SDialogButtonDiscard"), &Question);
  auto Form = NewForm();
  EXPECT_TRUE(RecoveryFiles().isEmpty());
  EXPECT_EQ(Form->OpenDialogShown, 1);
}

// While the editor runs, its own recovery file is not offered to another
// window; it follows the edits and goes with a save.
TEST(MainFormRecovery, WritesAfterEditsAndRemovesOnSave) {
  TUndoDocument Doc;
  Doc.Load(Examples + u"Example.zrlang"_s, QString(), Examples + u"Example.de.lng"_s);
  QTemporaryDir Folder;
  TDocumentRecovery Recovery(Folder.path());
  Recovery.SetDelays(10, 1000);
  Recovery.Attach(&Doc);
  Doc.SetValues({Doc.FindEntryKey(Edited)}, u"Neu"_s, u"Typing"_s);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(Recovery.FilePath()); }));
  EXPECT_TRUE(FindAbandonedRecoveries(Folder.path()).empty());
  const QString Path = Recovery.FilePath();
  Doc.UndoStack().undo();
  Recovery.Flush();
  EXPECT_FALSE(QFile::exists(Path));
  EXPECT_TRUE(QDir(Folder.path()).isEmpty());
}

} // namespace
