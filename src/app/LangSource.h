#pragma once

#include "Constants.h"
#include "Exceptions.h"
#include "PropertyName.h"
#include "RecordPool.h"

#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class TZrLang_CompTranslations;
class TZrLang_LineReader;

enum TStreamEncoding { seNone, seUTF16LE, seUTF16BE, seUTF8 };

// Reads the byte-order mark at the stream's position and leaves the stream
// after it; without a mark the stream stays where it was.
TStreamEncoding DetectStreamEncoding(QIODevice &Stream);

// A language source that cannot be read as one.
class ELangSourceError : public Exception {
public:
  using Exception::Exception;
};

struct TPropertySource {
  qint32 iID;
  TPropertyName sPropName;
  QString wsValue; // decoded default value

  static void *operator new(std::size_t Size) { return ZrLang_AllocateRecord(Size); }
  static void operator delete(void *P, std::size_t Size) noexcept { ZrLang_FreeRecord(P, Size); }
};
using PPropertySource = TPropertySource *;

// Property records sorted by ascending iID; IDs and names may repeat, a new
// record goes in front of one with the same ID. Records keep their addresses
// while they are in the list.
class TPropertySources {
public:
  int Add(qint32 iID, const QString &sPropName, const QString &wsValue);
  // Replaces the records by Items, given in reading order, sorted in one step
  // as adding them one by one would sort them (a later record of an ID in
  // front of an earlier one).
  void Assign(std::vector<std::unique_ptr<TPropertySource>> Items);
  bool FindID(qint32 iID, int &iIndex) const;
  PPropertySource FindPropByID(qint32 iID) const;
  int IndexOfID(qint32 iID) const;
  // Linear; names compare in text order.
  int IndexOfPropName(QStringView sPropName) const;

  int Count() const { return int(FItems.size()); }
  PPropertySource Items(int Index) const { return FItems[size_t(Index)].get(); }

private:
  std::vector<std::unique_ptr<TPropertySource>> FItems;
};

class TComponentSource {
public:
  explicit TComponentSource(const QString &CompName) : FCompName(CompName) {}
  const QString &CompName() const { return FCompName; }
  TPropertySources &PropertySources() { return FPropertySources; }
  const TPropertySources &PropertySources() const { return FPropertySources; }

private:
  QString FCompName;
  TPropertySources FPropertySources;
};

// Components sorted by name in text order; a name may occur more than once,
// a new component goes in front of one with the same name.
class TComponentSources {
public:
  int Add(std::unique_ptr<TComponentSource> Item);
  // Replaces the components by Items, given in reading order, sorted in one
  // step as adding them one by one would sort them.
  void Assign(std::vector<std::unique_ptr<TComponentSource>> Items);
  bool FindCompName(QStringView CompName, int &Index) const;
  TComponentSource *FindCompByName(QStringView CompName) const;
  int IndexOfCompName(QStringView CompName) const;

  int Count() const { return int(FItems.size()); }
  TComponentSource *Items(int Index) const { return FItems[size_t(Index)].get(); }

private:
  std::vector<std::unique_ptr<TComponentSource>> FItems;
};

// One parsed language source (.zrlang). It never changes once constructed.
// The file is read a block at a time; the names and values of its
// properties and constants are kept together in a few large blocks that they
// share (see TZrLang_SharedText), so they, and any copies of them made
// elsewhere, stay valid after the source is freed, and keep their block
// until the last of them goes.
class TLangSource {
public:
  // Raises EFOpenError when the file cannot be opened, EZrLangError for a bad
  // constant and ELangSourceError for a property before any section.
  explicit TLangSource(const QString &Filename);
  // Reads from the stream's position to its end; Filename is only recorded.
  TLangSource(QIODevice &Stream, const QString &Filename);
  ~TLangSource();
  TLangSource(const TLangSource &) = delete;
  TLangSource &operator=(const TLangSource &) = delete;

  // Brings Translations into line with this source: missing components,
  // properties and constants are added as untranslated entries with the
  // source's values, excessive ones deleted. Returns the log of the changes
  // (empty when there were none) and sets the nine counters.
  QString CompareStructureWith(TZrLang_CompTranslations &Translations, int &CntAddedComps,
                               int &CntAddedProps, int &CntAddedConsts, int &CntRemovedComps,
                               int &CntRemovedProps, int &CntRemovedConsts, int &CntComps,
                               int &CntProps, int &CntConsts) const;

  const TComponentSources &ComponentSources() const { return *FComponentSources; }
  const TZrLang_Constants &Constants() const { return *FConstants; }
  const QString &Filename() const { return FFilename; }
  bool IsFileUnicode() const { return FIsFileUnicode; }

private:
  void LoadFromStream(QIODevice &Stream);
  void ParseLines(TZrLang_LineReader &Lines);

  std::unique_ptr<TComponentSources> FComponentSources;
  std::unique_ptr<TZrLang_Constants> FConstants;
  QString FFilename;
  bool FIsFileUnicode = false;
};
