// lingrove-benchgen: writes a large synthetic project, a language source
// (Bench.zrlang, UTF-16LE) and a Russian translation of it (Bench.lng, UTF-16LE
// or ANSI code page 1251), for timing the readers and writers.
//
//   lingrove-benchgen OUTDIR --entries N [--seed S]
//                     [--translation-encoding ansi|unicode]
//                     [--form-size N] [--order ascending|descending]
//
// --form-size gives every form N properties (otherwise 8 to 72). --order
// writes the sections of both files sorted by name, the properties by ID and
// the constants by name, all in that direction; without it the sections come
// in the order they were made and the rest ascends.
//
// The output depends only on the options: the same seed gives the same bytes
// on every machine (the generator uses its own random numbers and no locale).
#include "BenchRandom.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using TRandom = TBenchRandom;

const char16_t *const EnglishWords[] = {
    u"file",         u"open",      u"save",     u"close",     u"edit",      u"view",
    u"help",         u"about",     u"options",  u"settings",  u"language",  u"translation",
    u"source",       u"value",     u"property", u"component", u"constant",  u"project",
    u"window",       u"dialog",    u"message",  u"error",     u"warning",   u"information",
    u"select",       u"all",       u"none",     u"next",      u"previous",  u"item",
    u"untranslated", u"copy",      u"paste",    u"cut",       u"delete",    u"insert",
    u"find",         u"replace",   u"search",   u"text",      u"default",   u"current",
    u"new",          u"recent",    u"list",     u"clear",     u"history",   u"tools",
    u"export",       u"import",    u"print",    u"preview",   u"page",      u"setup",
    u"format",       u"font",      u"color",    u"size",      u"style",     u"bold",
    u"italic",       u"underline", u"left",     u"right",     u"center",    u"top",
    u"bottom",       u"width",     u"height",   u"apply",     u"cancel",    u"retry",
    u"ignore",       u"continue",  u"stop",     u"start",     u"pause",     u"resume",
    u"update",       u"check",     u"download", u"install",   u"version",   u"program",
    u"folder",       u"path",      u"name",     u"author",    u"target",    u"application",
    u"changes",      u"modified",  u"unsaved",  u"document",  u"record",    u"entry",
    u"column",       u"row",       u"table",    u"status",    u"bar",       u"toolbar",
    u"menu",         u"button",    u"shortcut", u"key",       u"enter",     u"press",
    u"when",         u"the",       u"of",       u"to",        u"and",       u"or",
    u"is",           u"not",       u"be",       u"will",      u"can",       u"this",
    u"that",         u"with",      u"from",     u"for",       u"in",        u"on",
    u"please",       u"wait",      u"loading",  u"saving",    u"completed", u"failed",
};

// Words of the source language that leave ASCII, so that the UTF-16 source
// file is not plain ASCII in disguise.
const char16_t *const AccentedWords[] = {u"café",   u"naïve", u"résumé", u"Größe",
                                         u"façade", u"°C",    u"©",      u"—"};

const char16_t *const RussianWords[] = {
    u"файл",
    u"открыть",
    u"сохранить",
    u"закрыть",
    u"правка",
    u"вид",
    u"справка",
    u"о программе",
    u"параметры",
    u"настройки",
    u"язык",
    u"перевод",
    u"источник",
    u"значение",
    u"свойство",
    u"компонент",
    u"константа",
    u"проект",
    u"окно",
    u"диалог",
    u"сообщение",
    u"ошибка",
    u"предупреждение",
    u"сведения",
    u"выбрать",
    u"все",
    u"ничего",
    u"далее",
    u"назад",
    u"элемент",
    u"непереведённый",
    u"копировать",
    u"вставить",
    u"вырезать",
    u"удалить",
    u"добавить",
    u"найти",
    u"заменить",
    u"поиск",
    u"текст",
    u"по умолчанию",
    u"текущий",
    u"новый",
    u"недавние",
    u"список",
    u"очистить",
    u"журнал",
    u"сервис",
    u"экспорт",
    u"импорт",
    u"печать",
    u"просмотр",
    u"страница",
    u"настройка",
    u"формат",
    u"шрифт",
    u"цвет",
    u"размер",
    u"стиль",
    u"жирный",
    u"курсив",
    u"подчёркнутый",
    u"слева",
    u"справа",
    u"по центру",
    u"сверху",
    u"снизу",
    u"ширина",
    u"высота",
    u"применить",
    u"отмена",
    u"повторить",
    u"пропустить",
    u"продолжить",
    u"остановить",
    u"начать",
    u"пауза",
    u"возобновить",
    u"обновление",
    u"проверить",
    u"загрузить",
    u"установить",
    u"версия",
    u"программа",
    u"папка",
    u"путь",
    u"имя",
    u"автор",
    u"цель",
    u"приложение",
    u"изменения",
    u"изменён",
    u"несохранённый",
    u"документ",
    u"запись",
    u"строка",
    u"столбец",
    u"ряд",
    u"таблица",
    u"состояние",
    u"панель",
    u"инструменты",
    u"меню",
    u"кнопка",
    u"сочетание",
    u"клавиша",
    u"ввод",
    u"нажмите",
    u"когда",
    u"этот",
    u"из",
    u"к",
    u"и",
    u"или",
    u"есть",
    u"не",
    u"быть",
    u"будет",
    u"может",
    u"это",
    u"тот",
    u"с",
    u"от",
    u"для",
    u"в",
    u"на",
    u"пожалуйста",
    u"подождите",
    u"загрузка",
    u"сохранение",
    u"завершено",
    u"не удалось",
};

constexpr int EnglishCount = int(std::size(EnglishWords));
constexpr int AccentedCount = int(std::size(AccentedWords));
constexpr int RussianCount = int(std::size(RussianWords));
static_assert(EnglishCount == RussianCount, "every word needs its translation");

// One value in the source language and its translation, built side by side
// from the same random decisions. Both hold the decoded text (real line breaks
// and tabs); they are escaped when written.
struct TValuePair {
  QString Source;
  QString Translated;

  void Append(QStringView S) {
    Source.append(S);
    Translated.append(S);
  }
  void Word(TRandom &R, bool bCapital) {
    const int I = R.Below(EnglishCount);
    if (R.PerMille(15)) {
      Source.append(AccentedWords[R.Below(AccentedCount)]);
    } else {
      QString W = QString::fromUtf16(EnglishWords[I]);
      if (bCapital)
        W[0] = W[0].toUpper();
      Source.append(W);
    }
    QString T = QString::fromUtf16(RussianWords[I]);
    if (bCapital)
      T[0] = T[0].toUpper();
    Translated.append(T);
  }
  void Words(TRandom &R, int Count, bool bCapital) {
    for (int I = 0; I < Count; ++I) {
      if (I > 0)
        Append(u" ");
      Word(R, bCapital && I == 0);
    }
  }
  void Sentence(TRandom &R, int MinWords, int MaxWords) {
    Words(R, R.Between(MinWords, MaxWords), true);
    Append(R.PerMille(100) ? u"…" : u".");
  }
};

enum TValueKind { vkCaption, vkHint, vkText, vkLines, vkFilter, vkMessage };

TValuePair MakeValue(TRandom &R, TValueKind Kind) {
  TValuePair V;
  switch (Kind) {
  case vkCaption:
    if (R.PerMille(300)) {
      V.Append(u"&");
    }
    V.Words(R, R.Between(1, 3), true);
    if (R.PerMille(100))
      V.Append(u"…");
    else if (R.PerMille(60))
      V.Append(u":");
    break;
  case vkHint:
    V.Sentence(R, 4, 12);
    break;
  case vkText:
    for (int S = R.Between(1, 3); S > 0; --S) {
      V.Sentence(R, 4, 12);
      if (S > 1)
        V.Append(R.PerMille(400) ? u"\r\n" : u" ");
    }
    break;
  case vkLines:
    // A string list: every line ends with a line break, the last one too.
    for (int L = R.Between(3, 7); L > 0; --L) {
      if (R.PerMille(150))
        V.Append(u"\t");
      V.Words(R, R.Between(1, 3), true);
      V.Append(u"\r\n");
    }
    break;
  case vkFilter:
    V.Words(R, 1, true);
    V.Append(u" (*.txt)|*.txt|");
    V.Words(R, 2, true);
    V.Append(u" (*.*)|*.*");
    break;
  case vkMessage:
    V.Sentence(R, 3, 10);
    if (R.PerMille(300))
      V.Append(u"\r\n\r\n");
    else
      V.Append(u" ");
    V.Words(R, R.Between(2, 5), true);
    V.Append(R.PerMille(500) ? u": \"%s\"" : u" (%d).");
    if (R.PerMille(100))
      V.Append(u"\r\n\tC:\\Temp\\%s");
    break;
  }
  return V;
}

// The one-line form of a value as the library writes it: line breaks as \n,
// tabs as \t, backslashes doubled. Generated values hold no other control
// characters.
QString Escape(QStringView Value) {
  QString Out;
  Out.reserve(Value.size() + 8);
  for (qsizetype I = 0; I < Value.size(); ++I) {
    const QChar C = Value[I];
    if (C == u'\r' || C == u'\n') {
      Out.append(u"\\n");
      if (C == u'\r' && I + 1 < Value.size() && Value[I + 1] == u'\n')
        ++I;
    } else if (C == u'\t') {
      Out.append(u"\\t");
    } else if (C == u'\\') {
      Out.append(u"\\\\");
    } else {
      Out.append(C);
    }
  }
  return Out;
}

QString ID8(int iID) {
  return QStringLiteral("%1").arg(iID, 8, 10, QChar(u'0'));
}

// Writes CR LF terminated lines in blocks, as UTF-16LE after FF FE or in a
// narrow code page; counts what it wrote.
class TLineFile {
public:
  TLineFile(const QString &FileName, bool bUnicode, const char *CodePage = "windows-1251")
      : FFile(FileName), FUnicode(bUnicode), FEncoder(CodePage) {
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
      Fail(QStringLiteral("Cannot create %1: %2").arg(FileName, FFile.errorString()));
    if (FUnicode)
      FFile.write("\xFF\xFE", 2);
    FBuffer.reserve(BlockSize + 4096);
  }
  ~TLineFile() { Close(); }

  template <typename... Parts> void Line(const Parts &...P) {
    (FBuffer.append(P), ...);
    FBuffer.append(u"\r\n");
    ++FLines;
    if (FBuffer.size() >= BlockSize)
      Flush();
  }
  void Close() {
    if (!FFile.isOpen())
      return;
    Flush();
    FFile.close();
  }
  qint64 Chars() const { return FChars; }
  qint64 Lines() const { return FLines; }
  qint64 Bytes() const { return FFile.size(); }

  [[noreturn]] static void Fail(const QString &Message) {
    std::fprintf(stderr, "lingrove-benchgen: %s\n", qUtf8Printable(Message));
    std::exit(1);
  }

private:
  void Flush() {
    QByteArray Bytes;
    if (FUnicode) {
      Bytes.resize(FBuffer.size() * 2);
      char *P = Bytes.data();
      for (const QChar C : std::as_const(FBuffer)) {
        *P++ = char(C.unicode() & 0xFF);
        *P++ = char(C.unicode() >> 8);
      }
    } else {
      Bytes = FEncoder.encode(FBuffer);
      if (FEncoder.hasError())
        Fail(QStringLiteral("%1: text outside the code page").arg(FFile.fileName()));
    }
    if (FFile.write(Bytes) != Bytes.size())
      Fail(QStringLiteral("Cannot write %1: %2").arg(FFile.fileName(), FFile.errorString()));
    FChars += FBuffer.size();
    FBuffer.clear();
  }

  static constexpr qsizetype BlockSize = 1 << 20;
  QFile FFile;
  bool FUnicode;
  QStringEncoder FEncoder;
  QString FBuffer;
  qint64 FChars = 0;
  qint64 FLines = 0;
};

struct TProperty {
  QString Name;
  int iID;
  TValuePair Value;
};

struct TForm {
  QString Name;
  std::vector<TProperty> Properties;
};

struct TConstant {
  QString Name;
  TValuePair Value;
};

// The localizable properties that a component of each kind contributes.
struct TComponentKind {
  const char16_t *Prefix;
  int Weight;
};

const TComponentKind ComponentKinds[] = {
    {u"Button", 14},     {u"Label", 18},    {u"Edit", 8},       {u"CheckBox", 8},
    {u"RadioButton", 4}, {u"GroupBox", 5},  {u"MenuItem", 14},  {u"Action", 10},
    {u"ToolButton", 4},  {u"TabSheet", 3},  {u"ComboBox", 3},   {u"Memo", 1},
    {u"ListView", 2},    {u"StatusBar", 1}, {u"OpenDialog", 1}, {u"InfoLabel", 4},
};

void AddComponent(TRandom &R, TForm &Form, int &NextID, int &Counter, int Budget) {
  int Total = 0;
  for (const auto &K : ComponentKinds)
    Total += K.Weight;
  int Pick = R.Below(Total);
  const TComponentKind *Kind = &ComponentKinds[0];
  for (const auto &K : ComponentKinds) {
    if (Pick < K.Weight) {
      Kind = &K;
      break;
    }
    Pick -= K.Weight;
  }
  const QString Comp = QString::fromUtf16(Kind->Prefix) + QString::number(++Counter);
  const QStringView P(Kind->Prefix);
  const auto Add = [&](QStringView Prop, TValueKind VK) {
    if (Budget <= 0)
      return;
    --Budget;
    // Properties that vanished from the form leave gaps in the IDs.
    if (R.PerMille(40))
      NextID += R.Between(1, 3);
    Form.Properties.push_back(TProperty{Comp + u'.' + Prop.toString(), NextID++, MakeValue(R, VK)});
  };
  if (P == u"Edit") {
    if (R.PerMille(300))
      Add(u"Text", vkCaption);
    Add(u"TextHint", vkHint);
    Add(u"Hint", vkHint);
  } else if (P == u"ComboBox") {
    Add(u"Items", vkLines);
    Add(u"Hint", vkHint);
  } else if (P == u"Memo") {
    Add(u"Lines", vkLines);
  } else if (P == u"ListView") {
    for (int C = 0, N = R.Between(2, 6); C < N; ++C)
      Add(QStringLiteral("Columns[%1].Caption").arg(C), vkCaption);
  } else if (P == u"StatusBar") {
    for (int C = 0, N = R.Between(1, 4); C < N; ++C)
      Add(QStringLiteral("Panels[%1].Text").arg(C), vkCaption);
  } else if (P == u"OpenDialog") {
    Add(u"Filter", vkFilter);
    Add(u"Title", vkCaption);
  } else if (P == u"InfoLabel") {
    Add(u"Caption", vkText);
  } else {
    Add(u"Caption", vkCaption);
    if (P != u"Label" && P != u"GroupBox" && P != u"TabSheet" && R.PerMille(500))
      Add(u"Hint", vkHint);
  }
}

// Text order of the file formats: code units compared after folding a-z.
bool TextLess(const QString &A, const QString &B) {
  const qsizetype N = std::min(A.size(), B.size());
  for (qsizetype I = 0; I < N; ++I) {
    char16_t CA = A[I].unicode(), CB = B[I].unicode();
    if (CA >= u'a' && CA <= u'z')
      CA -= 32;
    if (CB >= u'a' && CB <= u'z')
      CB -= 32;
    if (CA != CB)
      return CA < CB;
  }
  return A.size() < B.size();
}

QString CamelWords(TRandom &R, int Count) {
  QString S;
  for (int I = 0; I < Count; ++I) {
    QString W = QString::fromUtf16(EnglishWords[R.Below(EnglishCount)]);
    W[0] = W[0].toUpper();
    S.append(W);
  }
  return S;
}

QString SectionName(TRandom &R, int Index) {
  const int Pick = R.Below(100);
  if (Pick < 40)
    return QStringLiteral("Form%1").arg(Index);
  if (Pick < 75)
    return QStringLiteral("Dialog.Form%1").arg(Index);
  if (Pick < 90)
    return QStringLiteral("Frames.Frame%1").arg(Index);
  return QStringLiteral("Application.Wizard.Page%1").arg(Index);
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  QCommandLineParser Parser;
  Parser.setApplicationDescription(
      QStringLiteral("Writes a synthetic language source and translation for benchmarks."));
  Parser.addHelpOption();
  Parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("Folder to write into."));
  const QCommandLineOption EntriesOption(QStringLiteral("entries"),
                                         QStringLiteral("Number of entries (properties and "
                                                        "constants) in the language source."),
                                         QStringLiteral("N"));
  const QCommandLineOption SeedOption(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                      QStringLiteral("S"), QStringLiteral("1"));
  const QCommandLineOption EncodingOption(
      QStringLiteral("translation-encoding"),
      QStringLiteral("ansi (code page 1251) or unicode (UTF-16LE)."), QStringLiteral("ENCODING"),
      QStringLiteral("unicode"));
  const QCommandLineOption FormSizeOption(QStringLiteral("form-size"),
                                          QStringLiteral("Properties per form (default 8 to 72)."),
                                          QStringLiteral("N"), QStringLiteral("0"));
  const QCommandLineOption OrderOption(
      QStringLiteral("order"), QStringLiteral("ascending or descending order of sections, IDs and names."),
      QStringLiteral("ORDER"));
  Parser.addOptions({EntriesOption, SeedOption, EncodingOption, FormSizeOption, OrderOption});
  Parser.process(App);

  const QStringList Args = Parser.positionalArguments();
  bool EntriesOk = false, SeedOk = false, FormSizeOk = false;
  const int Entries = Parser.value(EntriesOption).toInt(&EntriesOk);
  const int FormSize = Parser.value(FormSizeOption).toInt(&FormSizeOk);
  const QString Order = Parser.value(OrderOption);
  const quint64 Seed = Parser.value(SeedOption).toULongLong(&SeedOk);
  const QString Encoding = Parser.value(EncodingOption);
  if (Args.size() != 1 || !EntriesOk || Entries < 1 || !SeedOk || !FormSizeOk || FormSize < 0 ||
      (Encoding != u"ansi" && Encoding != u"unicode") ||
      (!Order.isEmpty() && Order != u"ascending" && Order != u"descending")) {
    std::fprintf(stderr, "usage: lingrove-benchgen OUTDIR --entries N [--seed S] "
                         "[--translation-encoding ansi|unicode] [--form-size N] "
                         "[--order ascending|descending]\n");
    return 2;
  }
  const QString OutDir = Args[0];
  if (!QDir().mkpath(OutDir))
    TLineFile::Fail(QStringLiteral("Cannot create folder %1").arg(OutDir));

  TRandom R(Seed);

  // 2 % of the entries are constants, the rest properties of forms with about
  // 40 properties each.
  const int ConstantCount = std::max(1, Entries / 50);
  const int PropertyCount = Entries - ConstantCount;
  std::vector<TForm> Forms;
  for (int Left = PropertyCount, FormIndex = 1; Left > 0; ++FormIndex) {
    TForm Form{SectionName(R, FormIndex), {}};
    int NextID = 1, Counter = 0;
    const int Quota = std::min(Left, FormSize > 0 ? FormSize : R.Between(8, 72));
    Form.Properties.push_back(
        TProperty{QStringLiteral("Caption"), NextID++, MakeValue(R, vkCaption)});
    while (int(Form.Properties.size()) < Quota)
      AddComponent(R, Form, NextID, Counter, Quota - int(Form.Properties.size()));
    Left -= int(Form.Properties.size());
    Forms.push_back(std::move(Form));
  }
  std::vector<TConstant> Constants;
  for (int I = 1; I <= ConstantCount; ++I)
    Constants.push_back(
        TConstant{QStringLiteral("S") + CamelWords(R, R.Between(1, 3)) + QString::number(I),
                  MakeValue(R, R.PerMille(600) ? vkMessage : vkCaption)});
  std::sort(Constants.begin(), Constants.end(),
            [](const TConstant &A, const TConstant &B) { return TextLess(A.Name, B.Name); });
  if (!Order.isEmpty()) {
    std::stable_sort(Forms.begin(), Forms.end(),
                     [](const TForm &A, const TForm &B) { return TextLess(A.Name, B.Name); });
    if (Order == u"descending") {
      std::reverse(Forms.begin(), Forms.end());
      for (TForm &Form : Forms)
        std::reverse(Form.Properties.begin(), Form.Properties.end());
      std::reverse(Constants.begin(), Constants.end());
    }
  }

  // The language source: the shapes the library writes, "%s=%.8d,%s" and
  // "%s=%s".
  TLineFile Source(QDir(OutDir).filePath(QStringLiteral("Bench.zrlang")), true);
  Source.Line(u"; Language source of a synthetic project (lingrove-benchgen, seed ",
              QString::number(Seed), u")");
  Source.Line(u"");
  for (const TForm &Form : Forms) {
    Source.Line(u"[", Form.Name, u"]");
    for (const TProperty &P : Form.Properties)
      Source.Line(P.Name, u"=", ID8(P.iID), u",", Escape(P.Value.Source));
    Source.Line(u"");
  }
  Source.Line(u"[$CONSTANTS]");
  for (const TConstant &C : Constants)
    Source.Line(C.Name, u"=", Escape(C.Value.Source));
  Source.Close();

  // The translation: about 2 % of the entries missing, a few obsolete ones
  // (IDs past the end of a form, whole forms and constants that the source
  // no longer has).
  TLineFile Translation(QDir(OutDir).filePath(QStringLiteral("Bench.lng")), Encoding == u"unicode");
  qint64 Translated = 0, Missing = 0, Obsolete = 0;
  Translation.Line(u"LANGID=1049");
  Translation.Line(u"SourceLANGID=1033");
  Translation.Line(u"Author=Benchmark");
  Translation.Line(u"TargetApplication=Bench");
  Translation.Line(u"Generator=lingrove-benchgen");
  Translation.Line(u"LastModified=2024-01-01 00:00:00");
  Translation.Line(u"");
  const auto ObsoleteForm = [&](int Index) {
    Translation.Line(u"[Obsolete.Form", QString::number(Index), u"]");
    for (int I = 1, N = R.Between(3, 12); I <= N; ++I, ++Obsolete)
      Translation.Line(ID8(I), u"=", Escape(MakeValue(R, vkCaption).Translated));
    Translation.Line(u"");
  };
  int ObsoleteForms = 0;
  for (const TForm &Form : Forms) {
    Translation.Line(u"[", Form.Name, u"]");
    for (const TProperty &P : Form.Properties) {
      if (R.PerMille(20)) {
        ++Missing;
        continue;
      }
      Translation.Line(ID8(P.iID), u"=", Escape(P.Value.Translated));
      ++Translated;
    }
    if (R.PerMille(30)) {
      const int MaxID = std::max_element(Form.Properties.begin(), Form.Properties.end(),
                                         [](const TProperty &A, const TProperty &B) {
                                           return A.iID < B.iID;
                                         })->iID;
      Translation.Line(ID8(MaxID + R.Between(1, 5)), u"=",
                       Escape(MakeValue(R, vkCaption).Translated));
      ++Obsolete;
    }
    Translation.Line(u"");
    if (R.PerMille(5))
      ObsoleteForm(++ObsoleteForms);
  }
  std::vector<TConstant> TranslatedConstants;
  for (const TConstant &C : Constants) {
    if (R.PerMille(20))
      ++Missing;
    else {
      TranslatedConstants.push_back(C);
      ++Translated;
    }
  }
  for (int I = 1, N = std::max(1, ConstantCount / 200); I <= N; ++I, ++Obsolete)
    TranslatedConstants.push_back(
        TConstant{QStringLiteral("SObsolete") + QString::number(I), MakeValue(R, vkMessage)});
  std::sort(TranslatedConstants.begin(), TranslatedConstants.end(),
            [](const TConstant &A, const TConstant &B) { return TextLess(A.Name, B.Name); });
  if (Order == u"descending")
    std::reverse(TranslatedConstants.begin(), TranslatedConstants.end());
  Translation.Line(u"[$CONSTANTS]");
  for (const TConstant &C : TranslatedConstants)
    Translation.Line(C.Name, u"=", Escape(C.Value.Translated));
  Translation.Close();

  QTextStream Out(stdout);
  Out << "entries " << Entries << " (" << PropertyCount << " properties in " << Forms.size()
      << " forms, " << ConstantCount << " constants)\n"
      << "Bench.zrlang: " << Source.Lines() << " lines, " << Source.Chars() << " characters, "
      << Source.Bytes() << " bytes (UTF-16LE)\n"
      << "Bench.lng: " << Translation.Lines() << " lines, " << Translation.Chars()
      << " characters, " << Translation.Bytes() << " bytes ("
      << (Encoding == u"unicode" ? "UTF-16LE" : "ANSI 1251") << "), " << Translated
      << " translated, " << Missing << " missing, " << Obsolete << " obsolete\n";
  return 0;
}
