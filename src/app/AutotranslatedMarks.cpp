#include "AutotranslatedMarks.h"

#include "HeaderItems.h"
#include "Translations.h"

namespace AutotranslatedMarks {

namespace {

QString Item(const QString &Entry, const QString &Value) {
  return THeaderItems::EscapeEntry(Entry) + u':' + THeaderItems::TextsHash(QStringView(), Value);
}

// The record an entry names and its translated value; null when none.
TZrLang_TranslationStates *Find(TZrLang_CompTranslations &Translation, QStringView Entry,
                                const QString *&Value) {
  const QString Constants = THeaderItems::ConstantEntry(QString());
  if (Entry.startsWith(Constants)) {
    PZrLang_Constant C = Translation.Constants().FindConstName(Entry.sliced(Constants.size()));
    if (!C)
      return nullptr;
    Value = &C->wsDefValue;
    return &C->TranStates;
  }
  const qsizetype Slash = Entry.lastIndexOf(u'/');
  if (Slash < 0)
    return nullptr;
  bool bOk = false;
  const qint32 ID = Entry.sliced(Slash + 1).toInt(&bOk);
  TZrLang_CompTranslation *Comp = bOk ? Translation.FindComponentName(Entry.first(Slash)) : nullptr;
  PZrLang_PropValueTranslation P = Comp ? Comp->FindPropByID(ID) : nullptr;
  if (!P)
    return nullptr;
  Value = &P->wsValue;
  return &P->TranStates;
}

} // namespace

int Read(TZrLang_CompTranslations &Translation) {
  THeaderItems Items(ParamName);
  Items.Read(Translation.Params());
  int Marked = 0;
  for (const QString &Text : Items.Items()) {
    const qsizetype Colon = Text.lastIndexOf(u':');
    if (Colon < 0)
      continue;
    const QString Entry = THeaderItems::UnescapeEntry(QStringView(Text).first(Colon));
    const QString *Value = nullptr;
    TZrLang_TranslationStates *States = Find(Translation, Entry, Value);
    if (!States || States->Contains(zrtsUntranslated) || Item(Entry, *Value) != Text)
      continue;
    States->Include(zrtsAutotranslated);
    ++Marked;
  }
  return Marked;
}

void Write(TZrLang_CompTranslations &Translation) {
  THeaderItems Items(ParamName);
  const auto Marked = [](const TZrLang_TranslationStates &S) {
    return S.Contains(zrtsAutotranslated) && !S.Contains(zrtsUntranslated);
  };
  for (int I = 0; I < Translation.Count(); ++I) {
    const TZrLang_CompTranslation &Comp = *Translation.Items(I);
    for (int J = 0; J < Comp.Count(); ++J)
      if (const PZrLang_PropValueTranslation P = Comp.Items(J); Marked(P->TranStates))
        Items.Add(Item(THeaderItems::PropertyEntry(Comp.ComponentName(), P->iID), P->wsValue));
  }
  const TZrLang_Constants &Constants = Translation.Constants();
  for (int I = 0; I < Constants.Count(); ++I)
    if (const PZrLang_Constant C = Constants.Items(I); Marked(C->TranStates))
      Items.Add(Item(THeaderItems::ConstantEntry(C->wsName), C->wsDefValue));
  Items.Write(Translation.Params());
}

} // namespace AutotranslatedMarks
