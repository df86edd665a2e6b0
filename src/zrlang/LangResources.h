#pragma once

#include <QString>
#include <memory>
#include <vector>

enum TZrLang_LangResourceKind { zrlrkResName, zrlrkResID, zrlrkFile };

// Where the translation of one language comes from. Resources are Qt
// resources (":/NAME", ":/<number>"), which belong to the whole process.
struct TZrLang_LangResource {
  TZrLang_LangResourceKind Kind;
  QString wsName; // resource or file name
  int iResID;
  quint16 wLangID;
};
using PZrLang_LangResource = TZrLang_LangResource *;

// At most one record per LANGID, in registration order.
class TZrLang_LangResources {
public:
  // Reuses the record of wLangID in its place, or appends one.
  int Add(TZrLang_LangResourceKind Kind, const QString &wsName, int iResID, quint16 wLangID);
  // Delete and Items raise EListError for an index outside the list.
  void Delete(int Index);
  int IndexOfLangID(quint16 wLangID) const;
  PZrLang_LangResource FindLangID(quint16 wLangID) const;
  int Count() const { return int(FItems.size()); }
  PZrLang_LangResource Items(int Index) const;

private:
  void CheckIndex(int Index) const;

  std::vector<std::unique_ptr<TZrLang_LangResource>> FItems;
};
