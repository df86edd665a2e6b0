#pragma once

#include "Exceptions.h"
#include "LanguageSourceObject.h"
#include "RecordList.h"
#include "TranslationStates.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

struct TZrLang_Constant {
  QString wsName;
  QString wsValue;    // the current value
  QString wsDefValue; // the default-language value
  TZrLang_TranslationStates TranStates;
};
using PZrLang_Constant = TZrLang_Constant *;

// Says which language the values of a constants list are in.
using TZrLang_GetLangIDCallback = std::function<quint16()>;

// Named values sorted by name in text order; no two names are the same name.
// Records keep their addresses while they are in the list.
class TZrLang_Constants : public IZrLang_LanguageSourceObject {
public:
  explicit TZrLang_Constants(TZrLang_GetLangIDCallback AGetLangIDCallback);
  virtual ~TZrLang_Constants();
  TZrLang_Constants(const TZrLang_Constants &) = delete;
  TZrLang_Constants &operator=(const TZrLang_Constants &) = delete;

  // Raises EZrLangError for an invalid or already present name; a failed Add
  // leaves the list unchanged. Value becomes both the value and the default.
  int Add(const QString &wsName, const QString &wsValue, TZrLang_TranslationStates TranStates);
  // Adds Items, sorted by name with valid names, in one pass over the list.
  // A name that is present or given twice raises the duplicate-name error
  // and leaves the list unchanged.
  void MergeSorted(std::vector<std::unique_ptr<TZrLang_Constant>> Items);
  void Delete(int Index);
  // Deletes, in one pass, the records for which Pred(record) is true; Pred
  // sees every record once, in list order. Returns how many were deleted.
  template <typename F> int DeleteIf(F &&Pred) { return ZrLang_DeleteRecordsIf(FItems, Pred); }
  void Clear();

  // Binary search; on a miss iIndex is the insertion position.
  bool FindName(QStringView wsName, int &iIndex) const;
  int IndexOfName(QStringView wsName) const;
  PZrLang_Constant FindConstName(QStringView wsName) const;
  // Raise EZrLangError "Constant "%s" not found" for an unknown name.
  PZrLang_Constant ItemsByName(QStringView wsName) const;
  QString Values(QStringView wsName) const;
  void SetValues(QStringView wsName, const QString &Value);

  // Per record: the value of the same name in Constants, or the default when
  // Constants is null; a record missing from Constants keeps its value.
  void TranslateFrom(const TZrLang_Constants *Constants);

  int Count() const { return int(FItems.size()); }
  PZrLang_Constant Items(int Index) const { return FItems[size_t(Index)].get(); }
  bool AutoSaveLangSource() const { return FAutoSaveLangSource; }
  void SetAutoSaveLangSource(bool Value) { FAutoSaveLangSource = Value; }
  quint16 LangID() const { return FGetLangIDCallback ? FGetLangIDCallback() : 1033; }

  // The binary constants stream: the current layout (version 3) is written,
  // the older ones are read too. LoadFromStream empties the list first.
  void SaveToStream(QIODevice &Stream) const;
  void LoadFromStream(QIODevice &Stream);
  // False, with the list untouched, when the resource does not exist.
  bool LoadFromResource(const QString &wsResName);
  QByteArray AsRawString() const;
  void SetAsRawString(const QByteArray &Value);

  static bool IsValidName(QStringView wsName);
  static EZrLangError InvalidNameError(const QString &wsName);
  static EZrLangError DuplicateNameError(const QString &wsName);

  // Lines "Name=Value" with the current value, in name order, of the
  // constants whose states have nothing in common with StateFilter.
  bool UpdateSourceEntries() override { return true; }
  void WriteSourceLines(QStringList &Strings, TZrLang_TranslationStates StateFilter) override;
  QString GetSourceSectionName() const override { return QStringLiteral("$CONSTANTS"); }

private:
  std::vector<std::unique_ptr<TZrLang_Constant>> FItems;
  TZrLang_GetLangIDCallback FGetLangIDCallback;
  bool FAutoSaveLangSource = true;
};
