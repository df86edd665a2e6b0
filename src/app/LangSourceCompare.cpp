// Reconciling a translation with its language source.
#include "LangSource.h"
#include "LanguageManager.h"
#include "TextOrder.h"
#include "Translations.h"

#include <QHash>

namespace {

const QString Indent = QStringLiteral("    ");

class TLogBlock {
public:
  explicit TLogBlock(const char16_t *HeaderName) : FHeaderName(HeaderName) {}
  void Line(const QString &Prefix, const char16_t *ConstName, const QVariantList &Args) {
    FLines.append(Prefix).append(LangConstantFmt(ConstName, Args)).append(u"\r\n");
  }
  void AppendTo(QString &Log) const {
    if (FLines.isEmpty())
      return;
    Log.append(LangConstant(FHeaderName)).append(u"\r\n").append(FLines).append(u"\r\n");
  }

private:
  const char16_t *FHeaderName;
  QString FLines;
};

} // namespace

QString TLangSource::CompareStructureWith(TZrLang_CompTranslations &Translations,
                                          int &CntAddedComps, int &CntAddedProps,
                                          int &CntAddedConsts, int &CntRemovedComps,
                                          int &CntRemovedProps, int &CntRemovedConsts,
                                          int &CntComps, int &CntProps, int &CntConsts) const {
  CntAddedComps = CntAddedProps = CntAddedConsts = 0;
  CntRemovedComps = CntRemovedProps = CntRemovedConsts = 0;
  CntComps = FComponentSources->Count();
  CntProps = 0;
  CntConsts = FConstants->Count();
  QString Log;

  // The first component of each name, as a linear search would find it.
  QHash<QString, TZrLang_CompTranslation *> ByName;
  ByName.reserve(Translations.Count());
  for (int I = Translations.Count() - 1; I >= 0; --I)
    ByName.insert(ZrLang_TextOrderKey(Translations.Items(I)->ComponentName()),
                  Translations.Items(I));

  TLogBlock Missing(u"SMessageMissingEntries");
  for (int I = 0; I < FComponentSources->Count(); ++I) {
    const TComponentSource *Source = FComponentSources->Items(I);
    const TPropertySources &Props = Source->PropertySources();
    CntProps += Props.Count();
    const QString Key = ZrLang_TextOrderKey(Source->CompName());
    TZrLang_CompTranslation *Target = ByName.value(Key);
    const bool AllMissing = Target == nullptr;
    if (AllMissing) {
      auto New = std::make_unique<TZrLang_CompTranslation>(Source->CompName());
      Target = New.get();
      Translations.Add(std::move(New));
      ByName.insert(Key, Target);
      Missing.Line(QString(), u"SCaptionAddedComponent", {Source->CompName()});
      ++CntAddedComps;
    }
    for (int J = 0; J < Props.Count(); ++J) {
      const PPropertySource P = Props.Items(J);
      if (!AllMissing && Target->FindPropByID(P->iID))
        continue;
      Target->Add(P->iID, P->wsValue, {zrtsUntranslated});
      Missing.Line(Indent, u"SCaptionAddedProperty", {P->sPropName, P->iID});
      ++CntAddedProps;
    }
  }
  Missing.AppendTo(Log);

  TZrLang_Constants &Constants = Translations.Constants();
  TLogBlock MissingConsts(u"SMessageMissingConstants");
  for (int I = 0; I < FConstants->Count(); ++I) {
    const PZrLang_Constant C = FConstants->Items(I);
    if (Constants.FindConstName(C->wsName))
      continue;
    Constants.Add(C->wsName, C->wsDefValue, {zrtsUntranslated});
    MissingConsts.Line(Indent, u"SCaptionAddedConstant", {C->wsName});
    ++CntAddedConsts;
  }
  MissingConsts.AppendTo(Log);

  TLogBlock Excessive(u"SMessageExcessiveEntries");
  for (int I = 0; I < Translations.Count();) {
    TZrLang_CompTranslation *Target = Translations.Items(I);
    const TComponentSource *Source = FComponentSources->FindCompByName(Target->ComponentName());
    if (!Source) {
      Excessive.Line(Indent, u"SCaptionRemovedComponent", {Target->ComponentName()});
      ++CntRemovedComps;
      CntRemovedProps += Target->Count();
      Translations.Delete(I);
      continue;
    }
    const TPropertySources &Props = Source->PropertySources();
    for (int J = 0; J < Target->Count();) {
      const qint32 iID = Target->Items(J)->iID;
      if (Props.FindPropByID(iID)) {
        ++J;
        continue;
      }
      Excessive.Line(Indent, u"SCaptionRemovedProperty", {Target->ComponentName(), iID});
      ++CntRemovedProps;
      Target->Delete(J);
    }
    ++I;
  }
  Excessive.AppendTo(Log);

  TLogBlock ExcessiveConsts(u"SMessageExcessiveConstants");
  for (int I = 0; I < Constants.Count();) {
    const PZrLang_Constant C = Constants.Items(I);
    if (FConstants->FindConstName(C->wsName)) {
      ++I;
      continue;
    }
    ExcessiveConsts.Line(QString(), u"SCaptionRemovedConstant", {C->wsName});
    ++CntRemovedConsts;
    Constants.Delete(I);
  }
  ExcessiveConsts.AppendTo(Log);
  return Log;
}
