#pragma once

#include <QString>
#include <memory>
#include <vector>

class QIODevice;

struct TZrLang_PropEntry {
  qint32 iID;
  QString wsPropName;     // path relative to the component: "Font.Name"
  QString wsDefLangValue; // value in the default language
  bool bValidated;        // working flag of an update
};
using PZrLang_PropEntry = TZrLang_PropEntry *;

// The localizable properties of one component, sorted by name in text order
// with unique names. Records keep their addresses while in the list.
class TZrLang_PropEntries {
public:
  // An existing name keeps its record and ID; a new one is inserted with
  // iID. Either way the default value is set and the record validated.
  // Returns true only when a record was inserted.
  bool Add(qint32 iID, const QString &wsPropName, const QString &wsDefLangValue);
  bool FindPropName(QStringView wsPropName, int &iIndex) const;
  int IndexOfPropName(QStringView wsPropName) const;
  PZrLang_PropEntry FindPropByName(QStringView wsPropName) const;
  int IndexOfID(qint32 iID) const;
  qint32 MaxID() const;
  void Invalidate();
  void DeleteInvalid();
  void Clear() { FItems.clear(); }

  int Count() const { return int(FItems.size()); }
  PZrLang_PropEntry Items(int Index) const { return FItems[size_t(Index)].get(); }

  // Count, then ID and name of each record; default values are not stored.
  void LoadFromDFMResource(QIODevice &Stream);
  void SaveToDFMResource(QIODevice &Stream) const;

private:
  std::vector<std::unique_ptr<TZrLang_PropEntry>> FItems;
};
