// A large document is read on a worker thread: the window shows the step,
// takes no command meanwhile, and a Cancel or an error leaves the document
// that was open as it was. The records of the document it replaces are freed
// on a worker too, with nothing left pointing at them.
#include "MainFormTestSupport.h"

#include "BackgroundDisposal.h"
#include "BackgroundReader.h"
#include "EntryTreeModel.h"
#include "RtlException.h"
#include "TranslationDocument.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString Key = u"Application.MainForm/3"_s;

// A window with the German example open and one entry typed in, so that
// every later document is large.
std::unique_ptr<TTestMainForm> FormWithEdit() {
  auto Form = NewForm();
  Form->LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Examples + u"Example.de.lng"_s);
  Form->Document().SetValues({Form->Document().FindEntryKey(Key)}, u"Meins"_s, u"Typing"_s);
  Form->SetBackgroundBytes(0);
  return Form;
}

void ExpectTheEditedDocument(TTestMainForm &Form) {
  ASSERT_TRUE(Form.HasDocument());
  EXPECT_EQ(Form.TranslationFilename(), Examples + u"Example.de.lng"_s);
  EXPECT_TRUE(Form.Modified());
  TTranslationDocument &Doc = Form.Document();
  EXPECT_EQ(Doc.Entries().TranslatedValue(Doc.FindEntryKey(Key)), u"Meins"_s);
  EXPECT_FALSE(Form.IsBusy());
  EXPECT_TRUE(ActionNamed(Form, "ActionFileSave")->isEnabled());
  EXPECT_TRUE(ActionNamed(Form, "ActionFileOpen")->isEnabled());
}

TEST(MainFormLoading, CancelHalfwayLeavesTheOpenDocument) {
  auto FormPtr = FormWithEdit();
  TTestMainForm &Form = *FormPtr;
  QSemaphore Reached, Gate;
  Form.BackgroundReader().SetPhaseHook([&](TReadPhase Phase) {
    if (Phase == rpTranslation) {
      Reached.release();
      Gate.acquire();
    }
  });
  bool WasBusy = false, SaveWasEnabled = true;
  QString Step;
  QTimer Poll;
  QObject::connect(&Poll, &QTimer::timeout, [&] {
    if (!Reached.tryAcquire())
      return;
    Poll.stop();
    QCoreApplication::processEvents();
    WasBusy = Form.IsBusy();
    SaveWasEnabled = ActionNamed(Form, "ActionFileSave")->isEnabled();
    Step = Form.findChild<QLabel *>(u"ProgressText"_s)->text();
    Form.findChild<QPushButton *>(u"ProgressCancel"_s)->click();
    Gate.release();
  });
  Poll.start(5);
  Form.LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Examples + u"Example.ru.lng"_s);
  EXPECT_TRUE(WasBusy);
  EXPECT_FALSE(SaveWasEnabled);
  EXPECT_EQ(Step, u"Reading the translation…"_s);
  ExpectTheEditedDocument(Form);
}

TEST(MainFormLoading, AnErrorReportsTheSameMessageAndLeavesTheOpenDocument) {
  QTemporaryDir Dir;
  QFile Bad(Dir.filePath(u"bad.lng"_s));
  ASSERT_TRUE(Bad.open(QIODevice::WriteOnly));
  Bad.write("LANGID=1031\r\n[Form1]\r\n00000001=a\r\n00000001=b\r\n");
  Bad.close();
  QString Messages[2];
  for (const bool Background : {false, true}) {
    auto FormPtr = FormWithEdit();
    if (!Background)
      FormPtr->SetBackgroundBytes(std::numeric_limits<qint64>::max());
    try {
      FormPtr->LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Bad.fileName());
      ADD_FAILURE() << "no error";
    } catch (const Exception &E) {
      Messages[Background] = E.Message();
    }
    if (Background)
      ExpectTheEditedDocument(*FormPtr);
  }
  EXPECT_FALSE(Messages[0].isEmpty());
  EXPECT_EQ(Messages[1], Messages[0]);
}

TEST(MainFormLoading, ALargeDocumentOpensAsASmallOneDoes) {
  auto FormPtr = FormWithEdit();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Examples + u"Example.ru.lng"_s);
  ASSERT_TRUE(Form.HasDocument());
  EXPECT_EQ(Form.TranslationFilename(), Examples + u"Example.ru.lng"_s);
  EXPECT_FALSE(Form.Modified());
  EXPECT_GT(ModelOf(Form).TreeOrderCount(), 0);
  EXPECT_FALSE(Form.IsBusy());
}

TEST(MainFormLoading, OpeningOverAnotherLeavesNothingOnItsRecords) {
  auto FormPtr = FormWithEdit();
  TTestMainForm &Form = *FormPtr;
  TEntryTreeModel &Model = ModelOf(Form);
  TreeOf(Form).setCurrentIndex(Model.IndexAtTreeOrder(
      Form.Document().FindEntryKey(Key), TEntryTreeModel::ecTranslatedValue));
  QCoreApplication::processEvents();
  Form.LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Examples + u"Example.ru.lng"_s);
  // Once the worker freed the old records, everything the window shows
  // comes from the new ones (a sanitized run reports any read of the old).
  BackgroundDisposal::Wait();
  ASSERT_TRUE(Form.HasDocument());
  EXPECT_FALSE(Form.Modified());
  EXPECT_FALSE(ActionNamed(Form, "ActionEditUndo")->isEnabled());
  for (int P = 0; P < Model.TreeOrderCount(); ++P)
    for (int Column = 0; Column < Model.columnCount(); ++Column)
      Model.IndexAtTreeOrder(P, Column).data();
  const int Position = Form.Document().FindEntryKey(Key);
  TreeOf(Form).setCurrentIndex(
      Model.IndexAtTreeOrder(Position, TEntryTreeModel::ecTranslatedValue));
  QCoreApplication::processEvents();
  EXPECT_EQ(MemoOf(Form).toPlainText(), Form.Document().Entries().TranslatedValue(Position));
  EXPECT_NE(MemoOf(Form).toPlainText(), u"Meins"_s);
}

} // namespace
