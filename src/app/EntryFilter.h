#pragma once

#include <QString>
#include <QStringMatcher>
#include <QtGlobal>

class TDocumentProblems;
class TEntryTable;
class TTranslationDocument;

// Which entries a filter lets through by their translation state.
enum TEntryStateFilter : quint8 {
  esfAll = 0,
  // States contain zrtsUntranslated: the entries the grid shows as
  // untranslated.
  esfUntranslated = 1,
  // All other entries.
  esfTranslated = 2,
  // Changed by an edit since the document was opened.
  esfChanged = 3,
  // Translated entries with an error or a warning.
  esfProblems = 4,
};

// What the entry grid shows: the entries of State whose name, source value,
// display value or translated value (raw, not the one-line form) contains
// Text, ignoring case. An empty Text matches every entry.
struct TEntryFilter {
  TEntryStateFilter State = esfAll;
  QString Text;

  // False for the filter that lets everything through.
  bool IsActive() const { return State != esfAll || !Text.isEmpty(); }
  friend bool operator==(const TEntryFilter &, const TEntryFilter &) = default;
};

// Tests the entries of an open document against a filter.
class TEntryFilterMatcher {
public:
  // Document must be open and outlive the matcher, and so must Problems,
  // the document's problems (nullptr: no entry has any).
  TEntryFilterMatcher(const TEntryFilter &Filter, TTranslationDocument &Document,
                      const TDocumentProblems *Problems = nullptr);
  // REQUIRES: Position is an entry (a property or a constant).
  bool Matches(int Position) const;

private:
  bool StateMatches(int Position) const;
  bool TextMatches(int Position) const;

  const TTranslationDocument &FDocument;
  const TEntryTable &FTable;
  const TDocumentProblems *FProblems;
  TEntryStateFilter FState;
  bool FHasText;
  QStringMatcher FText;
};
