// The Suggestions pane beside the memos: translations for the focused entry
// from the open document and from the user's translation memory, looked up
// off the interface thread, and the actions that put one into the entry.
#include "MainForm.h"

#include "Action.h"
#include "AppAttribs.h"
#include "DocumentMemory.h"
#include "EntryTreeModel.h"
#include "EntryTreeView.h"
#include "IniFiles.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "ProjectMatches.h"
#include "SuggestionLookup.h"
#include "SuggestionsPane.h"
#include "TranslationDocument.h"

#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <algorithm>
#include <array>

namespace {

const QString ShowSuggestionsKey = QStringLiteral("ShowSuggestions");

} // namespace

// What the window keeps for its suggestions; a child of the window.
class TMainFormSuggestions : public QObject {
public:
  explicit TMainFormSuggestions(TUIMainForm &Form);

  TSuggestionsPane *Pane = nullptr;
  TAction *ActionView = nullptr;
  std::array<TAction *, TSuggestionsPane::MaxSuggestions> ActionUse{};

  // Looks up the suggestions of the focused entry at the next idle moment.
  void Schedule(bool bForce);
  // The window shows another document, or none: the project's index goes.
  // A filter leaves it alone.
  void DocumentChanged() { FProjectMatches.Reset(); }
  void Retranslate();

private:
  void Update();
  void Found(quint64 RequestId, const TSuggestionResult &Result);
  void Use(int Index);
  void UpdateActions();
  // Looks up in the memory the settings name, from now on; the look-ups of
  // another one end once its units are stored.
  void FollowMemoryPath();

  TUIMainForm &FForm;
  TSuggestionLookup *FLookup = nullptr;
  QString FLookupPath;
  TProjectMatches FProjectMatches;
  std::vector<TSuggestion> FProjectSuggestions;
  quint64 FRequestId = 0;
  int FPosition = -1; // the entry the pane shows suggestions for
  bool bScheduled = false;
  bool bForce = false;
};

TMainFormSuggestions::TMainFormSuggestions(TUIMainForm &Form)
    : QObject(&Form), FForm(Form) {
  FollowMemoryPath();
  // A save's units are written by the worker; the window goes on at once.
  Form.FDocument->SetMemoryFeed([this](std::vector<TMemoryUnit> Units) {
    FollowMemoryPath();
    FLookup->Store(std::move(Units));
  });

  auto *Values = Form.findChild<QSplitter *>(QStringLiteral("ValueSplitter"));
  Pane = new TSuggestionsPane(Values);
  Values->addWidget(Pane);
  connect(Pane, &TSuggestionsPane::Chosen, this, &TMainFormSuggestions::Use);

  ActionView = Form.NewAction("ActionViewSuggestions", QString(), {}, QString(),
                              QStringLiteral("View Menu"), -1);
  ActionView->setCheckable(true);
  ActionView->setChecked(true);
  connect(ActionView, &QAction::toggled, this, [this](bool On) {
    Pane->setVisible(On);
    // At once: the keys of a hidden pane's suggestions do nothing.
    bForce = true;
    Update();
  });
  QMenu *View = Form.findChild<QMenu *>(QStringLiteral("MenuView"));
  const QList<QAction *> Items = View->actions();
  const qsizetype StatusBar = Items.indexOf(Form.MenuViewStatusBar);
  View->insertAction(Items.value(StatusBar + 1), ActionView);

  static const char *const Names[] = {"ActionEditUseSuggestion1", "ActionEditUseSuggestion2",
                                      "ActionEditUseSuggestion3", "ActionEditUseSuggestion4",
                                      "ActionEditUseSuggestion5"};
  static_assert(std::size(Names) == TSuggestionsPane::MaxSuggestions);
  QStringList Shortcuts;
  for (int I = 0; I < TSuggestionsPane::MaxSuggestions; ++I) {
    const QKeySequence Key(Qt::CTRL | Qt::Key(Qt::Key_1 + I));
    ActionUse[size_t(I)] =
        Form.NewAction(Names[I], QString(), Key, QString(), QStringLiteral("Edit Menu"), -1);
    connect(ActionUse[size_t(I)], &QAction::triggered, this, [this, I] { Use(I); });
    Shortcuts << Key.toString(QKeySequence::NativeText);
  }
  Pane->SetShortcuts(Shortcuts);

  connect(Form.MainStringTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { Schedule(false); });
  connect(Form.FTreeModel, &QAbstractItemModel::modelReset, this, [this] { Schedule(true); });
  connect(Form.LangController(), &TZrLanguageController::OnLanguageChanged, this,
          [this] { Retranslate(); });
  Retranslate();
  UpdateActions();
}

void TMainFormSuggestions::FollowMemoryPath() {
  const QString Path = TUIMainForm::MemoryPath();
  if (FLookup && FLookupPath == Path)
    return;
  delete FLookup;
  FLookupPath = Path;
  FLookup = new TSuggestionLookup(Path, this);
  connect(FLookup, &TSuggestionLookup::Found, this, &TMainFormSuggestions::Found);
  connect(FLookup, &TSuggestionLookup::StoreFailed, FForm.FDocument.get(),
          &TTranslationDocument::MemoryFeedFailed);
}

void TMainFormSuggestions::Retranslate() {
  ActionView->setText(LangConstant(u"SCaptionViewSuggestions"));
  ActionView->SetHint(LangConstant(u"SHintViewSuggestions"));
  for (int I = 0; I < TSuggestionsPane::MaxSuggestions; ++I) {
    ActionUse[size_t(I)]->setText(LangConstantFmt(u"SCaptionUseSuggestion", {I + 1}));
    ActionUse[size_t(I)]->SetHint(LangConstantFmt(u"SHintUseSuggestion", {I + 1}));
  }
  Pane->Retranslate();
}

void TMainFormSuggestions::Schedule(bool bForceLookup) {
  bForce = bForce || bForceLookup;
  if (bScheduled)
    return;
  bScheduled = true;
  QTimer::singleShot(0, this, [this] { Update(); });
}

void TMainFormSuggestions::Update() {
  bScheduled = false;
  if (FForm.FIsDestroying)
    return;
  const int Position = Pane->isHidden() ? -1 : FForm.CurrentEntryPosition();
  if (Position == FPosition && !bForce)
    return;
  bForce = false;
  FPosition = Position;
  FollowMemoryPath();
  FLookup->Cancel();
  FProjectSuggestions.clear();
  Pane->SetMessage(QString());
  if (Position < 0) {
    Pane->SetSuggestions(QString(), {});
    UpdateActions();
    return;
  }
  TTranslationDocument &Doc = FForm.Document();
  const QString &Source = Doc.Entries().SourceValue(Position);
  for (TMemoryMatch &Match :
       FProjectMatches.Find(Doc, Position, TSuggestionsPane::MaxSuggestions))
    FProjectSuggestions.push_back(TSuggestion{std::move(Match), true});
  Pane->SetSuggestions(Source, FProjectSuggestions);
  UpdateActions();
  const QString TargetLang = MemoryTargetLang(Doc.Languages());
  if (Source.isEmpty() || TargetLang.isEmpty())
    return;
  const int MinPercent = Attribs ? Attribs->MemoryMinSimilarity() : 70;
  FLookup->SetLimits(TSuggestionsPane::MaxSuggestions, std::clamp(MinPercent, 1, 100) / 100.0);
  FLookup->Request(++FRequestId, MemorySourceLang(Doc.Languages()), TargetLang, Source);
}

void TMainFormSuggestions::Found(quint64, const TSuggestionResult &Result) {
  if (FPosition < 0)
    return;
  std::vector<TSuggestion> All = FProjectSuggestions;
  for (const TMemoryMatch &Match : Result.Matches)
    if (std::none_of(All.begin(), All.end(), [&](const TSuggestion &S) {
          return S.Match.Unit.Target == Match.Unit.Target;
        }))
      All.push_back(TSuggestion{Match, false});
  const bool bNone = All.empty();
  Pane->SetSuggestions(FForm.Document().Entries().SourceValue(FPosition), std::move(All));
  if (!Result.Error.isEmpty())
    Pane->SetMessage(LangConstantFmt(u"SMessageSuggestionsMemoryFailed", {Result.Error}));
  else if (Result.bNoUnits)
    Pane->SetMessage(LangConstant(u"SCaptionSuggestionsNoUnits"));
  else if (bNone)
    Pane->SetMessage(LangConstant(u"SCaptionSuggestionsNone"));
  UpdateActions();
}

void TMainFormSuggestions::Use(int Index) {
  const int Position = FForm.CurrentEntryPosition();
  if (Position < 0 || Position != FPosition || Index < 0 ||
      size_t(Index) >= Pane->Suggestions().size())
    return;
  FForm.CommitPendingEdit();
  FForm.Document().SetValues({{Position, Pane->Suggestions()[size_t(Index)].Match.Unit.Target}},
                             LangConstant(u"SUndoUseSuggestion"));
}

void TMainFormSuggestions::UpdateActions() {
  for (size_t I = 0; I < ActionUse.size(); ++I)
    ActionUse[I]->setEnabled(FPosition >= 0 && I < Pane->Suggestions().size());
}

void TUIMainForm::CreateSuggestions() {
  FSuggestions = new TMainFormSuggestions(*this);
}

void TUIMainForm::SuggestionsDocumentChanged() {
  if (FSuggestions)
    FSuggestions->DocumentChanged();
}

void TUIMainForm::ReadSuggestionsState(const TCustomIniFile &Store, const QString &Section) {
  FSuggestions->ActionView->setChecked(Store.ReadBool(Section, ShowSuggestionsKey, true));
}

void TUIMainForm::WriteSuggestionsState(TCustomIniFile &Store, const QString &Section) {
  Store.WriteBool(Section, ShowSuggestionsKey, FSuggestions->ActionView->isChecked());
}
