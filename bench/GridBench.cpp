// lingrove-gridbench: times the entry grid on a large project, as the editor
// opens it: reading the language source and the translation, reconciling
// them, building the grid's model, showing it in a QTreeView (offscreen) and
// expanding every row; then single edits, moving between rows, filters and
// batch changes. Prints one figure a line ("name value unit").
//
//   lingrove-gridbench SOURCE.zrlang TRANSLATION.lng [--display DISPLAY.lng]
//
// The project comes from lingrove-benchgen (for example
// "lingrove-benchgen /tmp/b1m --entries 1000000"). Times are wall-clock ms
// of one run, with the process's CPU time beside them; "peakRss" is the
// peak resident size of the whole program (VmHWM).
#include "BenchSupport.h"
#include "EntryNavigation.h"
#include "EntryTreeDelegate.h"
#include "EntryTreeModel.h"
#include "TranslationDocument.h"
#include "LangSource.h"
#include "TranslationSupport.h"
#include "Translations.h"
#include "UndoStackHistory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTreeView>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

namespace {

void Paint() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
}

} // namespace

int main(int argc, char *argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QStringList Args = App.arguments().mid(1);
  const QString DisplayFile = TakeOption(Args, QStringLiteral("--display"));
  if (Args.size() != 2) {
    std::fprintf(stderr, "usage: lingrove-gridbench SOURCE.zrlang TRANSLATION.lng "
                         "[--display DISPLAY.lng]\n");
    return 2;
  }

  try {
    std::unique_ptr<TLangSource> Source;
    auto Translation = std::make_unique<TZrLang_CompTranslations>();
    std::unique_ptr<TZrLang_CompTranslations> Display;
    auto Model = std::make_unique<TEntryTreeModel>();
    auto View = std::make_unique<QTreeView>();
    TEntryTreeDelegate::Install(*View);
    View->resize(1280, 900);

    double Open = 0;
    Open += Measure("readSource", [&] { Source = std::make_unique<TLangSource>(Args[0]); });
    Open += Measure("readTranslation", [&] { Translation->Text_LoadFromFile(Args[1], false); });
    if (!DisplayFile.isEmpty())
      Open += Measure("readDisplay", [&] {
        Display = std::make_unique<TZrLang_CompTranslations>();
        Display->Text_LoadFromFile(DisplayFile, false);
      });
    Open += Measure("compare", [&] {
      int C[9];
      Source->CompareStructureWith(*Translation, C[0], C[1], C[2], C[3], C[4], C[5], C[6], C[7],
                                   C[8]);
    });
    const double DocumentRss = StatusMb("VmRSS:");
    // The window's undo history: the edits below are measured with their steps.
    TTranslationDocument Document(std::make_unique<TUndoStackHistory>());
    Document.Adopt(std::move(Source), std::move(Translation), std::move(Display));
    Open += Measure("modelBuild", [&] { Model->SetDocument(Document); });
    Open += Measure("viewSetModelShow", [&] {
      View->setModel(Model.get());
      View->show();
      Paint();
    });
    Open += Measure("expandAll", [&] {
      View->expandAll();
      Paint();
    });
    Open += Measure("selectFirstRow", [&] {
      SelectEntryNode(*View, Model->index(0, 0), false, true);
      View->setFocus();
      Paint();
    });
    std::printf("%-28s %10.2f ms\n", "openToGridReady", Open);
    std::printf("%-28s %10d\n", "rows", Model->TreeOrderCount());
    std::printf("%-28s %10.1f MB\n", "rssDocumentOnly", DocumentRss);
    std::printf("%-28s %10.1f MB\n", "rssAfterOpen", StatusMb("VmRSS:"));
    std::printf("%-28s %10.1f MB\n", "peakRssAfterOpen", StatusMb("VmHWM:"));
    const TTranslationCounts Counts = Model->Counts();
    std::printf("%-28s %d components, %d/%d properties, %d/%d constants\n", "counts",
                Counts.Components, Counts.Properties, Counts.UntranslatedProperties,
                Counts.Constants, Counts.UntranslatedConstants);

    // Single edits of the focused row in the middle of the document, the
    // grid repainted after each.
    const int Middle = Model->TreeOrderCount() / 2;
    int EditRow = Model->NextUntranslatedPosition(Middle);
    if (EditRow < 0)
      EditRow = Middle;
    Measure("selectMiddleRowCentred", [&] {
      SelectEntryNode(*View, Model->IndexAtTreeOrder(EditRow), true, true);
      Paint();
    });
    int Untranslated = 0;
    Measure("editOneEntry", [&] {
      Model->setData(Model->IndexAtTreeOrder(EditRow, TEntryTreeModel::ecTranslatedValue),
                     QStringLiteral("Bearbeitet\\nzweite Zeile"));
      Untranslated = Model->Counts().UntranslatedProperties;
    });
    Measure("editOneEntryRepaint", [&] {
      Model->setData(Model->IndexAtTreeOrder(EditRow, TEntryTreeModel::ecTranslatedValue),
                     QStringLiteral("Noch einmal"));
      Untranslated = Model->Counts().UntranslatedProperties;
      Paint();
    });
    Measure("fullRecountForComparison", [&] {
      Untranslated = Document.CountEntries().UntranslatedProperties;
    });

    // Moving about.
    Measure("next100ItemsFromMiddle", [&] {
      SelectEntryNode(*View, Model->IndexAtTreeOrder(Middle), true, true);
      for (int I = 0; I < 100; ++I)
        SelectEntryNode(*View, NextEntryItem(*Model, View->currentIndex()), true, true);
      Paint();
    });
    Measure("nextItemWrapToFirst", [&] {
      SelectEntryNode(*View,
                      NextEntryItem(*Model, Model->IndexAtTreeOrder(Model->TreeOrderCount() - 1)),
                      true, true);
      Paint();
    });
    Measure("previousItemWrapToLast", [&] {
      SelectEntryNode(*View, PreviousEntryItem(*Model, View->currentIndex()), true, true);
      Paint();
    });
    int Visited = 0;
    Measure("next100Untranslated", [&] {
      SelectEntryNode(*View, Model->index(0, 0), true, true);
      for (int I = 0; I < 100; ++I) {
        const QModelIndex Next = NextUntranslatedItem(*Model, View->currentIndex());
        if (!Next.isValid())
          break;
        SelectEntryNode(*View, Next, true, true);
        ++Visited;
      }
      Paint();
    });
    Measure("nextUntranslatedNoneLeft", [&] {
      // From the last untranslated row there is nothing further: a search to
      // the end of the document.
      const int Last = Model->PreviousUntranslatedPosition(Model->TreeOrderCount());
      (void)NextUntranslatedItem(*Model, Model->IndexAtTreeOrder(Last));
    });

    // Filters: choosing the rows alone, then with the grid expanded and
    // painted as the filter bar leaves it.
    struct TFilterStep {
      const char *Name;
      TEntryFilter Filter;
    };
    const TFilterStep Filters[] = {
        {"filterUntranslated", {esfUntranslated, {}}},
        {"filterTranslated", {esfTranslated, {}}},
        {"filterChanged", {esfChanged, {}}},
        {"filterTextFew", {esfAll, QStringLiteral("unsaved warning")}},
        {"filterTextMost", {esfAll, QStringLiteral("caption")}},
        {"filterTextNone", {esfAll, QStringLiteral("no such text")}},
        {"filterTextCyrillic", {esfAll, QStringLiteral("ПРЕДУПРЕЖДЕНИЕ")}},
        {"filterTextUntranslated", {esfUntranslated, QStringLiteral("unsaved")}},
        {"filterNone", {}},
    };
    for (const TFilterStep &F : Filters) {
      Measure(F.Name, [&] { Model->SetFilter(F.Filter); });
      std::printf("%-28s %10d entries\n", "  shown", Model->VisibleEntryCount());
    }
    for (const TFilterStep &F : {Filters[0], Filters[3], Filters[8]}) {
      const std::string Name = std::string(F.Name) + "ExpandPaint";
      Measure(Name.c_str(), [&] {
        Model->SetFilter(F.Filter);
        View->expandAll();
        SelectEntryNode(*View, Model->index(0, 0), false, true);
        Paint();
      });
    }

    // Batch changes over every row.
    QModelIndexList All;
    All.reserve(Model->TreeOrderCount());
    for (int P = 0; P < Model->TreeOrderCount(); ++P)
      All.append(Model->IndexAtTreeOrder(P));
    Measure("markAllAutotranslated", [&] {
      Model->ChangeEntryStates(All, {zrtsAutotranslated}, {});
      Paint();
    });
    Measure("pasteIntoAllRows", [&] {
      Model->SetEntriesText(All, QStringLiteral("Eingefügt"));
      Paint();
    });
    Measure("collapseAll", [&] {
      View->collapseAll();
      Paint();
    });
    Measure("expandAllAgain", [&] {
      View->expandAll();
      Paint();
    });
    std::printf("%-28s %10d (visited %d)\n", "untranslatedProperties", Untranslated, Visited);
    std::printf("%-28s %10.1f MB\n", "peakRss", StatusMb("VmHWM:"));

    Measure("closeDocument", [&] {
      Model->Clear();
      Paint();
      Display.reset();
      Translation.reset();
      Source.reset();
    });
  } catch (const std::exception &E) {
    std::fprintf(stderr, "lingrove-gridbench: %s\n", E.what());
    return 1;
  }
  return 0;
}
