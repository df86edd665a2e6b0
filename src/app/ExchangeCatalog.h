#pragma once

#include "Exceptions.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <vector>

class TTranslationDocument;

// A file of an exchange format that cannot be read as one: its syntax, or
// what it holds, breaks the format.
class EExchangeFileError : public Exception {
public:
  using Exception::Exception;
};

// What the exchange formats say about a unit's translation.
enum class TExchangeState : quint8 {
  Untranslated, // none yet: XLIFF needs-translation, a PO message with an empty msgstr
  Translated,
  NeedsReview, // automatically translated: XLIFF needs-review-translation, PO fuzzy
};

// One entry of a translation as XLIFF and PO carry it. Texts have LF line
// breaks, the exchange formats' own; the library's values have CR LF.
struct TExchangeUnit {
  // The keys that name the entry, unique within a catalog made from a
  // document. Id, XLIFF's, stays the same while the entry's component and ID
  // do: "Component:ID", a constant's name. Context, gettext's msgctxt, reads
  // as a path: "Component.Property", a constant's name; a property whose
  // path another entry has already taken gets "#ID" appended.
  QString Id;
  QString Context;
  QString Group; // the component's name; "$CONSTANTS" for constants
  QString Name;  // the property's path or the constant's name
  QString Source;
  QString Target;
  TExchangeState State = TExchangeState::Untranslated;
  // Read from a file: whether it gave a target at all.
  bool bHasTarget = true;
  // Made from a document: the entry's position in its entry table.
  int Position = -1;
};

// The units of one translation and its languages (LANGIDs, 0 when unknown).
struct TExchangeCatalog {
  QString Original; // the language source's file name, without its folder
  quint16 SourceLangID = 0;
  quint16 TargetLangID = 0;
  std::vector<TExchangeUnit> Units;
};

// The group of the constants, named after their section in translation files.
extern const QString ExchangeConstantsGroup;

// The entries of an open document that a translation file can keep, in tree
// order; an entry whose record another one shares (a property ID or a
// component name that the source repeats) comes once. Untranslated entries
// have an empty target.
TExchangeCatalog ExchangeCatalogOf(TTranslationDocument &Doc);

// Every kind of line break (CR LF, LF CR, lone CR, lone LF) as one LF, or,
// back in the library's form, as one CR LF.
QString ToExchangeText(const QString &Value);
QString FromExchangeText(const QString &Text);
