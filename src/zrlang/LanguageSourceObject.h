#pragma once

#include "TranslationStates.h"

#include <QString>
#include <QStringList>

// Something that contributes one section to a language source file. The
// interface does not own or count references to the object.
class IZrLang_LanguageSourceObject {
public:
  // Brings the object's entries up to date; false when it cannot.
  virtual bool UpdateSourceEntries() = 0;
  // Appends the section's lines; entries whose states share a member with
  // StateFilter are left out where the object keeps states.
  virtual void WriteSourceLines(QStringList &Strings, TZrLang_TranslationStates StateFilter) = 0;
  virtual QString GetSourceSectionName() const = 0;

protected:
  ~IZrLang_LanguageSourceObject() = default;
};
