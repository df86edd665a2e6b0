#pragma once

#include <QStringView>

class TZrLang_CompTranslations;

// Which entries were translated automatically and await review
// (zrtsAutotranslated), kept across save and reopen in one header parameter
// (THeaderItems):
//   Autotranslated=entry:hash;entry:hash
// where hash is THeaderItems::TextsHash over the translated value alone, so
// that an entry whose value another program changed loses its mark.
namespace AutotranslatedMarks {

constexpr QStringView ParamName = u"Autotranslated";

// Adds zrtsAutotranslated to the records the parameter names whose values
// still fit; returns how many. The parameter stays as it was.
int Read(TZrLang_CompTranslations &Translation);
// Sets the parameter from the records' states (removes it when none has
// zrtsAutotranslated), in the order of the records.
void Write(TZrLang_CompTranslations &Translation);

} // namespace AutotranslatedMarks
