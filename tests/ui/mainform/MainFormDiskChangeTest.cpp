// Another program changes the open translation: the bar above the grid says
// so and offers to reload; a save over the changed file asks first. Compare
// lists what differs, for a large document from a worker thread.
#include "MainFormTestSupport.h"

#include "BackgroundComparer.h"
#include "CoreApplication.h"
#include "DiskCompareDialog.h"
#include "DiskDifferencesModel.h"
#include "TranslationDocument.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QSemaphore>
#include <QTest>
#include <QTreeView>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct TDiskCase {
  const char *Name;
  bool Unsaved;
  const char *Button; // the bar's button clicked; none: save at once
  bool Reloaded;
};

void PrintTo(const TDiskCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class MainFormDiskChange : public testing::TestWithParam<TDiskCase> {};

TEST_P(MainFormDiskChange, OffersToReloadAChangedTranslation) {
  const TDiskCase &C = GetParam();
  QTemporaryDir Dir;
  const QString Translation = Dir.filePath(u"Example.de.lng"_s);
  ASSERT_TRUE(QFile::copy(Examples + u"Example.de.lng"_s, Translation));
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Translation);
  if (C.Unsaved)
    Form.Document().SetValues({Form.Document().FindEntryKey(u"Application.MainForm/3"_s)},
                              u"Meins"_s, u"Typing"_s);
  {
    QFile F(Translation);
    ASSERT_TRUE(F.open(QIODevice::Append));
    F.write("\r\n");
  }
  auto *Bar = Form.findChild<QWidget *>(u"DiskChangeBar"_s);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Bar->isHidden(); }, 5000));
  EXPECT_EQ(Form.findChild<QLabel *>(u"DiskChangeMessage"_s)->text().contains(u"not saved"),
            C.Unsaved);
  Form.RealSave = true;
  if (C.Button == nullptr) {
    // Saving before the bar is answered asks first; No keeps the file.
    QString Text;
    AnswerNextMessageBox(QMessageBox::No, &Text);
    EXPECT_FALSE(Form.SaveTranslation(false));
    EXPECT_TRUE(Text.contains(u"Example.de.lng")) << Text.toStdString();
    return;
  }
  Form.findChild<QPushButton *>(QLatin1StringView(C.Button))->click();
  EXPECT_TRUE(Bar->isHidden());
  EXPECT_EQ(Form.Modified(), C.Unsaved && !C.Reloaded);
  // Keep Mine: the next save overwrites without asking.
  if (!C.Reloaded) {
    EXPECT_TRUE(Form.SaveTranslation(false));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainFormDiskChange,
    testing::Values(TDiskCase{"ReloadClean", false, "DiskChangeReload", true},
                    TDiskCase{"ReloadDiscardsEdits", true, "DiskChangeReload", true},
                    TDiskCase{"KeepMine", true, "DiskChangeKeep", false},
                    TDiskCase{"SaveAsksFirst", true, nullptr, false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// The Compare of a window whose translation on disk has one entry changed
// and whose open document has another: "component/name:disk:open" of each
// difference listed, joined by "|"; "cancelled" when no list showed.
QString CompareLines(TTestMainForm &Form) {
  QString Listed = u"cancelled"_s;
  QTimer Poll;
  QObject::connect(&Poll, &QTimer::timeout, [&] {
    auto *Dialog = qobject_cast<TUIDiskCompareDialog *>(QApplication::activeModalWidget());
    if (!Dialog)
      return;
    Poll.stop();
    QStringList Lines;
    auto *Model = static_cast<TDiskDifferencesModel *>(Dialog->DifferencesView->model());
    for (const TDiskDifference &D : Model->Differences())
      Lines.append(D.Component + u'/' + D.Name + u':' + D.DiskText + u':' + D.OpenText);
    Listed = Lines.join(u'|');
    Dialog->reject();
  });
  Poll.start(5);
  Form.findChild<QPushButton *>(u"DiskChangeCompare"_s)->click();
  return Listed;
}

struct TCompareWindow {
  QTemporaryDir Dir;
  QString Translation = Dir.filePath(u"Example.de.lng"_s);
  std::unique_ptr<TTestMainForm> Form = NewForm();
  TCompareWindow() {
    EXPECT_TRUE(QFile::copy(Examples + u"Example.de.lng"_s, Translation));
    Form->LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Translation);
    Form->Document().SetValues({Form->Document().FindEntryKey(u"Application.MainForm/3"_s)},
                               u"Meins"_s, u"Typing"_s);
    // Example.de.lng is UTF-16 with a byte order mark.
    QFile F(Translation);
    EXPECT_TRUE(F.open(QIODevice::ReadWrite));
    const QByteArray Bytes = F.readAll();
    QString Text(reinterpret_cast<const QChar *>(Bytes.constData() + 2), (Bytes.size() - 2) / 2);
    EXPECT_TRUE(Text.contains(u"=Bereit\r\n"_s));
    Text.replace(u"=Bereit\r\n"_s, u"=Platte Bereit\r\n"_s);
    F.seek(2);
    F.write(reinterpret_cast<const char *>(Text.utf16()), Text.size() * 2);
  }
};

TEST(MainFormDiskCompare, AWorkerListsTheSameDifferences) {
  TCompareWindow W;
  W.Form->SetBackgroundBytes(std::numeric_limits<qint64>::max());
  const QString Here = CompareLines(*W.Form);
  EXPECT_EQ(Here.count(u'|'), 1) << Here.toStdString();
  EXPECT_TRUE(Here.contains(u":Meins"_s)) << Here.toStdString();
  EXPECT_TRUE(Here.contains(u":Platte "_s)) << Here.toStdString();
  W.Form->SetBackgroundBytes(0);
  EXPECT_EQ(CompareLines(*W.Form), Here);
  EXPECT_FALSE(W.Form->IsBusy());
}

TEST(MainFormDiskCompare, ACancelOrAFailureChangesNothing) {
  TCompareWindow W;
  TTestMainForm &Form = *W.Form;
  Form.SetBackgroundBytes(0);
  QSemaphore Reached, Gate;
  Form.BackgroundComparer().SetPhaseHook([&](TBackgroundComparer::TPhase Phase) {
    if (Phase == TBackgroundComparer::cpComparing) {
      Reached.release();
      Gate.acquire();
    }
  });
  bool WasBusy = false;
  QTimer Poll;
  QObject::connect(&Poll, &QTimer::timeout, [&] {
    if (!Reached.tryAcquire())
      return;
    Poll.stop();
    QCoreApplication::processEvents();
    WasBusy = Form.IsBusy() && !ActionNamed(Form, "ActionFileSave")->isEnabled();
    Form.findChild<QPushButton *>(u"ProgressCancel"_s)->click();
    Gate.release();
  });
  Poll.start(5);
  EXPECT_EQ(CompareLines(Form), u"cancelled"_s);
  EXPECT_TRUE(WasBusy);
  Form.BackgroundComparer().SetPhaseHook({});

  // A translation gone from disk: its error, and nothing else.
  ASSERT_TRUE(QFile::remove(W.Translation));
  QString Message;
  const TMessageBoxHandler Before =
      SetMessageBoxHandler([&](TMessageBoxKind, const QString &, const QString &Text) {
        Message = Text;
      });
  EXPECT_EQ(CompareLines(Form), u"cancelled"_s);
  SetMessageBoxHandler(Before);
  EXPECT_TRUE(Message.contains(u"Example.de.lng"_s)) << Message.toStdString();

  EXPECT_FALSE(Form.IsBusy());
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(Form.Document().Entries().TranslatedValue(
                Form.Document().FindEntryKey(u"Application.MainForm/3"_s)),
            u"Meins"_s);
  EXPECT_TRUE(ActionNamed(Form, "ActionFileSave")->isEnabled());
}

} // namespace
