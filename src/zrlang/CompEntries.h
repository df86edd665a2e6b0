#pragma once

#include "PropEntries.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class QObject;
class TZrLang_CompTranslation;
class TZrLang_MaskList;
class TZrLang_CompEntry;

// Child entries in insertion order; owns them.
class TZrLang_CompEntries {
public:
  explicit TZrLang_CompEntries(TZrLang_CompEntry *AOwner) : FOwner(AOwner) {}
  ~TZrLang_CompEntries();

  int Add(std::unique_ptr<TZrLang_CompEntry> Item);
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  int IndexOfComponent(const QObject *CompReference) const;
  TZrLang_CompEntry *FindComponent(const QObject *CompReference) const;
  int IndexOfCompName(QStringView wsCompName) const;

  TZrLang_CompEntry *Owner() const { return FOwner; }
  int Count() const { return int(FItems.size()); }
  TZrLang_CompEntry *Items(int Index) const { return FItems[size_t(Index)].get(); }

  void LoadFromDFMResource(QIODevice &Stream, int Depth);
  void SaveToDFMResource(QIODevice &Stream) const;

private:
  TZrLang_CompEntry *FOwner;
  std::vector<std::unique_ptr<TZrLang_CompEntry>> FItems;
};

// The localizable properties of one component and, below it, the entries of
// the named components it owns. The root entry stands for the form. Property
// IDs are unique within one tree.
//
// Components are QObjects. The components a component owns are its named
// descendants, found through unnamed objects (layouts, containers) and
// Qt's own "qt_" objects without stopping at them; language controllers are
// never components of a tree. Published properties are the QMetaObject
// properties, ancestors' first.
class TZrLang_CompEntry {
public:
  explicit TZrLang_CompEntry(TZrLang_CompEntry *AOwner);
  ~TZrLang_CompEntry();
  TZrLang_CompEntry(const TZrLang_CompEntry &) = delete;
  TZrLang_CompEntry &operator=(const TZrLang_CompEntry &) = delete;

  TZrLang_CompEntry *Owner() const { return FOwner; }
  QObject *Component() const { return FComponent; }
  // The bound component's current name, otherwise the name read last.
  QString Name() const;
  QString GetComponentNamePath(bool bIncludeRoot) const;
  TZrLang_PropEntries *PropEntries() const { return FPropEntries.get(); }
  TZrLang_CompEntries *OwnedCompEntries() const { return FOwnedCompEntries.get(); }

  // Binds the tree to live components by name; entries whose component no
  // longer exists are deleted with their subtree.
  void BindComponents(QObject *Component);
  // With bModifyList the tree is built or extended and new properties get
  // fresh IDs; without it only the default values of known properties are
  // refreshed.
  void UpdateEntries(bool bModifyList, bool bIgnoreEmptyProps, bool bIgnoreNonAlphaProps,
                     bool bIgnoreFontProps, const TZrLang_MaskList &IgnoreMasks,
                     const TZrLang_MaskList &StoreMasks);
  // Sets every recorded property of the subtree to the translated value of
  // its ID, or to its default when Translation is null or lacks the ID.
  void ApplyTranslation(const TZrLang_CompTranslation *Translation, unsigned cCodePage);
  void RemoveComponent(const QObject *AComponent, bool bRecursive);
  qint32 GetMaxPropEntryID() const;
  void ResetValidation();
  // Calls Fn(Component) for every bound component of the subtree.
  template <typename F> void ForEachBoundComponent(F &&Fn) const {
    if (FComponent)
      Fn(FComponent);
    if (FOwnedCompEntries)
      for (int I = 0; I < FOwnedCompEntries->Count(); ++I)
        FOwnedCompEntries->Items(I)->ForEachBoundComponent(Fn);
  }

  // The language-data stream of the subtree. Reading leaves the entries
  // unbound; a stream that ends early raises EReadError.
  void LoadFromDFMResource(QIODevice &Stream, int Depth = 0);
  void SaveToDFMResource(QIODevice &Stream) const;

  // The language-source lines "Path.Prop=00000012,Value" of the subtree.
  void WriteSourceLines(QStringList &Strings) const;

private:
  friend class TZrLang_PropertyWalker;

  TZrLang_CompEntry *FOwner;
  QString FName;
  QObject *FComponent = nullptr; // REQUIRES: removed before it is destroyed
  std::unique_ptr<TZrLang_PropEntries> FPropEntries;
  std::unique_ptr<TZrLang_CompEntries> FOwnedCompEntries;
};

// The named components owned by Component, in ownership order.
QObjectList ZrLang_OwnedComponents(const QObject *Component);
