// lingrove-mainbench: times the whole main window on a large project, as a
// translator uses it: the real TUIMainForm (offscreen) opens the files
// (load, reconcile, grid filled and expanded, status bar filled), one cell
// is edited the way the in-place editor commits it and the status bar
// follows, and the document is closed. Prints one figure a line.
//
//   lingrove-mainbench SOURCE.zrlang TRANSLATION.lng [--display DISPLAY.lng]
//
// The project comes from lingrove-benchgen. The program keeps its settings
// in a temporary folder, never in the user's. "peakRss" is the peak resident
// size of the whole program (VmHWM) with the document open.
#include "AppAttribs.h"
#include "BenchSupport.h"
#include "EntryTreeModel.h"
#include "Languages.h"
#include "MainForm.h"
#include "UIGuard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>
#include <functional>

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
  qputenv("XDG_RUNTIME_DIR", Profile.path().toLocal8Bit());
  QApplication App(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brisel Solutions"));
  QApplication::setApplicationName(QStringLiteral("Lingrove"));
  QStringList Args = App.arguments().mid(1);
  const QString DisplayFile = TakeOption(Args, QStringLiteral("--display"));
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
    const auto Form = CreateForm<TBenchMainForm>();
    Form->resize(1280, 900);
    Form->show();
    Settle();
    std::printf("%-24s %10.1f MB\n", "rssEmptyWindow", StatusMb("VmRSS:"));

    Measure("openToGridReady", [&] {
      Form->LoadTranslation(Args[0], DisplayFile, Args[1]);
      Settle();
    });
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

    Measure("closeDocument", [&] {
      Form->SetModified(false);
      Form->CloseTranslation();
      Settle();
    });
  } catch (const std::exception &E) {
    std::fprintf(stderr, "lingrove-mainbench: %s\n", E.what());
    Result = 1;
  }
  FinalizeAttribs();
  return Result;
}
