#pragma once

#include "LanguageSourceObject.h"

#include <QObject>
#include <QStringList>
#include <memory>

class QIODevice;
class TZrLang_CompEntry;

enum TZrLanguageControllerOption : quint8 {
  zrlcoAutoSaveLangSource = 1,
  zrlcoIgnoreEmptyProps = 2,
  zrlcoIgnoreNonAlphaProps = 4,
  zrlcoIgnoreFontProps = 8,
};
using TZrLanguageControllerOptions = quint8;
constexpr TZrLanguageControllerOptions ZrLangDefaultControllerOptions = 15;

// The language controller of one form: owned by the form (its parent), it
// holds the form's entry tree, registers with the language manager and is
// translated whenever the language changes.
//
// A form builds its widgets, then creates its controller with bLoading set,
// sets SectionName and the mask lists, reads its language data and calls
// Loaded(). A controller created without bLoading binds to its owner at once.
class TZrLanguageController : public QObject, public IZrLang_LanguageSourceObject {
  Q_OBJECT
  Q_PROPERTY(QStringList IgnoreList READ IgnoreList WRITE SetIgnoreList)
  Q_PROPERTY(int Options READ Options WRITE SetOptions)
  Q_PROPERTY(QString SectionName READ SectionName WRITE SetSectionName)
  Q_PROPERTY(QStringList StoreList READ StoreList WRITE SetStoreList)

public:
  explicit TZrLanguageController(QObject *AOwner, bool bLoading = false);
  // The controller of a form whose widgets exist: named Name, with its
  // section and masks, its language data read from the resource of its
  // section, bound, and shown in the current language.
  static TZrLanguageController *CreateLoaded(QObject *AOwner, const QString &Name,
                                             const QString &SectionName,
                                             const QStringList &IgnoreList,
                                             const QStringList &StoreList = {});
  ~TZrLanguageController() override;

  // Masks of properties never localized; kept sorted, duplicates dropped.
  const QStringList &IgnoreList() const { return FIgnoreList; }
  void SetIgnoreList(const QStringList &Value);
  // Masks of properties localized even when empty or not stored.
  const QStringList &StoreList() const { return FStoreList; }
  void SetStoreList(const QStringList &Value);
  int Options() const { return FOptions; }
  void SetOptions(int Value) { FOptions = TZrLanguageControllerOptions(Value & 15); }
  const QString &SectionName() const { return FSectionName; }
  void SetSectionName(const QString &Value) { FSectionName = Value; }
  // SectionName, or the owner's name when it is empty.
  QString ActualSectionName() const;
  TZrLang_CompEntry *RootCompEntry() const { return FRootCompEntry.get(); }

  // Binds the tree to the owner's components, takes their current values as
  // the defaults and shows the current language.
  void Loaded();
  // Raises EMaskException for a malformed mask.
  void UpdateComponents(bool bModifyList);

  // The "LangData" stream. Writing updates the tree first and happens only
  // when the owner has a name; it returns whether it wrote.
  void ReadLangData(QIODevice &Stream);
  bool WriteLangData(QIODevice &Stream);
  // Reads ":/LangData/<ActualSectionName>" when it exists.
  bool ReadLangDataResource();

  bool UpdateSourceEntries() override;
  void WriteSourceLines(QStringList &Strings, TZrLang_TranslationStates StateFilter) override;
  QString GetSourceSectionName() const override { return ActualSectionName(); }

Q_SIGNALS:
  void OnLanguageChanging(TZrLanguageController *Sender);
  void OnLanguageChanged(TZrLanguageController *Sender);

private:
  void ComponentDestroyed(QObject *AComponent);
  void WatchBoundComponents();

  QStringList FIgnoreList;
  TZrLanguageControllerOptions FOptions = ZrLangDefaultControllerOptions;
  std::unique_ptr<TZrLang_CompEntry> FRootCompEntry;
  QString FSectionName;
  QStringList FStoreList;
};
