#pragma once

#include "EditHistory.h"
#include "EntryTable.h"
#include "Exceptions.h"
#include "IgnoredProblems.h"
#include "MemoryUnit.h"
#include "TranslationSupport.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TLangSource;
class TTranslationMemory;
struct TReadDocument;
class TZrLang_CompTranslations;

// A fault in the contents of one of a document's files: the message names the
// file (native separators) above the library's own message, which Reason()
// keeps alone.
class ETranslationFileError : public EZrLangError {
public:
  ETranslationFileError(const QString &Path, const QString &Reason);
  const QString &Reason() const { return FReason; }

private:
  QString FReason;
};

// What opening a translation changed to bring it into line with its source.
struct TReconciliation {
  QString Log; // empty when nothing changed; CR LF line ends
  // Added comps, props, consts; removed comps, props, consts; total comps,
  // props, consts.
  std::array<int, 9> Counts{};
  // Removed translated entries the translation memory keeps (see
  // KeepRemovedTranslations); the memory's error when it failed, which
  // changes nothing else.
  int KeptInMemory = 0;
  QString MemoryError;
};

// How a save treats the translation's header.
enum class TSaveHeader {
  Stamp, // the languages, the generator and the time of the save
  Keep,  // as it was read
};

// The open translation: a language source, the translation reconciled with
// it, an optional display translation, their file names, the two languages
// and whether there are unsaved changes. It is empty until a Load succeeds
// and after Close.
//
// Entries are named by their positions in the entry table. Their texts and
// states change only through the edit operations below, each one step of the
// document's edit history; every change, done, undone or redone, is announced
// by one EntriesChanged.
class TTranslationDocument : public QObject {
  Q_OBJECT

public:
  // History is where the document's edits go; the document owns it. The
  // window gives an undo stack (TUndoStackHistory, of the undo library).
  // Without one (null) each edit is done and kept as no step: the document
  // stays modified until it is saved or closed. REQUIRES: History is new
  // (no steps, clean).
  explicit TTranslationDocument(std::unique_ptr<TEditHistory> History = nullptr,
                                QObject *Parent = nullptr);
  ~TTranslationDocument() override;
  TTranslationDocument(const TTranslationDocument &) = delete;
  TTranslationDocument &operator=(const TTranslationDocument &) = delete;

  // Reads the source, the display translation (none when DisplayPath is
  // blank) and the translation (a new, empty one when TranslationPath is
  // blank), then reconciles the translation with the source. All or nothing:
  // on failure the document is left empty and the error is raised; a file
  // that cannot be opened raises the library's error, a fault in a file's
  // contents an ETranslationFileError naming that file.
  // With a translation memory, the translated entries the reconciliation
  // removes are kept in it first.
  void Load(const QString &SourcePath, const QString &DisplayPath, const QString &TranslationPath);
  // Takes what ReadDocument read, with its file names (and the entry table
  // when BuildEntries built it).
  void Take(TReadDocument Read);
  // Takes files read elsewhere, Translation already reconciled with Source;
  // the document has no file names.
  void Adopt(std::unique_ptr<TLangSource> Source, std::unique_ptr<TZrLang_CompTranslations> Translation,
             std::unique_ptr<TZrLang_CompTranslations> Display = nullptr);
  void Close();
  // Close for a process about to end: the records of the files, which a
  // large document frees one by one for seconds, are left to the system to
  // reclaim. They stay reachable from static storage, so leak checkers do
  // not report them.
  void CloseAtExit();
  bool IsOpen() const { return FSource != nullptr; }

  // The accessors of the files need an open document.
  const TLangSource &Source() const { return *FSource; }
  TZrLang_CompTranslations &Translation() { return *FTranslation; }
  const TZrLang_CompTranslations &Translation() const { return *FTranslation; }
  // Null when there is none.
  const TZrLang_CompTranslations *DisplayTranslation() const { return FDisplay.get(); }

  const QString &SourceFilename() const { return FSourceFilename; }
  const QString &DisplayFilename() const { return FDisplayFilename; }
  // Blank for a new translation until it is saved.
  const QString &TranslationFilename() const { return FTranslationFilename; }
  bool IsNewTranslation() const;

  // Read from the translation's header on Load (see ReadTranslationLanguages).
  const TTranslationLanguages &Languages() const { return FLanguages; }
  void SetLanguages(const TTranslationLanguages &Value) { FLanguages = Value; }

  const TReconciliation &Reconciliation() const { return FReconciliation; }
  TTranslationCounts CountEntries() const;

  // The entry table, built on first use (the command-line tool needs none).
  // REQUIRES: an open document.
  const TEntryTable &Entries();

  // Edit operations; Action names the undo step ("Typing", "Paste"). Only
  // editable positions count; an operation that changes nothing adds no
  // step. Each returns the number of entries it changed.
  //
  // Stores Value as the translated value of every entry in Positions, which
  // then counts as translated (zrtsUntranslated and zrtsAutotranslated are
  // removed). A non-zero MergeKey merges the step into the previous one when
  // that has the same key and the same entries: consecutive keystrokes in one
  // entry are one step.
  int SetValues(std::vector<int> Positions, const QString &Value, const QString &Action,
                int MergeKey = 0);
  // The same with a value of its own for each position.
  int SetValues(std::vector<std::pair<int, QString>> Values, const QString &Action);
  // The same, and the entries of Values that Review names are marked
  // zrtsAutotranslated: filled by the program, to be reviewed. One step.
  int SetValuesForReview(std::vector<std::pair<int, QString>> Values, std::vector<int> Review,
                         const QString &Action);
  // States := (states + Add) - Remove.
  int ChangeStates(std::vector<int> Positions, TZrLang_TranslationStates Add,
                   TZrLang_TranslationStates Remove, const QString &Action);

  // What an entry holds: its translated value, a constant's value beside its
  // default, and its states.
  struct TEntryState {
    int Position;
    QString Value;
    QString ConstValue;
    TZrLang_TranslationStates States;
  };
  // Gives the entries exactly these contents, as one undo step.
  int SetEntries(std::vector<TEntryState> States, const QString &Action);
  // A name of the entry that stays valid across sessions: "component/ID" for
  // a property, "$CONSTANTS/name" for a constant. REQUIRES: Position an entry.
  QString EntryKey(int Position);
  // The position of the entry EntryKey names, -1 when there is none.
  int FindEntryKey(const QString &Key);

  // The translation memory that Load and Save feed; none by default.
  // REQUIRES: Memory outlives its use by the document (or is unset first).
  void SetMemory(TTranslationMemory *Memory) { FMemory = Memory; }
  TTranslationMemory *Memory() const { return FMemory; }
  // Where Save sends the units for the memory instead of storing them
  // itself: Feed takes them over and stores them later, elsewhere (see
  // TSuggestionLookup::Store), and tells a failure to MemoryFeedFailed.
  // None by default; Load still uses Memory.
  using TMemoryFeed = std::function<void(std::vector<TMemoryUnit> Units)>;
  void SetMemoryFeed(TMemoryFeed Feed) { FMemoryFeed = std::move(Feed); }
  // Units fed were not stored: the next save feeds all translated entries
  // again, and MemoryFailed tells the message.
  void MemoryFeedFailed(const QString &Message);

  // Problems the translator chose to ignore, kept in the translation's
  // header (see TIgnoredProblems). Changing them is a change outside the
  // edit history. REQUIRES: an open document, Position an entry.
  //
  // Removes the ignored ones from the entry's problems.
  void DropIgnoredProblems(int Position, std::vector<TCheckProblem> &Problems);
  bool HasIgnoredProblems(int Position);
  // Ignores these problems of the entry with its present texts.
  void IgnoreProblems(int Position, const std::vector<TCheckProblem> &Problems);
  // Shows every ignored problem of the entry again.
  void StopIgnoringProblems(int Position);

  // The entry's text or states were changed by an edit, an undo or a redo
  // since the document was opened (even when changed back).
  bool ChangedInSession(int Position) const {
    return Position >= 0 && size_t(Position) < FChanged.size() && FChanged[size_t(Position)];
  }

  // Unsaved changes: the edit history is away from the state last saved or
  // opened, or something outside it (the header's languages) was changed.
  bool Modified() const;
  // True marks a change outside the edit history; false makes the present
  // state the saved one.
  void SetModified(bool Value);

  // The encoding a save keeps by default: the translation file's own, the
  // source's for a new translation.
  bool DefaultUnicode() const;
  // Writes the translation to Path, untranslated entries left out, through
  // the library's writer (which replaces the file only once all of it is
  // written). With TSaveHeader::Stamp the header is stamped first; an unknown
  // translation language (0) is left out rather than written as 0. Once
  // written, Path is the translation's file name and nothing is modified.
  // Entries translated automatically are named in a header parameter (see
  // AutotranslatedMarks), which Load reads back. Then the translated entries
  // go into the translation memory, if there is one: all of them on the
  // first save after Load, the entries changed in the session on later ones;
  // a memory that fails only raises MemoryFailed. With a memory feed the
  // units go to it instead.
  void Save(const QString &Path, bool bUnicode, TSaveHeader Header = TSaveHeader::Stamp);

Q_SIGNALS:
  // Positions in ascending order whose translated value or states changed.
  void EntriesChanged(const std::vector<int> &Positions);
  void ModifiedChanged(bool Modified);
  // The entry's ignored problems changed.
  void IgnoredProblemsChanged(const std::vector<int> &Positions);
  // A save could not store its entries in the translation memory.
  void MemoryFailed(const QString &Message);

private:
  friend class TEntryEdit;
  TEntryState StateOf(int Position);
  // Old with Value stored and the translation states cleared.
  TEntryState Translated(const TEntryState &Old, const QString &Value) const;
  // Stores the states; REQUIRES: ascending positions.
  void Apply(const std::vector<TEntryState> &States);
  std::vector<int> EditablePositions(std::vector<int> Positions);
  void Push(std::vector<TEntryState> Before, std::vector<TEntryState> After,
            const QString &Action, int MergeKey);
  void SetForcedModified(bool Value);
  void IgnoredChanged(int Position);

  std::unique_ptr<TLangSource> FSource;
  std::unique_ptr<TZrLang_CompTranslations> FTranslation;
  std::unique_ptr<TZrLang_CompTranslations> FDisplay;
  QString FSourceFilename;
  QString FDisplayFilename;
  QString FTranslationFilename;
  TTranslationLanguages FLanguages;
  TReconciliation FReconciliation;
  TEntryTable FEntries;
  bool FEntriesBuilt = false;
  TIgnoredProblems FIgnored;
  QHash<QString, int> FEntryKeys; // built on the first FindEntryKey
  // One flag per position, set by Apply; sized on the first change.
  std::vector<bool> FChanged;
  std::unique_ptr<TEditHistory> FHistory; // never null
  bool FForcedModified = false;
  TTranslationMemory *FMemory = nullptr;
  TMemoryFeed FMemoryFeed;
  bool FMemoryFed = false; // all translated entries went in since Load
};
