#pragma once

#include "Constants.h"
#include "Exceptions.h"
#include "Params.h"
#include "RecordList.h"
#include "RecordPool.h"
#include "TranslationStates.h"

#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class TZrLang_LineReader;

// The states sit in the room the ID leaves before the value: a record takes
// 32 bytes, not 40.
struct TZrLang_PropValueTranslation {
  qint32 iID;
  TZrLang_TranslationStates TranStates;
  QString wsValue;

  static void *operator new(std::size_t Size) { return ZrLang_AllocateRecord(Size); }
  static void operator delete(void *P, std::size_t Size) noexcept { ZrLang_FreeRecord(P, Size); }
};
using PZrLang_PropValueTranslation = TZrLang_PropValueTranslation *;

// The translated property values of one component (one file section), sorted
// by ascending iID with no ID twice. Records keep their addresses while they
// are in the list.
class TZrLang_CompTranslation {
public:
  explicit TZrLang_CompTranslation(const QString &wsComponentName);
  TZrLang_CompTranslation(const TZrLang_CompTranslation &) = delete;
  TZrLang_CompTranslation &operator=(const TZrLang_CompTranslation &) = delete;

  // Raises EZrLangError "Duplicate property value translation ID (%d)" when
  // iID is present; otherwise returns the index of the new record.
  int Add(qint32 iID, const QString &wsValue, TZrLang_TranslationStates TranStates);
  // Adds Items, sorted by ascending iID, in one pass over the list. An ID
  // that is present or given twice raises the duplicate-ID error and leaves
  // the list unchanged.
  void MergeSorted(std::vector<std::unique_ptr<TZrLang_PropValueTranslation>> Items);
  void Delete(int Index);
  // Deletes, in one pass, the records for which Pred(record) is true; Pred
  // sees every record once, in list order. Returns how many were deleted.
  template <typename F> int DeleteIf(F &&Pred) { return ZrLang_DeleteRecordsIf(FItems, Pred); }
  static EZrLangError DuplicateIDError(qint32 iID);
  // Binary search; on a miss iIndex is the insertion position.
  bool FindID(qint32 iID, int &iIndex) const;
  int IndexOfID(qint32 iID) const;
  PZrLang_PropValueTranslation FindPropByID(qint32 iID) const;

  const QString &ComponentName() const { return FComponentName; }
  int Count() const { return int(FItems.size()); }
  PZrLang_PropValueTranslation Items(int Index) const { return FItems[size_t(Index)].get(); }

private:
  QString FComponentName;
  std::vector<std::unique_ptr<TZrLang_PropValueTranslation>> FItems;
};

// One translation: header parameters, component translations in the order
// they were added, and named constants.
class TZrLang_CompTranslations {
public:
  TZrLang_CompTranslations();
  ~TZrLang_CompTranslations();
  TZrLang_CompTranslations(const TZrLang_CompTranslations &) = delete;
  TZrLang_CompTranslations &operator=(const TZrLang_CompTranslations &) = delete;

  // IsStreamUnicode keeps its value.
  void Clear();
  // Takes ownership; no check for a duplicate name.
  int Add(std::unique_ptr<TZrLang_CompTranslation> Item);
  void Delete(int Index);
  // Deletes, in one pass, the component translations for which Pred(item)
  // is true; Pred sees every item once, in list order.
  template <typename F> int DeleteIf(F &&Pred) { return ZrLang_DeleteRecordsIf(FItems, Pred); }
  // Linear search for the first item of the same name in text order.
  int IndexOfComponentName(QStringView wsComponentName) const;
  TZrLang_CompTranslation *FindComponentName(QStringView wsComponentName) const;

  int Count() const { return int(FItems.size()); }
  TZrLang_CompTranslation *Items(int Index) const { return FItems[size_t(Index)].get(); }
  TZrLang_Constants &Constants() { return *FConstants; }
  const TZrLang_Constants &Constants() const { return *FConstants; }
  TZrLang_Params &Params() { return FParams; }
  const TZrLang_Params &Params() const { return FParams; }
  bool IsStreamUnicode() const { return FIsStreamUnicode; }
  // The "LANGID" parameter, or 1033 when it is missing or not a number.
  quint16 LangID() const;
  // The code page of the file form without a byte-order mark: that of the
  // language the "LANGID" parameter names, the system's ANSI code page when
  // it names none (TranslationCodePage).
  unsigned AnsiCodePage() const;

  // The translation file. The file is read a block at a time; the values and
  // constant names read from it are kept together in a few large blocks that
  // they share (see TZrLang_SharedText), so they, and copies of them made
  // elsewhere, stay valid after the translation is cleared or freed, and keep
  // their block until the last of them goes.
  //
  // Loading clears the object first and reads from the
  // stream's position to its end; with bParamsOnly reading stops at the first
  // section header. Text without a byte-order mark is read in the code page
  // of the LANGID its header names (AnsiCodePage()). A line that breaks the model's rules ends the
  // load with "Loading translations failed." and the line's number, counted from 1; what was read
  // before it stays.
  void Text_LoadFromStream(QIODevice &Stream, bool bParamsOnly);
  void Text_LoadFromFile(const QString &wsFileName, bool bParamsOnly);
  // Resources are Qt resources ":/NAME" and ":/<number>"; a missing one
  // raises EResNotFound.
  void Text_LoadFromResource(const QString &wsResName, bool bParamsOnly);
  void Text_LoadFromResource(int iResID, bool bParamsOnly);
  // With bUnicode the text is UTF-16LE after FF FE, otherwise in
  // AnsiCodePage(). Every line ends with CR LF. Records with an ID below 1
  // are left out, since reading skips them.
  void Text_SaveToStream(QIODevice &Stream, bool bUnicode, bool bSkipUntranslated);
  // Writes through ZrLang_SaveFile: a failed save keeps the old file.
  void Text_SaveToFile(const QString &wsFileName, bool bUnicode, bool bSkipUntranslated);

private:
  void ParseLines(TZrLang_LineReader &Lines, bool bParamsOnly);

  std::vector<std::unique_ptr<TZrLang_CompTranslation>> FItems;
  TZrLang_Params FParams;
  std::unique_ptr<TZrLang_Constants> FConstants;
  bool FIsStreamUnicode = false;
};
