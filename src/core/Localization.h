#pragma once

#include <QString>
#include <QVariantList>

// The framework's translation hook for code that runs without the
// localization library. The program installs a lookup of its named constants
// once, at start; until then, and for constants the lookup does not know,
// the default text is handed back. The constant's name documents which
// message is meant.
class Localizer {
public:
  // Returns the constant's text in the interface language, or an empty
  // string when it has none.
  using TLookup = QString (*)(QStringView ZrLangConst);

  Localizer() = delete;
  // Not thread-safe: install before any window exists.
  static void SetLookup(TLookup Lookup);
  static QString Translate(QStringView ZrLangConst, const QString &DefaultValue);
  // The text as the format of Params by the run-time format (RtlFormat.h); a
  // placeholder without a fitting argument raises EConvertError.
  static QString Translate(QStringView ZrLangConst, const QString &DefaultValue,
                           const QVariantList &Params);
};
