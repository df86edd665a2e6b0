#include "TranslationDocument.h"

#include "AutotranslatedMarks.h"
#include "BackgroundDisposal.h"
#include "CommonTypes.h"
#include "DocumentMemory.h"
#include "DocumentReader.h"
#include "EditsWithoutUndo.h"
#include "EntryEdit.h"
#include "CoreError.h"
#include "LangSource.h"
#include "TranslationMemory.h"
#include "Translations.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>

namespace {

bool SameState(const auto &A, const auto &B) {
  return A.Value == B.Value && A.ConstValue == B.ConstValue && A.States == B.States;
}

bool IsBlank(const QString &Path) {
  return IsEmptyStr(Path);
}

} // namespace

ETranslationFileError::ETranslationFileError(const QString &Path, const QString &Reason)
    : EZrLangError(QDir::toNativeSeparators(Path) + QStringLiteral("\r\n\r\n") + Reason),
      FReason(Reason) {}

TTranslationDocument::TTranslationDocument(std::unique_ptr<TEditHistory> History, QObject *Parent)
    : QObject(Parent),
      FHistory(History ? std::move(History) : std::make_unique<TEditsWithoutUndo>()) {
  FHistory->SetCleanChanged([this] { Q_EMIT ModifiedChanged(Modified()); });
}

// The steps refer to the entry table; they go first, telling nobody.
TTranslationDocument::~TTranslationDocument() {
  FHistory->SetCleanChanged(nullptr);
  FHistory.reset();
}

void TTranslationDocument::Load(const QString &SourcePath, const QString &DisplayPath,
                                const QString &TranslationPath) {
  Close();
  Take(ReadDocument(SourcePath, DisplayPath, TranslationPath, FMemory));
}

void TTranslationDocument::Take(TReadDocument Read) {
  Close();
  FSource = std::move(Read.Source);
  FTranslation = std::move(Read.Translation);
  FDisplay = std::move(Read.Display);
  FSourceFilename = Read.SourcePath;
  FDisplayFilename = Read.DisplayPath;
  FTranslationFilename = Read.TranslationPath;
  FLanguages = Read.Languages;
  FReconciliation = std::move(Read.Reconciliation);
  FIgnored.Read(FTranslation->Params());
  AutotranslatedMarks::Read(*FTranslation);
  if (Read.EntriesBuilt) {
    FEntries = std::move(Read.Entries);
    FEntriesBuilt = true;
  }
}

void TTranslationDocument::Adopt(std::unique_ptr<TLangSource> Source,
                                 std::unique_ptr<TZrLang_CompTranslations> Translation,
                                 std::unique_ptr<TZrLang_CompTranslations> Display) {
  Close();
  FSource = std::move(Source);
  FTranslation = std::move(Translation);
  FDisplay = std::move(Display);
  FIgnored.Read(FTranslation->Params());
  AutotranslatedMarks::Read(*FTranslation);
}

void TTranslationDocument::Close() {
  FHistory->Clear();
  SetForcedModified(false);
  if (FSource) {
    // The records of a large document take long to free: the worker frees
    // them, with the table and the index that point into them.
    struct TRecords {
      std::unique_ptr<TLangSource> Source;
      std::unique_ptr<TZrLang_CompTranslations> Translation;
      std::unique_ptr<TZrLang_CompTranslations> Display;
      TEntryTable Entries;
      QHash<QString, int> EntryKeys;
      std::vector<bool> Changed;
    };
    BackgroundDisposal::Dispose(TRecords{std::move(FSource), std::move(FTranslation),
                                         std::move(FDisplay), std::move(FEntries),
                                         std::move(FEntryKeys), std::move(FChanged)});
  }
  FEntries.Clear();
  FEntriesBuilt = false;
  std::vector<bool>().swap(FChanged);
  FSource.reset();
  FTranslation.reset();
  FDisplay.reset();
  FSourceFilename.clear();
  FDisplayFilename.clear();
  FTranslationFilename.clear();
  FLanguages = TTranslationLanguages();
  FReconciliation = TReconciliation();
  FIgnored.Clear();
  FEntryKeys.clear();
  FMemoryFed = false;
}

void TTranslationDocument::CloseAtExit() {
  struct TRecords {
    std::unique_ptr<TLangSource> Source;
    std::unique_ptr<TZrLang_CompTranslations> Translation;
    std::unique_ptr<TZrLang_CompTranslations> Display;
    QHash<QString, int> EntryKeys;
  };
  static auto *Kept = new std::vector<TRecords>;
  // The entry table and the history's steps refer to the records, which stay.
  FHistory->Clear();
  FEntries.Clear();
  FEntriesBuilt = false;
  Kept->push_back({std::move(FSource), std::move(FTranslation), std::move(FDisplay),
                   std::move(FEntryKeys)});
  Close();
}

bool TTranslationDocument::IsNewTranslation() const {
  return IsBlank(FTranslationFilename);
}

TTranslationCounts TTranslationDocument::CountEntries() const {
  return CountTranslationEntries(*FSource, *FTranslation);
}

bool TTranslationDocument::DefaultUnicode() const {
  return IsNewTranslation() ? FSource->IsFileUnicode() : FTranslation->IsStreamUnicode();
}

void TTranslationDocument::Save(const QString &Path, bool bUnicode, TSaveHeader Header) {
  if (Header == TSaveHeader::Stamp) {
    TZrLang_Params &Params = FTranslation->Params();
    StampTranslationHeader(Params, FLanguages, QDateTime::currentDateTime());
    if (FLanguages.LangIDTranslation == 0)
      Params.SetValue(u"LANGID", QString());
  }
  AutotranslatedMarks::Write(*FTranslation);
  FTranslation->Text_SaveToFile(Path, bUnicode, true);
  FTranslationFilename = Path;
  SetModified(false);
  if (FMemoryFeed) {
    std::vector<TMemoryUnit> Units = TranslatedMemoryUnits(*this, MemoryOrigin(Path), FMemoryFed);
    FMemoryFed = true;
    if (!Units.empty())
      FMemoryFeed(std::move(Units));
    return;
  }
  if (!FMemory)
    return;
  try {
    FMemory->Add(TranslatedMemoryUnits(*this, MemoryOrigin(Path), FMemoryFed));
    FMemoryFed = true;
  } catch (const ETranslationMemoryError &E) {
    Q_EMIT MemoryFailed(E.Message());
  }
}

void TTranslationDocument::MemoryFeedFailed(const QString &Message) {
  FMemoryFed = false;
  Q_EMIT MemoryFailed(Message);
}

const TEntryTable &TTranslationDocument::Entries() {
  if (!FEntriesBuilt) {
    FEntries.Build(*FSource, *FTranslation, FDisplay.get());
    FEntriesBuilt = true;
  }
  return FEntries;
}

int TTranslationDocument::FindEntryKey(const QString &Key) {
  if (FEntryKeys.isEmpty()) {
    const TEntryTable &Table = Entries();
    for (int P = 0; P < Table.Count(); ++P)
      if (Table.IsEntry(P))
        FEntryKeys.insert(EntryKey(P), P);
  }
  return FEntryKeys.value(Key, -1);
}

int TTranslationDocument::SetEntries(std::vector<TEntryState> States, const QString &Action) {
  const TEntryTable &Table = Entries();
  std::erase_if(States, [&](const TEntryState &S) {
    return S.Position < 0 || S.Position >= Table.Count() || !Table.IsEditable(S.Position);
  });
  std::sort(States.begin(), States.end(),
            [](const TEntryState &A, const TEntryState &B) { return A.Position < B.Position; });
  std::vector<TEntryState> Before, After;
  for (TEntryState &S : States) {
    if (!Before.empty() && Before.back().Position == S.Position)
      continue;
    TEntryState Old = StateOf(S.Position);
    if (SameState(Old, S))
      continue;
    Before.push_back(std::move(Old));
    After.push_back(std::move(S));
  }
  const int Count = int(After.size());
  if (Count > 0)
    Push(std::move(Before), std::move(After), Action, 0);
  return Count;
}

QString TTranslationDocument::EntryKey(int Position) {
  const TEntryTable &Table = Entries();
  if (Table.Kind(Position) == nkConstant)
    return THeaderItems::ConstantEntry(Table.Name(Position));
  return THeaderItems::PropertyEntry(Table.Name(Table.Node(Position).Parent),
                                         Table.PropertyID(Position));
}

void TTranslationDocument::DropIgnoredProblems(int Position,
                                               std::vector<TCheckProblem> &Problems) {
  if (FIgnored.IsEmpty() || Problems.empty())
    return;
  const QString Entry = EntryKey(Position);
  const TEntryTable &Table = Entries();
  std::erase_if(Problems, [&](const TCheckProblem &Problem) {
    return FIgnored.Contains(Problem.Check, Entry, Table.SourceValue(Position),
                             Table.TranslatedValue(Position));
  });
}

bool TTranslationDocument::HasIgnoredProblems(int Position) {
  if (FIgnored.IsEmpty())
    return false;
  const TEntryTable &Table = Entries();
  return FIgnored.ContainsAny(EntryKey(Position), Table.SourceValue(Position),
                              Table.TranslatedValue(Position));
}

void TTranslationDocument::IgnoreProblems(int Position,
                                          const std::vector<TCheckProblem> &Problems) {
  const QString Entry = EntryKey(Position);
  const TEntryTable &Table = Entries();
  bool Changed = false;
  for (const TCheckProblem &Problem : Problems)
    Changed |= FIgnored.Add(Problem.Check, Entry, Table.SourceValue(Position),
                            Table.TranslatedValue(Position));
  if (Changed)
    IgnoredChanged(Position);
}

void TTranslationDocument::StopIgnoringProblems(int Position) {
  if (FIgnored.RemoveEntry(EntryKey(Position)))
    IgnoredChanged(Position);
}

void TTranslationDocument::IgnoredChanged(int Position) {
  FIgnored.Write(FTranslation->Params());
  SetModified(true);
  Q_EMIT IgnoredProblemsChanged({Position});
}

bool TTranslationDocument::Modified() const {
  return FForcedModified || !FHistory->IsClean();
}

void TTranslationDocument::SetForcedModified(bool Value) {
  if (Value == FForcedModified)
    return;
  const bool Was = Modified();
  FForcedModified = Value;
  if (Modified() != Was)
    Q_EMIT ModifiedChanged(Modified());
}

void TTranslationDocument::SetModified(bool Value) {
  if (Value) {
    SetForcedModified(true);
    return;
  }
  const bool Was = Modified();
  // One ModifiedChanged for both flags, below.
  FHistory->SetClean();
  FForcedModified = false;
  if (Was)
    Q_EMIT ModifiedChanged(false);
}

// A constant keeps its value beside its default; both take the translation.
TTranslationDocument::TEntryState TTranslationDocument::Translated(const TEntryState &Old,
                                                                    const QString &Value) const {
  TEntryState New = Old;
  New.Value = Value;
  if (FEntries.Kind(Old.Position) == nkConstant)
    New.ConstValue = Value;
  New.States.Exclude(zrtsUntranslated);
  New.States.Exclude(zrtsAutotranslated);
  return New;
}

std::vector<int> TTranslationDocument::EditablePositions(std::vector<int> Positions) {
  const TEntryTable &Table = Entries();
  std::erase_if(Positions, [&](int P) { return P < 0 || P >= Table.Count() || !Table.IsEditable(P); });
  std::sort(Positions.begin(), Positions.end());
  Positions.erase(std::unique(Positions.begin(), Positions.end()), Positions.end());
  return Positions;
}

TTranslationDocument::TEntryState TTranslationDocument::StateOf(int Position) {
  return {Position, FEntries.TranslatedValue(Position), FEntries.TranslatedConstValue(Position),
          FEntries.States(Position)};
}

void TTranslationDocument::Apply(const std::vector<TEntryState> &States) {
  std::vector<int> Positions;
  Positions.reserve(States.size());
  if (FChanged.empty())
    FChanged.resize(size_t(FEntries.Count()));
  for (const TEntryState &S : States) {
    FEntries.Store(S.Position, S.Value, S.ConstValue, S.States);
    FChanged[size_t(S.Position)] = true;
    Positions.push_back(S.Position);
  }
  Q_EMIT EntriesChanged(Positions);
}

void TTranslationDocument::Push(std::vector<TEntryState> Before, std::vector<TEntryState> After,
                                const QString &Action, int MergeKey) {
  FHistory->Push(
      std::make_unique<TEntryEdit>(*this, std::move(Before), std::move(After), Action, MergeKey));
}


int TTranslationDocument::SetValues(std::vector<int> Positions, const QString &Value,
                                    const QString &Action, int MergeKey) {
  std::vector<TEntryState> Before, After;
  for (const int P : EditablePositions(std::move(Positions))) {
    TEntryState Old = StateOf(P);
    const TEntryState New = Translated(Old, Value);
    if (SameState(Old, New))
      continue;
    Before.push_back(std::move(Old));
    After.push_back(std::move(New));
  }
  const int Changed = int(After.size());
  if (Changed > 0)
    Push(std::move(Before), std::move(After), Action, MergeKey);
  return Changed;
}

int TTranslationDocument::SetValues(std::vector<std::pair<int, QString>> Values,
                                    const QString &Action) {
  return SetValuesForReview(std::move(Values), {}, Action);
}

int TTranslationDocument::SetValuesForReview(std::vector<std::pair<int, QString>> Values,
                                             std::vector<int> Review, const QString &Action) {
  std::sort(Review.begin(), Review.end());
  const quint8 ReviewBit = TZrLang_TranslationStates{zrtsAutotranslated}.AsByte();
  const TEntryTable &Table = Entries();
  std::erase_if(Values, [&](const auto &V) {
    return V.first < 0 || V.first >= Table.Count() || !Table.IsEditable(V.first);
  });
  // The last value given for a position wins.
  std::stable_sort(Values.begin(), Values.end(),
                   [](const auto &A, const auto &B) { return A.first < B.first; });
  std::vector<TEntryState> Before, After;
  for (size_t I = 0; I < Values.size(); ++I) {
    if (I + 1 < Values.size() && Values[I + 1].first == Values[I].first)
      continue;
    const auto &[P, V] = Values[I];
    TEntryState Old = StateOf(P);
    TEntryState New = Translated(Old, V);
    if (std::binary_search(Review.begin(), Review.end(), P))
      New.States = TZrLang_TranslationStates::FromByte(New.States.AsByte() | ReviewBit);
    if (SameState(Old, New))
      continue;
    Before.push_back(std::move(Old));
    After.push_back(std::move(New));
  }
  const int Changed = int(After.size());
  if (Changed > 0)
    Push(std::move(Before), std::move(After), Action, 0);
  return Changed;
}

int TTranslationDocument::ChangeStates(std::vector<int> Positions, TZrLang_TranslationStates Add,
                                       TZrLang_TranslationStates Remove, const QString &Action) {
  const quint8 AddBits = Add.AsByte(), KeepBits = quint8(~Remove.AsByte());
  std::vector<TEntryState> Before, After;
  for (const int P : EditablePositions(std::move(Positions))) {
    TEntryState Old = StateOf(P);
    TEntryState New = Old;
    New.States = TZrLang_TranslationStates::FromByte(quint8((Old.States.AsByte() | AddBits) & KeepBits));
    if (New.States == Old.States)
      continue;
    Before.push_back(std::move(Old));
    After.push_back(std::move(New));
  }
  const int Changed = int(After.size());
  if (Changed > 0)
    Push(std::move(Before), std::move(After), Action, 0);
  return Changed;
}
