// Reconciling a translation with its language source.
#include "LangSource.h"
#include "LanguageManager.h"
#include "TextOrder.h"
#include "Translations.h"

#include <QHash>
#include <QSet>
#include <algorithm>

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

// The end of the run of components that have the same name as the one at
// First.
int SameNameRunEnd(const TComponentSources &Components, int First) {
  int End = First + 1;
  while (End < Components.Count() &&
         ZrLang_SameText(Components.Items(End)->CompName(), Components.Items(First)->CompName()))
    ++End;
  return End;
}

// The property IDs of the components First..End-1, ascending.
std::vector<qint32> SourceIDs(const TComponentSources &Components, int First, int End) {
  std::vector<qint32> IDs;
  for (int I = First; I < End; ++I) {
    const TPropertySources &Props = Components.Items(I)->PropertySources();
    for (int J = 0; J < Props.Count(); ++J)
      IDs.push_back(Props.Items(J)->iID);
  }
  if (End - First > 1)
    std::sort(IDs.begin(), IDs.end());
  return IDs;
}

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

  // Components of one name are adjacent in the source (it is sorted by name)
  // and share one component translation, which gets the IDs of all of them.
  TLogBlock Missing(u"SMessageMissingEntries");
  for (int First = 0; First < FComponentSources->Count();) {
    const TComponentSource *Source = FComponentSources->Items(First);
    const int Next = SameNameRunEnd(*FComponentSources, First);
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
    // Added in one step after the lookups, so that many additions in front of
    // existing records do not move the list once per record.
    std::vector<std::unique_ptr<TZrLang_PropValueTranslation>> Added;
    QSet<qint32> AddedIDs; // only needed when several components share the name
    const bool SharedName = Next - First > 1;
    for (int I = First; I < Next; ++I) {
      const TPropertySources &Props = FComponentSources->Items(I)->PropertySources();
      CntProps += Props.Count();
      for (int J = 0; J < Props.Count(); ++J) {
        const PPropertySource P = Props.Items(J);
        // A repeated ID (the source allows it) is one entry of the translation.
        if (J > 0 && Props.Items(J - 1)->iID == P->iID)
          continue;
        if (!AllMissing && Target->FindPropByID(P->iID))
          continue;
        if (SharedName) {
          if (AddedIDs.contains(P->iID))
            continue;
          AddedIDs.insert(P->iID);
        }
        Added.push_back(std::make_unique<TZrLang_PropValueTranslation>(
            TZrLang_PropValueTranslation{P->iID, {zrtsUntranslated}, P->wsValue}));
        Missing.Line(Indent, u"SCaptionAddedProperty", {P->sPropName.Text(), P->iID});
        ++CntAddedProps;
      }
    }
    if (SharedName)
      std::sort(Added.begin(), Added.end(),
                [](const auto &A, const auto &B) { return A->iID < B->iID; });
    Target->MergeSorted(std::move(Added));
    First = Next;
  }
  Missing.AppendTo(Log);

  TZrLang_Constants &Constants = Translations.Constants();
  TLogBlock MissingConsts(u"SMessageMissingConstants");
  std::vector<std::unique_ptr<TZrLang_Constant>> AddedConsts;
  for (int I = 0; I < FConstants->Count(); ++I) {
    const PZrLang_Constant C = FConstants->Items(I);
    if (Constants.FindConstName(C->wsName))
      continue;
    AddedConsts.push_back(std::make_unique<TZrLang_Constant>(
        TZrLang_Constant{C->wsName, C->wsDefValue, C->wsDefValue, {zrtsUntranslated}}));
    MissingConsts.Line(Indent, u"SCaptionAddedConstant", {C->wsName});
    ++CntAddedConsts;
  }
  Constants.MergeSorted(std::move(AddedConsts));
  MissingConsts.AppendTo(Log);

  TLogBlock Excessive(u"SMessageExcessiveEntries");
  Translations.DeleteIf([&](TZrLang_CompTranslation &Target) {
    int First;
    if (!FComponentSources->FindCompName(Target.ComponentName(), First)) {
      Excessive.Line(Indent, u"SCaptionRemovedComponent", {Target.ComponentName()});
      ++CntRemovedComps;
      CntRemovedProps += Target.Count();
      return true;
    }
    while (First > 0 && ZrLang_SameText(FComponentSources->Items(First - 1)->CompName(),
                                        Target.ComponentName()))
      --First;
    const std::vector<qint32> IDs =
        SourceIDs(*FComponentSources, First, SameNameRunEnd(*FComponentSources, First));
    // Both sides ascend by ID: one walk finds the entries the source lacks.
    size_t K = 0;
    CntRemovedProps += Target.DeleteIf([&](const TZrLang_PropValueTranslation &P) {
      while (K < IDs.size() && IDs[K] < P.iID)
        ++K;
      if (K < IDs.size() && IDs[K] == P.iID)
        return false;
      Excessive.Line(Indent, u"SCaptionRemovedProperty", {Target.ComponentName(), P.iID});
      return true;
    });
    return false;
  });
  Excessive.AppendTo(Log);

  TLogBlock ExcessiveConsts(u"SMessageExcessiveConstants");
  CntRemovedConsts = Constants.DeleteIf([&](const TZrLang_Constant &C) {
    if (FConstants->FindConstName(C.wsName))
      return false;
    ExcessiveConsts.Line(QString(), u"SCaptionRemovedConstant", {C.wsName});
    return true;
  });
  ExcessiveConsts.AppendTo(Log);
  return Log;
}
