#include "LanguageTags.h"

#include "CodePages.h"
#include "Languages.h"

#include <QLocale>
#include <QStringList>
#include <vector>

namespace {

// Identifiers whose primary language code alone is ambiguous or whose
// region is not the language's usual one under the same primary language.
struct TFixedTag {
  quint16 LangID;
  const char *Tag;
};
constexpr TFixedTag FixedTags[] = {
    {1028, "zh-TW"}, {1034, "es-ES"},      {1044, "nb-NO"}, {1050, "hr-HR"}, {2052, "zh-CN"},
    {2068, "nn-NO"}, {2074, "sr-Latn-RS"}, {3076, "zh-HK"}, {3082, "es-ES"}, {3098, "sr-Cyrl-RS"},
    {4100, "zh-SG"}, {4122, "hr-BA"},      {5124, "zh-MO"}, {5146, "bs-BA"}, {58378, "es-419"},
};

// The region a language table name states in parentheses, "Switzerland" in
// "German (Switzerland)"; empty when there is none.
QString RegionName(const char16_t *Name) {
  const QString Text = QString::fromUtf16(Name);
  const qsizetype Open = Text.indexOf(u'(');
  const qsizetype Close = Text.lastIndexOf(u')');
  return Open >= 0 && Close > Open ? Text.mid(Open + 1, Close - Open - 1).trimmed() : QString();
}

QString ComputeTag(quint16 LangID, const char16_t *TableName) {
  for (const TFixedTag &F : FixedTags)
    if (F.LangID == LangID)
      return QString::fromLatin1(F.Tag);
  const QString Iso = IsoCodeOfLangID(LangID);
  if (Iso.isEmpty())
    return {};
  const QLocale Main(Iso);
  if (Main.language() == QLocale::C)
    return Iso;
  // Sublanguage 1 is the language's main region, which QLocale also assumes.
  if ((LangID >> 10) == 1)
    return QLocale::languageToCode(Main.language()) + u'-' +
           QLocale::territoryToCode(Main.territory());
  const QString Region = TableName ? RegionName(TableName) : QString();
  if (!Region.isEmpty())
    for (const QLocale &L :
         QLocale::matchingLocales(Main.language(), QLocale::AnyScript, QLocale::AnyTerritory))
      if (QLocale::territoryToString(L.territory()).compare(Region, Qt::CaseInsensitive) == 0)
        return QLocale::languageToCode(Main.language()) + u'-' +
               QLocale::territoryToCode(L.territory());
  return QLocale::languageToCode(Main.language());
}

struct TTagRow {
  quint16 LangID;
  QString Language; // lower case
  QString Script;   // "Latn", empty for none
  QString Region;   // upper case, empty for none
};

// The subtags of a tag; a POSIX code set or modifier is dropped.
TTagRow SplitTag(QStringView Tag, quint16 LangID = 0) {
  QStringView Core = Tag;
  for (const char16_t Stop : {u'.', u'@'})
    if (const qsizetype At = Core.indexOf(Stop); At >= 0)
      Core = Core.first(At);
  TTagRow Row{LangID, {}, {}, {}};
  const QStringList Parts = Core.toString().replace(u'_', u'-').split(u'-');
  Row.Language = Parts.value(0).toLower();
  for (qsizetype I = 1; I < Parts.size(); ++I) {
    const QString &Part = Parts[I];
    if (Part.size() == 4 && Row.Script.isEmpty() && Row.Region.isEmpty())
      Row.Script = Part.first(1).toUpper() + Part.sliced(1).toLower();
    else if (Part.size() == 2 || (Part.size() == 3 && Part[0].isDigit())) {
      Row.Region = Part.toUpper();
      break;
    }
  }
  return Row;
}

// Every row of the language table with its tag, computed once.
const std::vector<TTagRow> &TagRows() {
  static const std::vector<TTagRow> Rows = [] {
    std::vector<TTagRow> R;
    for (const TLanguageRow &Row : LanguageTable())
      if (const QString Tag = ComputeTag(Row.LCID, Row.Name); !Tag.isEmpty())
        R.push_back(SplitTag(Tag, Row.LCID));
    return R;
  }();
  return Rows;
}

} // namespace

QString LanguageTagOfLangID(quint16 LangID) {
  if (LangID == 0)
    return {};
  const int Index = IndexOfLCID(LangID);
  return ComputeTag(LangID, Index < 0 ? nullptr : LanguageTable()[size_t(Index)].Name);
}

quint16 LangIDOfLanguageTag(QStringView Tag) {
  const TTagRow Wanted = SplitTag(Tag.trimmed());
  if (Wanted.Language.isEmpty())
    return 0;
  // The same script as well wins over the same region alone ("sr-Cyrl-RS").
  quint16 SameRegion = 0, MainRegion = 0;
  for (const TTagRow &Row : TagRows()) {
    if (Row.Language != Wanted.Language)
      continue;
    if (Row.Region == Wanted.Region) {
      if (Row.Script == Wanted.Script)
        return Row.LangID;
      if (SameRegion == 0)
        SameRegion = Row.LangID;
    }
    if (MainRegion == 0 && (Row.LangID >> 10) == 1)
      MainRegion = Row.LangID;
  }
  return SameRegion != 0 ? SameRegion : MainRegion;
}

QString PosixLocaleName(const QString &Tag) {
  const TTagRow Row = SplitTag(Tag);
  QString Name = Row.Region.isEmpty() ? Row.Language : Row.Language + u'_' + Row.Region;
  // gettext names the Latin script of a language usually written otherwise
  // by a modifier ("sr_RS@latin").
  if (Row.Script == u"Latn")
    Name += QStringLiteral("@latin");
  return Name;
}
