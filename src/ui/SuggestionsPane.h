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
  // text is Source; Shortcuts[I] is the key of row I (may be empty).
  void SetSuggestions(const QString &Source, std::vector<TSuggestion> Suggestions);
  const std::vector<TSuggestion> &Suggestions() const { return FSuggestions; }
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
    QString Head;                                // shortcut and similarity
    QString Target;
    QString Note;                                // "from this project"; empty for the memory's
    std::vector<TTextDifference> SourceChanges;  // empty when the sources are equal
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
