// lingrove-mainbench: times the whole main window on a large project, as a
// translator uses it: the real TUIMainForm (offscreen) opens the files
// (load, reconcile, grid filled and expanded, status bar filled), one cell
// is edited the way the in-place editor commits it and the status bar
// follows; then the everyday tools: a keystroke in the memo with a long undo
// history, find next over the whole document, filters, Replace All and its
// undo, Tools > Pre-translate (exact, then also fuzzy) from a memory holding
// the project's translations and its undo; and the document is closed. Then
// it is opened again on the worker thread (the first open reads on the
// interface thread), with the longest wait between two turns of the event
// loop meanwhile; it is opened once more over itself, and the translation
// on disk is compared with it, each with the longest wait of the event loop;
// the differences dialog shows a log of 100,000 lines; and the window is
// closed with the document open, as at exit. Prints one figure a line.
//
//   lingrove-mainbench SOURCE.zrlang TRANSLATION.lng [--display DISPLAY.lng]
//                      [--no-fuzzy]
//
// --no-fuzzy leaves out the fuzzy pre-translation, the slowest step.
//
// The project comes from lingrove-benchgen. The program keeps its settings
// in a temporary folder, never in the user's. "peakRss" is the peak resident
// size of the whole program (VmHWM) with the document open.
#include "AppAttribs.h"
#include "BackgroundReader.h"
#include "BenchSupport.h"
#include "EntrySearch.h"
#include "TranslationDocument.h"
#include "EntryTreeModel.h"
#include "Languages.h"
#include "DifferencesDialog.h"
#include "DiskCompareDialog.h"
#include "DocumentMemory.h"
#include "DocumentRecovery.h"
#include "MainForm.h"
#include "PretranslateDialog.h"
#include "TranslationMemory.h"
#include "UIGuard.h"

#include <QAction>
#include <ctime>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>
#include <limits>

namespace {

// The main window without its modal steps: no open files dialog at start, no
// differences or properties dialog after opening.
class TBenchMainForm : public TUIMainForm {
public:
  bool EditTranslationProperties() override { return true; }

protected:
  bool ChooseFilesToOpen(QString &, QString &, QString &) override { return false; }
  void ShowDifferences(const QString &, const QList<int> &) override {}
};

void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

template <class T> T *Child(const QWidget &Form, const char *Name) {
  return Form.findChild<T *>(QLatin1StringView(Name));
}

// Turns the event loop for Ms milliseconds, so that what an action left to
// later turns runs too.
void SettleFor(int Ms) {
  QElapsedTimer Clock;
  Clock.start();
  while (Clock.elapsed() < Ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Key(QWidget *W, int Key, Qt::KeyboardModifiers Modifiers = {}, const QString &Text = {}) {
  QKeyEvent Press(QEvent::KeyPress, Key, Modifiers, Text);
  QKeyEvent Release(QEvent::KeyRelease, Key, Modifiers, Text);
  QApplication::sendEvent(W, &Press);
  QApplication::sendEvent(W, &Release);
}

// Answers Tools > Pre-translate at once: exact matches, or also fuzzy ones
// down to MinSimilarity; then closes its summary.
void AnswerPretranslate(int MinSimilarity) {
  QTimer::singleShot(0, [MinSimilarity] {
    auto *D = qobject_cast<TUIPretranslateDialog *>(QApplication::activeModalWidget());
    if (!D)
      return;
    (MinSimilarity < 100 ? D->FuzzyRadio : D->ExactRadio)->setChecked(true);
    D->SimilaritySpin->setValue(MinSimilarity);
    // The summary comes after the progress bar, if that shows.
    auto *Poll = new QTimer;
    Poll->setInterval(10);
    QObject::connect(Poll, &QTimer::timeout, [Poll] {
      if (auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
        Poll->stop();
        Poll->deleteLater();
        Box->accept();
      }
    });
    Poll->start();
    D->DialogButtons->BtnOK()->click();
  });
}

QString LabelText(const QWidget &Form, const char *Name) {
  const auto *Label = Form.findChild<QLabel *>(QLatin1StringView(Name));
  return Label ? Label->text() : QString();
}

} // namespace

int main(int argc, char *argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir Profile;
  qputenv("XDG_CONFIG_HOME", Profile.filePath(QStringLiteral("config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", Profile.filePath(QStringLiteral("data")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", Profile.path().toLocal8Bit());
  QApplication App(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brisel Solutions"));
  QApplication::setApplicationName(QStringLiteral("Lingrove"));
  QStringList Args = App.arguments().mid(1);
  const QString DisplayFile = TakeOption(Args, QStringLiteral("--display"));
  const bool NoFuzzy = Args.removeAll(QStringLiteral("--no-fuzzy")) > 0;
  if (Args.size() != 2) {
    std::fprintf(stderr, "usage: lingrove-mainbench SOURCE.zrlang TRANSLATION.lng "
                         "[--display DISPLAY.lng]\n");
    return 2;
  }

  TUIGuard::InstallMessageBoxes();
  InstallLanguageTableNames();
  InitializeAttribs();
  int Result = 0;
  try {
    auto Form = CreateForm<TBenchMainForm>();
    Form->resize(1280, 900);
    Form->show();
    Settle();
    std::printf("%-24s %10.1f MB\n", "rssEmptyWindow", StatusMb("VmRSS:"));

    // Read on the interface thread, as below the size of a large document.
    Form->SetBackgroundBytes(std::numeric_limits<qint64>::max());
    Measure("openToGridReady", [&] {
      Form->LoadTranslation(Args[0], DisplayFile, Args[1]);
      Settle();
    });
    Form->SetBackgroundBytes(0);
    auto *Tree = Form->findChild<QTreeView *>(QStringLiteral("MainStringTree"));
    auto *Model = qobject_cast<TEntryTreeModel *>(Tree->model());
    std::printf("%-24s %10d\n", "rows", Model->TreeOrderCount());
    std::printf("%-24s %s | %s | %s\n", "statusBar", qPrintable(LabelText(*Form, "SBComponents")),
                qPrintable(LabelText(*Form, "SBProperties")),
                qPrintable(LabelText(*Form, "SBConstants")));
    std::printf("%-24s %10.1f MB\n", "rssDocumentOpen", StatusMb("VmRSS:"));

    // The focused row in the middle of the document, edited as the in-place
    // editor commits its text; the window then updates the memos, the
    // actions and the status bar, and the grid repaints.
    const int Middle = Model->TreeOrderCount() / 2;
    int Row = Model->NextUntranslatedPosition(Middle);
    if (Row < 0)
      Row = Middle;
    const QModelIndex Cell = Model->IndexAtTreeOrder(Row, TEntryTreeModel::ecTranslatedValue);
    Tree->setCurrentIndex(Cell);
    Tree->scrollTo(Cell, QAbstractItemView::PositionAtCenter);
    Settle();
    const QString Before = LabelText(*Form, "SBProperties");
    Measure("editOneCell", [&] {
      Model->setData(Cell, QStringLiteral("Bearbeitet"));
      Settle();
    });
    std::printf("%-24s %s -> %s\n", "statusBarAfterEdit", qPrintable(Before),
                qPrintable(LabelText(*Form, "SBProperties")));
    Measure("editSameCellAgain", [&] {
      Model->setData(Cell, QStringLiteral("Noch einmal"));
      Settle();
    });
    Measure("expandAllAction", [&] {
      Tree->expandAll();
      Settle();
    });
    std::printf("%-24s %10.1f MB\n", "peakRss", StatusMb("VmHWM:"));

    // A thousand steps on the undo stack, then typing in the memo.
    for (int I = 0, P = 0; I < 1000 && P >= 0; ++I) {
      P = Model->NextUntranslatedPosition(P);
      if (P >= 0)
        Model->setData(Model->IndexAtTreeOrder(P, TEntryTreeModel::ecTranslatedValue),
                       QStringLiteral("Schritt %1").arg(I));
    }
    auto *Memo = Child<QPlainTextEdit>(*Form, "TranslationValueMemo");
    Tree->setCurrentIndex(Cell);
    Memo->setFocus();
    Settle();
    const double Keys = Measure("memo20Keystrokes1000Steps", [&] {
      for (int I = 0; I < 20; ++I) {
        Key(Memo, Qt::Key_A, {}, QStringLiteral("a"));
        Settle();
      }
    });
    std::printf("%-24s %10.2f ms\n", "memoKeystroke", Keys / 20);

    // Find next from the first row to the last entry, whose text is unique.
    const int Last = Model->TreeOrderCount() - 1;
    Model->setData(Model->IndexAtTreeOrder(Last, TEntryTreeModel::ecTranslatedValue),
                   QStringLiteral("Einzigartig"));
    Tree->setCurrentIndex(Model->index(0, 0));
    Child<QAction>(*Form, "ActionEditFind")->trigger();
    Child<QLineEdit>(*Form, "FindEdit")->setText(QStringLiteral("einzigartig"));
    Settle();
    Measure("searchAloneNoCase", [&] {
      const TTextMatcher M(QStringLiteral("einzigartig"), {});
      TEntrySearch(Form->Document().Entries(), M, efSource | efTranslated).Find(0, false);
    });
    Measure("searchAloneCase", [&] {
      const TTextMatcher M(QStringLiteral("Einzigartig"), tmoMatchCase);
      TEntrySearch(Form->Document().Entries(), M, efSource | efTranslated).Find(0, false);
    });
    Measure("searchAloneTranslatedOnly", [&] {
      const TTextMatcher M(QStringLiteral("einzigartig"), {});
      TEntrySearch(Form->Document().Entries(), M, efTranslated).Find(0, false);
    });
    Measure("findNextNearTheEnd", [&] {
      Child<QAction>(*Form, "ActionEditFindNext")->trigger();
      Settle();
    });
    std::printf("%-24s %10d\n", "foundAt", Model->TreeOrderPosition(Tree->currentIndex()));

    auto *State = Child<QComboBox>(*Form, "StateCombo");
    auto *FilterText = Child<QLineEdit>(*Form, "FilterEdit");
    Measure("filterUntranslated", [&] {
      State->setCurrentIndex(1);
      Settle();
    });
    std::printf("%-24s %s\n", "filterStatus", qPrintable(LabelText(*Form, "SBFilter")));
    Measure("filterAll", [&] {
      State->setCurrentIndex(0);
      Settle();
    });
    Measure("filterText", [&] {
      FilterText->setText(QStringLiteral("несохранённый"));
      Key(FilterText, Qt::Key_Return);
      Settle();
    });
    std::printf("%-24s %s\n", "filterStatus", qPrintable(LabelText(*Form, "SBFilter")));
    Measure("filterCleared", [&] {
      FilterText->clear();
      Key(FilterText, Qt::Key_Return);
      Settle();
    });

    Child<QAction>(*Form, "ActionEditReplace")->trigger();
    Child<QCheckBox>(*Form, "RegularExpressionCheck")->setChecked(true);
    Child<QLineEdit>(*Form, "FindEdit")->setText(QStringLiteral("центру|программе|умолчанию"));
    Child<QLineEdit>(*Form, "ReplaceEdit")->setText(QStringLiteral("[\\0]"));
    Settle();
    Measure("replaceAll", [&] {
      Child<QPushButton>(*Form, "ReplaceAllButton")->click();
      Settle();
    });
    std::printf("%-24s %s\n", "replaceStatus", qPrintable(Form->statusBar()->currentMessage()));
    // The part of a recovery write the interface thread waits for, then all of it.
    auto *Recovery = Form->findChild<TDocumentRecovery *>();
    {
      // The interface thread's own processor time: the worker starts at once.
      timespec Start{}, End{};
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Start);
      Recovery->WriteNow();
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &End);
      std::printf("%-24s %10.2f ms\n", "recoverySnapshotThread",
                  (End.tv_sec - Start.tv_sec) * 1e3 + (End.tv_nsec - Start.tv_nsec) / 1e6);
    }
    Measure("recoveryWritten", [&] { Recovery->Flush(); });
    Measure("undoReplaceAll", [&] {
      Child<QAction>(*Form, "ActionEditUndo")->trigger();
      Settle();
    });
    // Tools > Pre-translate with the project's own translations in the memory.
    TTranslationMemory(TUIMainForm::MemoryPath()).Add(MemoryUnitsOfFiles(Args[0], Args[1]));
    for (const auto &[Name, MinSimilarity] :
         {std::pair{"pretranslateExact", 100}, std::pair{"pretranslateFuzzy70", 70}}) {
      if (NoFuzzy && MinSimilarity < 100)
        continue;
      AnswerPretranslate(MinSimilarity);
      Measure(Name, [&] {
        Form->PretranslateTranslation();
        Settle();
      });
      std::printf("%-24s %s\n", "pretranslateStatus",
                  qPrintable(Form->statusBar()->currentMessage()));
      Measure("undoPretranslate", [&] {
        Child<QAction>(*Form, "ActionEditUndo")->trigger();
        Settle();
      });
    }
    std::printf("%-24s %10.1f MB\n", "peakRssAfterTools", StatusMb("VmHWM:"));

    Measure("closeDocument", [&] {
      Form->SetModified(false);
      Form->CloseTranslation();
      Settle();
    });

    // The window's event loop keeps turning while the worker reads.
    QElapsedTimer Turns;
    qint64 LongestGap = 0, LastTurn = 0;
    QTimer Tick;
    Tick.setInterval(1);
    QObject::connect(&Tick, &QTimer::timeout, [&] {
      const qint64 Now = Turns.nsecsElapsed();
      LongestGap = std::max(LongestGap, Now - LastTurn);
      LastTurn = Now;
    });
    Turns.start();
    Tick.start();
    // Until the worker is done, then what the interface thread does with it.
    qint64 ReadEnd = 0, GapReading = 0, GridReady = 0;
    QObject::connect(&Form->BackgroundReader(), &TBackgroundReader::Finished, [&] {
      ReadEnd = Turns.nsecsElapsed();
      GapReading = LongestGap;
    });
    Measure("openInBackgroundToGrid", [&] {
      Form->LoadTranslation(Args[0], DisplayFile, Args[1]);
      GridReady = Turns.nsecsElapsed();
      Settle();
    });
    SettleFor(100);
    std::printf("%-24s %10.2f ms\n", "longestLoopGapReading", double(GapReading) / 1e6);
    std::printf("%-24s %10.2f ms\n", "gridAfterRead", double(GridReady - ReadEnd) / 1e6);
    // The whole open, the grid and what follows it included.
    std::printf("%-24s %10.2f ms\n", "longestLoopGapOpen", double(LongestGap) / 1e6);

    // Opened again over itself: the old records go while the new ones come.
    LongestGap = 0;
    LastTurn = Turns.nsecsElapsed();
    Measure("openOverOpenToGrid", [&] {
      Form->LoadTranslation(Args[0], DisplayFile, Args[1]);
      Settle();
    });
    SettleFor(100);
    std::printf("%-24s %10.2f ms\n", "longestLoopGapOpenOver", double(LongestGap) / 1e6);

    // Compare in the disk-change bar, with one entry changed since, until
    // the list of differences shows; it is closed at once.
    Tree->setCurrentIndex(Model->IndexAtTreeOrder(Row, TEntryTreeModel::ecTranslatedValue));
    Model->setData(Model->IndexAtTreeOrder(Row, TEntryTreeModel::ecTranslatedValue),
                   QStringLiteral("Verglichen"));
    Settle();
    int Differences = -1;
    QTimer ClosePoll;
    ClosePoll.setInterval(5);
    QObject::connect(&ClosePoll, &QTimer::timeout, [&] {
      if (auto *D = qobject_cast<TUIDiskCompareDialog *>(QApplication::activeModalWidget())) {
        Differences = int(D->DifferencesView->model()->rowCount());
        D->reject();
      }
    });
    ClosePoll.start();
    LongestGap = 0;
    LastTurn = Turns.nsecsElapsed();
    Measure("compareWithDisk", [&] {
      Child<QPushButton>(*Form, "DiskChangeCompare")->click();
      Settle();
    });
    ClosePoll.stop();
    Tick.stop();
    std::printf("%-24s %10.2f ms\n", "longestLoopGapCompare", double(LongestGap) / 1e6);
    std::printf("%-24s %10d\n", "compareDifferences", Differences);

    QString Log;
    for (int I = 0; I < 100000; ++I)
      Log += QStringLiteral("Added property \"Caption\" (ID %1) to component \"Form%2\"\r\n")
                 .arg(I)
                 .arg(I / 20);
    Measure("differences100kLines", [&] {
      auto Dialog = CreateForm<TUIDifferencesDialog>(Form.get());
      Dialog->SetLog(Log);
      Dialog->SetTotals({0, 100000, 0, 0, 0, 0, 5000, 100000, 0});
      Dialog->show();
      Settle();
    });

    Measure("exitWithDocumentOpen", [&] {
      Form->SetModified(false);
      Form->close();
      Form->ReleaseForExit();
      Form.reset();
      Settle();
    });
  } catch (const std::exception &E) {
    std::fprintf(stderr, "lingrove-mainbench: %s\n", E.what());
    Result = 1;
  }
  FinalizeAttribs();
  return Result;
}
