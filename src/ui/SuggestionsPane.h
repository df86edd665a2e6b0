#pragma once

#include "MemoryUnit.h"
#include "TextDifference.h"

#include <QWidget>
#include <vector>

class QLabel;
class QListWidget;

// One translation offered for the focused entry.
struct TSuggestion {
  TMemoryMatch Match;
  bool bProject = false; // from the open document itself, not the memory
};

// The suggestions for the focused entry, beside the memos: for each its
// shortcut, its similarity in percent, the translation and, below, where
// the stored source text differs from the entry's (removed and added text
// on backgrounds of their own). A line below the list tells what the memory
// could not give. Double-click or Enter on a row chooses it.
class TSuggestionsPane : public QWidget {
  Q_OBJECT

public:
  static constexpr int MaxSuggestions = 5;

  explicit TSuggestionsPane(QWidget *Parent = nullptr);

  // Lists the first MaxSuggestions of Suggestions, for an entry whose source
  // text is Source.
  void SetSuggestions(const QString &Source, std::vector<TSuggestion> Suggestions);
  const std::vector<TSuggestion> &Suggestions() const { return FSuggestions; }
  // The keys that choose the rows, shown in them: Shortcuts[I] for row I.
  void SetShortcuts(const QStringList &Shortcuts);
  // The line below the list; empty hides it.
  void SetMessage(const QString &Text);
  QString Message() const;
  // The texts anew, in the interface language.
  void Retranslate();

Q_SIGNALS:
  void Chosen(int Index);

private:
  class TRowDelegate;
  friend class TRowDelegate;
  // What a row shows, built when the suggestions are set.
  struct TRow {
    QString Shortcut;
    QString Similarity;
    QString Target;
    QString Note;                               // "from this project"; empty for the memory's
    std::vector<TTextDifference> SourceChanges; // the stored source against the entry's
  };
  void BuildRows();

  QLabel *FCaption = nullptr;
  QListWidget *FList = nullptr;
  QLabel *FMessage = nullptr;
  QString FSource;
  std::vector<TSuggestion> FSuggestions;
  QStringList FShortcuts;
  std::vector<TRow> FRows;
};
