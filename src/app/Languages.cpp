#include "Languages.h"

#include "CodePages.h"
#include "LanguageManager.h"

#include <QLocale>
#include <algorithm>

namespace {

constexpr TLanguageRow Table[] = {
    {1025, u"Arabic (Saudi Arabia)"},
    {1026, u"Bulgarian"},
    {1027, u"Catalan"},
    {1028, u"Chinese (Taiwan)"},
    {1029, u"Czech"},
    {1030, u"Danish"},
    {1031, u"German (Germany)"},
    {1032, u"Greek"},
    {1033, u"English (United States)"},
    {1034, u"Spanish (Spain, Traditional Sort)"},
    {1035, u"Finnish"},
    {1036, u"French (France)"},
    {1037, u"Hebrew"},
    {1038, u"Hungarian"},
    {1039, u"Icelandic"},
    {1040, u"Italian (Italy)"},
    {1041, u"Japanese"},
    {1042, u"Korean"},
    {1043, u"Dutch (Netherlands)"},
    {1044, u"Norwegian (Bokmål)"},
    {1045, u"Polish"},
    {1046, u"Portuguese (Brazil)"},
    {1047, u"Rhaeto-Romanic"},
    {1048, u"Romanian"},
    {1049, u"Russian"},
    {1050, u"Croatian"},
    {1051, u"Slovak"},
    {1052, u"Albanian (Albania)"},
    {1053, u"Swedish"},
    {1054, u"Thai"},
    {1055, u"Turkish"},
    {1056, u"Urdu"},
    {1057, u"Indonesian"},
    {1058, u"Ukrainian"},
    {1059, u"Belarusian"},
    {1060, u"Slovenian"},
    {1061, u"Estonian"},
    {1062, u"Latvian"},
    {1063, u"Lithuanian"},
    {1064, u"Tajik"},
    {1065, u"Farsi"},
    {1066, u"Vietnamese"},
    {1067, u"Armenian (Armenia)"},
    {1068, u"Azeri (Latin)"},
    {1069, u"Basque"},
    {1070, u"Sorbian"},
    {1071, u"FYRO Macedonian"},
    {1072, u"Sutu"},
    {1073, u"Tsonga"},
    {1074, u"Tswana"},
    {1075, u"Venda"},
    {1076, u"Xhosa"},
    {1077, u"Zulu"},
    {1078, u"Afrikaans (South Africa)"},
    {1079, u"Georgian"},
    {1080, u"Faroese"},
    {1081, u"Hindi"},
    {1082, u"Maltese"},
    {1083, u"Sami (Lappish)"},
    {1084, u"Gaelic (Scotland)"},
    {1085, u"Yiddish"},
    {1086, u"Malay (Malaysia)"},
    {1087, u"Kazakh"},
    {1088, u"Kyrgyz (Cyrillic)"},
    {1089, u"Swahili"},
    {1090, u"Turkmen"},
    {1091, u"Uzbek (Latin)"},
    {1092, u"Tatar"},
    {1093, u"Bengali (India)"},
    {1094, u"Punjabi"},
    {1095, u"Gujarati"},
    {1096, u"Oriya"},
    {1097, u"Tamil"},
    {1098, u"Telugu"},
    {1099, u"Kannada"},
    {1100, u"Malayalam"},
    {1101, u"Assamese"},
    {1102, u"Marathi"},
    {1103, u"Sanskrit"},
    {1104, u"Mongolian (Cyrillic)"},
    {1105, u"Tibetan (People's Republic of China)"},
    {1106, u"Welsh"},
    {1107, u"Khmer"},
    {1108, u"Lao"},
    {1109, u"Burmese"},
    {1110, u"Galician"},
    {1111, u"Konkani"},
    {1112, u"Manipuri"},
    {1113, u"Sindhi (India)"},
    {1114, u"Syriac"},
    {1115, u"Sinhalese (Sri Lanka)"},
    {1116, u"Cherokee (United States)"},
    {1117, u"Inuktitut"},
    {1118, u"Amharic (Ethiopia)"},
    {1119, u"Tamazight (Arabic)"},
    {1120, u"Kashmiri (Arabic)"},
    {1121, u"Nepali"},
    {1122, u"Frisian (Netherlands)"},
    {1123, u"Pashto"},
    {1124, u"Filipino"},
    {1125, u"Divehi"},
    {1126, u"Edo"},
    {1127, u"Fulfulde (Nigeria)"},
    {1128, u"Hausa (Nigeria"},
    {1129, u"Ibibio (Nigeria)"},
    {1130, u"Yoruba"},
    {1131, u"Quecha (Bolivia)"},
    {1132, u"Sepedi"},
    {1136, u"Igbo (Nigeria)"},
    {1137, u"Kanuri (Nigeria)"},
    {1138, u"Oromo"},
    {1139, u"Tigrigna (Ethiopia)"},
    {1140, u"Guarani (Paraguay)"},
    {1141, u"Hawaiian (United States)"},
    {1142, u"Latin"},
    {1143, u"Somali"},
    {1144, u"Yi"},
    {1145, u"Papiamentu"},
    {1152, u"Uighur (China)"},
    {1153, u"Maori (New Zealand)"},
    {2049, u"Arabic (Iraq)"},
    {2052, u"Chinese (People's Republic of China)"},
    {2055, u"German (Switzerland)"},
    {2057, u"English (United Kingdom)"},
    {2058, u"Spanish (Mexico)"},
    {2060, u"French (Belgium)"},
    {2064, u"Italian (Switzerland)"},
    {2067, u"Dutch (Belgium)"},
    {2068, u"Norwegian (Nynorsk)"},
    {2070, u"Portuguese (Portugal)"},
    {2072, u"Romanian (Moldava)"},
    {2073, u"Russian (Moldava)"},
    {2074, u"Serbian (Latin)"},
    {2077, u"Swedish (Finland)"},
    {2080, u"Urdu (India)"},
    {2092, u"Azeri (Cyrillic)"},
    {2108, u"Gaelic (Ireland)"},
    {2110, u"Malay (Brunei Darussalam)"},
    {2115, u"Uzbek (Cyrillic)"},
    {2117, u"Bengali (Bangladesh)"},
    {2118, u"Punjabi (Pakistan)"},
    {2128, u"Mongolian (Mongolian)"},
    {2129, u"Tibetan (Bhutan)"},
    {2137, u"Sindhi (Pakistan)"},
    {2143, u"Tamazight (Latin)"},
    {2144, u"Kashmiri"},
    {2145, u"Nepali (India)"},
    {2155, u"Quecha (Ecuador)"},
    {2163, u"Tigrigna (Eritrea)"},
    {3073, u"Arabic (Egypt)"},
    {3076, u"Chinese (Hong Kong S.A.R.)"},
    {3079, u"German (Austria)"},
    {3081, u"English (Australia)"},
    {3082, u"Spanish (Spain, Modern Sort)"},
    {3084, u"French (Canada)"},
    {3098, u"Serbian (Cyrillic)"},
    {3179, u"Quecha (Peru)"},
    {4097, u"Arabic (Libya)"},
    {4100, u"Chinese (Singapore)"},
    {4103, u"German (Luxembourg)"},
    {4105, u"English (Canada)"},
    {4106, u"Spanish (Guatemala)"},
    {4108, u"French (Switzerland)"},
    {4122, u"Croatian (Bosnia/Herzegovina)"},
    {5121, u"Arabic (Algeria)"},
    {5124, u"Chinese (Macao S.A.R.)"},
    {5127, u"German (Liechtenstein)"},
    {5129, u"English (New Zealand)"},
    {5130, u"Spanish (Costa Rica)"},
    {5132, u"French (Luxembourg)"},
    {5146, u"Bosnian (Bosnia/Herzegovina)"},
    {6145, u"Arabic (Morocco)"},
    {6153, u"English (Ireland)"},
    {6154, u"Spanish (Panama)"},
    {6156, u"French (Monaco)"},
    {7169, u"Arabic (Tunisia)"},
    {7177, u"English (South Africa)"},
    {7178, u"Spanish (Dominican Republic)"},
    {7180, u"French (West Indies)"},
    {8193, u"Arabic (Oman)"},
    {8201, u"English (Jamaica)"},
    {8202, u"Spanish (Venezuela)"},
    {8204, u"French (Reunion)"},
    {9217, u"Arabic (Yemen)"},
    {9225, u"English (Caribbean)"},
    {9226, u"Spanish (Colombia)"},
    {9228, u"French (Democratic Rep. of Congo)"},
    {10241, u"Arabic (Syria)"},
    {10249, u"English (Belize)"},
    {10250, u"Spanish (Peru)"},
    {10252, u"French (Senegal)"},
    {11265, u"Arabic (Jordan)"},
    {11273, u"English (Trinidad)"},
    {11274, u"Spanish (Argentina)"},
    {11276, u"French (Cameroon)"},
    {12289, u"Arabic (Lebanon)"},
    {12297, u"English (Zimbabwe)"},
    {12298, u"Spanish (Ecuador)"},
    {12300, u"French (Cote d'Ivoire)"},
    {13313, u"Arabic (Kuwait)"},
    {13321, u"English (Philippines)"},
    {13322, u"Spanish (Chile)"},
    {13324, u"French (Mali)"},
    {14337, u"Arabic (U.A.E.)"},
    {14345, u"English (Indonesia)"},
    {14346, u"Spanish (Uruguay)"},
    {14348, u"French (Morocco)"},
    {15361, u"Arabic (Bahrain)"},
    {15369, u"English (Hong Kong S.A.R.)"},
    {15370, u"Spanish (Paraguay)"},
    {15372, u"French (Haiti)"},
    {16385, u"Arabic (Qatar)"},
    {16393, u"English (India)"},
    {16394, u"Spanish (Bolivia)"},
    {17417, u"English (Malaysia)"},
    {17418, u"Spanish (El Salvador)"},
    {18441, u"English (Singapore)"},
    {18442, u"Spanish (Honduras)"},
    {19466, u"Spanish (Nicaragua)"},
    {20490, u"Spanish (Puerto Rico)"},
    {21514, u"Spanish (United States)"},
    {58378, u"Spanish (Latin America)"},
    {58380, u"French (North Africa)"},
};

static_assert(std::size(Table) == 223);
static_assert(std::adjacent_find(std::begin(Table), std::end(Table),
                                 [](const TLanguageRow &A, const TLanguageRow &B) {
                                   return A.LCID >= B.LCID;
                                 }) == std::end(Table),
              "rows in strictly ascending LCID order");

} // namespace

std::span<const TLanguageRow> LanguageTable() {
  return Table;
}

int IndexOfLCID(quint16 LCID) noexcept {
  for (size_t I = 0; I < std::size(Table); ++I)
    if (Table[I].LCID == LCID)
      return int(I);
  return -1;
}

QString LanguageDisplayName(int Index) {
  const TLanguageRow &Row = Table[size_t(Index)];
  return QStringLiteral("%1 - 0x%2 - %3")
      .arg(Row.LCID, 5, 10, QLatin1Char('0'))
      .arg(QString::number(Row.LCID, 16).toUpper().rightJustified(4, u'0'),
           QString::fromUtf16(Row.Name));
}

QString LanguageNameOfLCID(quint16 LCID) {
  const int Index = IndexOfLCID(LCID);
  return Index < 0 ? QString::number(LCID) : QString::fromUtf16(Table[size_t(Index)].Name);
}

QStringList SpellingLanguageTags(quint16 LCID) {
  const QString Iso = IsoCodeOfLangID(LCID);
  if (Iso.isEmpty())
    return {};
  const QLocale Main(Iso);
  QStringList Tags;
  // The country is known by its English name only, as Qt names it.
  const QString Name = LanguageNameOfLCID(LCID);
  const qsizetype Open = Name.indexOf(u'(');
  if (Open >= 0 && Name.endsWith(u')')) {
    const QStringView Country = QStringView(Name).sliced(Open + 1, Name.size() - Open - 2);
    for (const QLocale &L :
         QLocale::matchingLocales(Main.language(), QLocale::AnyScript, QLocale::AnyTerritory))
      if (QLocale::territoryToString(L.territory()) == Country) {
        Tags.append(Iso + u'_' + L.name().section(u'_', -1));
        break;
      }
  }
  if (Main.language() != QLocale::C)
    Tags.append(Iso + u'_' + Main.name().section(u'_', -1));
  Tags.append(Iso);
  Tags.removeDuplicates();
  return Tags;
}

void InstallLanguageTableNames() {
  TZrLanguageManager::SetLanguageNameFunc(&LanguageNameOfLCID);
}
