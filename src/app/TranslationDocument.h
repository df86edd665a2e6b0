#pragma once

#include "Exceptions.h"
#include "TranslationSupport.h"

#include <QString>
#include <array>
#include <memory>

class TLangSource;
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
// Edits of entries' texts and states are to become operations of this class
// (with the history they are undone from), as are the counts and the index of
// untranslated entries that views and tools share; nothing else writes the
// records then.
class TTranslationDocument {
public:
  TTranslationDocument();
  ~TTranslationDocument();
  TTranslationDocument(const TTranslationDocument &) = delete;
  TTranslationDocument &operator=(const TTranslationDocument &) = delete;

  // Reads the source, the display translation (none when DisplayPath is
  // blank) and the translation (a new, empty one when TranslationPath is
  // blank), then reconciles the translation with the source. All or nothing:
  // on failure the document is left empty and the error is raised; a file
  // that cannot be opened raises the library's error, a fault in a file's
  // contents an ETranslationFileError naming that file.
  void Load(const QString &SourcePath, const QString &DisplayPath, const QString &TranslationPath);
  void Close();
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

  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // The encoding a save keeps by default: the translation file's own, the
  // source's for a new translation.
  bool DefaultUnicode() const;
  // Writes the translation to Path, untranslated entries left out, through
  // the library's writer (which replaces the file only once all of it is
  // written). With TSaveHeader::Stamp the header is stamped first; an unknown
  // translation language (0) is left out rather than written as 0. Once
  // written, Path is the translation's file name and nothing is modified.
  void Save(const QString &Path, bool bUnicode, TSaveHeader Header = TSaveHeader::Stamp);

private:
  std::unique_ptr<TLangSource> FSource;
  std::unique_ptr<TZrLang_CompTranslations> FTranslation;
  std::unique_ptr<TZrLang_CompTranslations> FDisplay;
  QString FSourceFilename;
  QString FDisplayFilename;
  QString FTranslationFilename;
  TTranslationLanguages FLanguages;
  TReconciliation FReconciliation;
  bool FModified = false;
};
