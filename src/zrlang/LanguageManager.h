#pragma once

#include "Constants.h"
#include "LangResources.h"
#include "Synchronizer.h"

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class TZrLang_CompTranslations;
class TZrLanguageController;

// The process-wide language state: the languages that can be chosen (index 0
// is the default language, then the registered ones), the current language
// and its code page, and the application's constants. All state is guarded
// by one re-entrant multi-reader, single-writer lock, so constants may be
// read from any thread; controllers are translated on the thread that owns
// their forms.
class TZrLanguageManager {
public:
  TZrLanguageManager();
  ~TZrLanguageManager();
  TZrLanguageManager(const TZrLanguageManager &) = delete;
  TZrLanguageManager &operator=(const TZrLanguageManager &) = delete;

  void AddLangController(TZrLanguageController *Controller);
  void RemoveLangController(TZrLanguageController *Controller);

  // Reads only the file's header; true when it names a language (the
  // default language included, which is not registered again).
  bool RegisterLangFile(const QString &wsFileName);
  void RegisterLangResource(const QString &wsResourceName, quint16 wLangID);
  void RegisterLangResource(int iResID, quint16 wLangID);
  void UnregisterLangResource(quint16 wLangID);
  // Registers the files matching wsMask in wsDir (and, with bRecursive, in
  // subfolders whose names match the mask and do not start with "."); the
  // number of files that named a language.
  int ScanForLangFiles(const QString &wsDir, const QString &wsMask, bool bRecursive);

  int IndexOfLanguageID(quint16 wLangID);
  // LanguageIDs, LanguageNames, LanguageResources and SetLanguageIndex raise
  // EListError for an index outside 0 to LanguageCount() - 1.
  quint16 LanguageIDs(int Index);
  QString LanguageNames(int Index);
  // Null for the default language. The record stays valid until the
  // language is unregistered.
  PZrLang_LangResource LanguageResources(int Index);
  int LanguageCount();

  quint16 LanguageID();
  // An unregistered LANGID selects the default language; selecting the
  // current language again does nothing. A translation that cannot be read
  // raises its error and leaves the current language as it was.
  void SetLanguageID(quint16 Value);
  quint16 DefaultLanguageID();
  void SetDefaultLanguageID(quint16 Value);
  int LanguageIndex();
  void SetLanguageIndex(int Index);
  unsigned CodePage();

  // Null for the default or an unregistered language; the caller owns it.
  std::unique_ptr<TZrLang_CompTranslations> GetTranslationsForLang(quint16 wLangID);
  void TranslateAll(const TZrLang_CompTranslations *Translations);
  void TranslateController(const TZrLang_CompTranslations *Translations,
                           TZrLanguageController *Controller);
  void TranslateNewController(TZrLanguageController *Controller);
  // Switches to the translation read in full from the start of Stream; its
  // language need not be registered.
  void TranslateFromStream(QIODevice &Stream);

  // Raises EZrLangError "Constant "%s" not found" for an unknown name.
  QString GetConstantValue(QStringView wsName);
  QString ConstantValue(QStringView wsName) { return GetConstantValue(wsName); }
  QString ConstantValueW(QStringView wsName) { return GetConstantValue(wsName); }
  // REQUIRES: no other thread changes the language while the list is used.
  TZrLang_Constants &Constants() { return *FConstants; }

  // Gives the display name of a LANGID; the default knows the major
  // languages by their English names and falls back to the number.
  using TLanguageNameFunc = std::function<QString(quint16)>;
  static void SetLanguageNameFunc(TLanguageNameFunc Func);

private:
  void UpdateCodePage();
  // The record of language index Index (1 and above); the lock is held.
  PZrLang_LangResource RegisteredLanguage(int Index) const;
  bool IsRegistered(const TZrLanguageController *Controller);

  TMultiReadExclusiveWriteSynchronizer FSynchronizer;
  std::unique_ptr<TZrLang_Constants> FConstants;
  std::vector<TZrLanguageController *> FLangControllers;
  TZrLang_LangResources FLangResources;
  unsigned FCodePage = 0;
  quint16 FDefaultLanguageID = 1033;
  quint16 FLanguageID = 1033;
};

// The one manager of the process, created on first use.
TZrLanguageManager &LangManager();
// A constant's text in the current interface language.
QString LangConstant(QStringView Name);
// The constant's text used as the format of Args by ZrLang_Format, so a
// translation may reorder them ("%1:s %0:s").
QString LangConstantFmt(QStringView Name, const QVariantList &Args);
