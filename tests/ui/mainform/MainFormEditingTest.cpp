// The translating workflow of the main window, driven end to end offscreen:
// opening, editing in the grid and in the memo, pasting, marking and moving
// between entries, saving in both encodings and closing. Written files are
// compared byte for byte with files built here from their expected text, so a
// wrong encoding, mark, escape, line end or a lost or extra entry shows.
#include "MainFormTestSupport.h"

#include "AppAttribs.h"
#include "AppMRUList.h"
#include "CoreApplication.h"
#include "DialogButtons.h"
#include "DifferencesDialog.h"
#include "DocumentMemory.h"
#include "EntryTreeModel.h"
#include "Images.h"
#include "TestFileSystem.h"
#include "TestSupport.h"
#include "TransPropsDialog.h"
#include "TranslationMemory.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QStringConverter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <optional>

namespace {

// ---------------------------------------------------------------------------
// Expected files

enum TFileEncoding { feUtf16, feCp1251, feCp1252 };

// The byte of Ch in an ANSI code page, for the characters the examples use;
// -1 when the table has none.
int AnsiByte(char16_t Ch, TFileEncoding CodePage) {
  if (Ch < 0x80)
    return Ch;
  static const QMap<char16_t, int> Common = {{u'„', 0x84}, {u'…', 0x85}, {u'“', 0x93},
                                             {u'”', 0x94}, {u'—', 0x97}, {u'©', 0xA9},
                                             {u'«', 0xAB}, {u'»', 0xBB}};
  if (Common.contains(Ch))
    return Common.value(Ch);
  if (CodePage == feCp1252)
    return Ch >= 0xA0 && Ch <= 0xFF ? Ch : -1;
  if (Ch >= 0x0410 && Ch <= 0x044F)
    return Ch - 0x0410 + 0xC0;
  if (Ch == u'Ё')
    return 0xA8;
  if (Ch == u'ё')
    return 0xB8;
  return -1;
}

// Text as a translation file holds it: every LF of Text becomes CR LF, and
// the whole is UTF-16 little-endian after FF FE, or ANSI without a mark.
QByteArray FileBytes(const QString &Text, TFileEncoding Encoding) {
  QString Lines = Text;
  Lines.replace(u'\n', QStringLiteral("\r\n"));
  if (Encoding == feUtf16)
    return QByteArray("\xFF\xFE") + Utf16Bytes(Lines);
  QByteArray Out;
  for (QChar Ch : Lines) {
    const int Byte = AnsiByte(Ch.unicode(), Encoding);
    if (Byte < 0)
      ADD_FAILURE() << "no ANSI byte for U+" << QString::number(Ch.unicode(), 16).toStdString();
    Out.append(char(Byte));
  }
  return Out;
}

QByteArray ReadBytes(const QString &Path) {
  QFile F(Path);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// The file at Path is exactly Text in Encoding, where Text's "%DATE%" is a
// second between Before and After, the save's time stamp.
testing::AssertionResult FileIs(const QString &Path, const QString &Text, TFileEncoding Encoding,
                                const QDateTime &Before, const QDateTime &After) {
  if (!QFile::exists(Path))
    return testing::AssertionFailure() << "no file " << Path.toStdString();
  const QByteArray Actual = ReadBytes(Path);
  QByteArray Expected;
  for (QDateTime T = Before.addMSecs(-Before.time().msec()); T <= After; T = T.addSecs(1)) {
    QString Stamped = Text;
    Stamped.replace(QStringLiteral("%DATE%"), T.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    Expected = FileBytes(Stamped, Encoding);
    if (Actual == Expected)
      return testing::AssertionSuccess();
  }
  qsizetype At = 0;
  while (At < Actual.size() && At < Expected.size() && Actual[At] == Expected[At])
    ++At;
  const qsizetype From = qMax<qsizetype>(0, At - 16);
  return testing::AssertionFailure()
         << "first difference at byte " << At << " (file " << Actual.size() << " bytes, expected "
         << Expected.size() << ")\n  file:     " << Actual.mid(From, 48).toHex(' ').toStdString()
         << "\n  expected: " << Expected.mid(From, 48).toHex(' ').toStdString();
}

// Text with Line added after the line After (both without line ends).
QString WithLineAfter(QString Text, const QString &After, const QString &Line) {
  const QString Anchor = After + u'\n';
  EXPECT_EQ(Text.count(Anchor), 1) << After.toStdString();
  return Text.replace(Anchor, Anchor + Line + u'\n');
}

// Example.de.lng as the window saves it untouched: its header with the time
// stamp, the sections of the reconciled translation in their order (the
// added Dialog.About last), without the entries the source no longer has and
// without the untranslated ones.
const QString GermanSaved = QString::fromUtf8(R"TXT(LANGID=1031
SourceLANGID=1033
Author=Jonas Müller
TargetApplication=Quillmate 2.3
Generator=Brisel Solutions Lingrove 2.0.0
LastModified=%DATE%

[Application.MainForm]
00000001=Quillmate
00000002=Bereit
00000003=Z. 1, Sp. 1
00000004=&Neu
00000005=Neue Notiz|Legt eine neue, leere Notiz an
00000006=Ö&ffnen...
00000007=Notiz öffnen|Öffnet eine Notiz aus einer Datei
00000008=&Speichern
00000009=Speichern &unter...
00000010=&Beenden
00000011=&Suchen...
00000012=&Ersetzen...
00000014=&Datei
00000015=&Bearbeiten
00000016=&Hilfe
00000017=Keine Notiz geöffnet.\nWählen Sie „Datei > Neu“ oder ziehen Sie eine Datei hierher.

[Dialog.OpenFiles]
00000001=Dateien öffnen
00000002=&Dateiname:
00000003=&Kodierung:
00000004=Automatisch\nANSI\nUTF-8\nUTF-16\n
00000005=&Schreibgeschützt öffnen
00000006=OK
00000007=Abbrechen

[Dialog.Options]
00000001=Einstellungen
00000002=Allgemein
00000003=Editor
00000004=Notizen &automatisch speichern
00000005=&Tabulatorbreite:
00000006=Beispiel:\tName\tGröße\tGeändert
00000007=Schriftart:
00000008=OK
00000009=Abbrechen

[Dialog.About]

[$CONSTANTS]
SConfirmDelete=Notiz „%s“ löschen?
SConfirmExit=Die Notiz wurde geändert.\nÄnderungen vor dem Schließen speichern?
SErrorOpen=„%s“ kann nicht geöffnet werden:\n%s
SFileFilter=Notizen (*.qmn)|*.qmn|Textdateien (*.txt)|*.txt|Alle Dateien|*.*
SStatusChars=%d Zeichen
SUntitled=Unbenannt
SWordCount=Wörter:\t%d
)TXT");

// Example.ru.lng as the window saves it untouched.
const QString RussianSaved = QString::fromUtf8(R"TXT(LANGID=1049
SourceLANGID=1033
Author=Ирина Соколова
TargetApplication=Quillmate 2.3
Generator=Brisel Solutions Lingrove 2.0.0
LastModified=%DATE%

[Application.MainForm]
00000001=Quillmate
00000002=Готово
00000003=Стр. 1, стлб 1
00000004=&Создать
00000005=Новая заметка|Создаёт новую пустую заметку
00000006=&Открыть...
00000007=Открыть заметку|Открывает заметку из файла
00000008=&Сохранить
00000009=Сохранить &как...
00000010=В&ыход
00000013=&О программе Quillmate...
00000014=&Файл
00000015=&Правка
00000016=&Справка
00000017=Заметка не открыта.\nВыберите «Файл > Создать» или перетащите сюда файл.

[Dialog.About]
00000001=О программе Quillmate
00000002=Версия 2.3 — выпуск «Кафе»
00000003=© 2024 участники проекта Quillmate
00000004=Quillmate — свободная программа.\nЕё можно копировать, изменять и распространять\nна условиях лицензии MIT.\n
00000005=Закрыть

[Dialog.OpenFiles]
00000001=Открыть файлы
00000002=&Имя файла:
00000003=&Кодировка:
00000004=Автоматически\nANSI\nUTF-8\nUTF-16\n
00000005=Только для &чтения
00000006=ОК
00000007=Отмена

[Dialog.Options]
00000001=Настройки
00000002=Общие
00000003=Редактор
00000004=&Автоматически сохранять заметки
00000005=&Ширина табуляции:
00000007=Шрифт:
00000008=ОК
00000009=Отмена

[$CONSTANTS]
SConfirmDelete=Удалить заметку «%s»?
SConfirmExit=Заметка изменена.\nСохранить изменения перед закрытием?
SErrorOpen=Не удаётся открыть «%s»:\n%s
SFileFilter=Заметки (*.qmn)|*.qmn|Текстовые файлы (*.txt)|*.txt|Все файлы|*.*
SStatusChars=Символов: %d
SStatusLines=Строк: %d
SUntitled=Без имени
)TXT");

const QString SavingInAnsiText = QStringLiteral(
    "You are about to save the translation in ANSI format while the language source file used "
    "has Unicode encoding.\r\n\r\nSaving the translation as ANSI may result in wrong characters "
    "displaying in the program you're translating. As long as that program uses Unicode it is "
    "almost always better to save the translation also as Unicode.\r\n\r\nDo you want to save "
    "the translation in Unicode encoding instead?");
const QString SavingInUnicodeText = QStringLiteral(
    "You are about to save the translation in Unicode format while the language source file used "
    "has ANSI encoding.\r\n\r\nSaving the translation in Unicode may prevent the program from "
    "being able to use it. As long as that program uses ANSI, the most safe way is to save the "
    "translation also in ANSI.\r\n\r\nDo you want to save the translation in ANSI encoding "
    "instead?");

// ---------------------------------------------------------------------------
// Files of a test

// A folder of the test with copies of the examples. The language source is
// also there in the ANSI code page 1252 as Example.ansi.zrlang.
class TProjectFolder {
public:
  TProjectFolder() {
    for (const char *Name : {"Example.zrlang", "Example.de.lng", "Example.ru.lng"})
      QFile::copy(Examples + QLatin1StringView(Name), Path(Name));
    const QByteArray Source = ReadBytes(Path("Example.zrlang"));
    QStringDecoder Decoder(QStringConverter::Utf16LE);
    QString Text = Decoder(Source.mid(2));
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QFile Ansi(Path("Example.ansi.zrlang"));
    if (Ansi.open(QIODevice::WriteOnly))
      Ansi.write(FileBytes(Text, feCp1252));
  }
  QString Path(const char *Name) const { return FDir.filePath(QLatin1StringView(Name)); }
  // Every file of the folder with its bytes.
  QMap<QString, QByteArray> Snapshot() const {
    QMap<QString, QByteArray> Files;
    for (const QString &Name : QDir(FDir.path()).entryList(QDir::Files))
      Files.insert(Name, ReadBytes(FDir.filePath(Name)));
    return Files;
  }

private:
  QTemporaryDir FDir;
};

// Collects the messages meant for the user's message boxes while it lives.
class TCapturedMessages {
public:
  TCapturedMessages() {
    FOld = SetMessageBoxHandler(
        [this](TMessageBoxKind, const QString &, const QString &Text) { Texts.append(Text); });
  }
  ~TCapturedMessages() { SetMessageBoxHandler(FOld); }
  QStringList Texts;

private:
  TMessageBoxHandler FOld;
};

// Closes a modal dialog that nobody answers, so that a test fails instead of
// waiting for ever; a dialog counts as unanswered when it is still up at two
// checks in a row.
class TUnansweredDialogs {
public:
  TUnansweredDialogs() {
    FTimer.setInterval(300);
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      QWidget *Modal = QApplication::activeModalWidget();
      if (Modal && Modal == FSeen) {
        auto *Box = qobject_cast<QMessageBox *>(Modal);
        Titles.append(Box ? Box->text() : Modal->windowTitle());
        Modal->close();
      }
      FSeen = Modal;
    });
    FTimer.start();
  }
  QStringList Titles;

private:
  QTimer FTimer;
  QWidget *FSeen = nullptr;
};

// ---------------------------------------------------------------------------
// The window

QString LabelText(QWidget &Form, const char *Name) {
  return Form.findChild<QLabel *>(QLatin1StringView(Name))->text();
}
// The three status bar texts.
QStringList StatusOf(QWidget &Form) {
  return {LabelText(Form, "SBComponents"), LabelText(Form, "SBProperties"),
          LabelText(Form, "SBConstants")};
}
QStringList Status(int Components, int Properties, int UntranslatedProperties, int Constants,
                   int UntranslatedConstants) {
  return {QStringLiteral("Components: %1").arg(Components),
          QStringLiteral("Properties: %1/%2").arg(Properties).arg(UntranslatedProperties),
          QStringLiteral("Constants: %1/%2").arg(Constants).arg(UntranslatedConstants)};
}

// The grid row (column 0) of a component or the Constants row named Parent,
// or of its child named Child.
QModelIndex RowOf(QWidget &Form, const char *Parent, const char *Child = nullptr) {
  const QAbstractItemModel &Model = ModelOf(Form);
  for (int Top = 0; Top < Model.rowCount(); ++Top) {
    const QModelIndex TopRow = Model.index(Top, 0);
    if (TopRow.data().toString() != QLatin1StringView(Parent))
      continue;
    if (!Child)
      return TopRow;
    for (int Row = 0; Row < Model.rowCount(TopRow); ++Row)
      if (Model.index(Row, 0, TopRow).data().toString() == QLatin1StringView(Child))
        return Model.index(Row, 0, TopRow);
  }
  ADD_FAILURE() << "no row " << Parent << "/" << (Child ? Child : "");
  return {};
}

QString CellText(const QModelIndex &Row) {
  return Row.siblingAtColumn(TEntryTreeModel::ecTranslatedValue).data().toString();
}
bool IsUntranslated(const QModelIndex &Row) {
  return Row.siblingAtColumn(TEntryTreeModel::ecTranslatedValue)
             .data(TEntryTreeModel::EntryStatesRole)
             .toInt() &
         1;
}
qint64 StateIconKey(const QModelIndex &Row) {
  return Row.siblingAtColumn(TEntryTreeModel::ecTranslatedValue)
      .data(Qt::DecorationRole)
      .value<QIcon>()
      .cacheKey();
}

// Shows the window and makes it the active one, so that its widgets take the
// keyboard focus.
void ShowActive(QWidget &Form) {
  Form.show();
  Form.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
}

// Makes Rows the grid's selection with the first one current (in Column) and
// gives the grid the keyboard focus.
void SelectRows(QWidget &Form, const QList<QModelIndex> &Rows, int Column = 0) {
  QTreeView &Tree = TreeOf(Form);
  QItemSelectionModel &Selection = *Tree.selectionModel();
  if (!Form.isActiveWindow())
    ShowActive(Form);
  Tree.setFocus();
  Selection.setCurrentIndex(Rows.first().siblingAtColumn(Column),
                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  for (qsizetype I = 1; I < Rows.size(); ++I)
    Selection.select(Rows[I], QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The in-place editor open in the grid, or null.
QLineEdit *OpenEditor(QWidget &Form) {
  QWidget *Focused = QApplication::focusWidget();
  if (!Focused || !TreeOf(Form).viewport()->isAncestorOf(Focused))
    return nullptr;
  return qobject_cast<QLineEdit *>(Focused);
}


// Presses Key in the grid's editor and lets the event loop run, as the
// delegate commits an Enter from there.
void PressInEditor(QWidget *Editor, Qt::Key Key) {
  QTest::keyClick(Editor, Key);
  QCoreApplication::processEvents();
}

// Translates Row in place: Enter on the row, the text typed, Enter.
testing::AssertionResult EditInPlace(QWidget &Form, const QModelIndex &Row, const QString &Text) {
  SelectRows(Form, {Row});
  QTest::keyClick(&TreeOf(Form), Qt::Key_Return);
  QLineEdit *Editor = OpenEditor(Form);
  if (!Editor)
    return testing::AssertionFailure() << "Enter opened no editor";
  TypeText(Editor, Text);
  PressInEditor(Editor, Qt::Key_Return);
  if (OpenEditor(Form))
    return testing::AssertionFailure() << "Enter left the editor open";
  return testing::AssertionSuccess();
}

// A shown, active window with the document open, its dialogs answered by
// the test window's stand-ins.
std::unique_ptr<TTestMainForm> OpenForm(const QString &Source, const QString &Translation) {
  auto Form = NewForm();
  ShowActive(*Form);
  Form->LoadTranslation(Source, QString(), Translation);
  return Form;
}

// Saves through Save As with the save dialog answering Path and the encoding
// chosen there; Before and After bracket the save.
bool SaveAs(TTestMainForm &Form, const QString &Path, bool bUnicode, QDateTime &Before,
            QDateTime &After) {
  Form.RealSave = true;
  Form.SavePath = Path;
  Form.SaveUnicode = bUnicode;
  Before = QDateTime::currentDateTime();
  const bool Saved = Form.SaveTranslation(true);
  After = QDateTime::currentDateTime();
  return Saved;
}

const QString GermanTitle = QStringLiteral("Example.de.lng - Lingrove");
const QString GermanModifiedTitle = QStringLiteral("Example.de.lng* - Lingrove");

// ---------------------------------------------------------------------------
// Opening

struct TNewTranslationCase {
  const char *Name;
  bool Confirm; // OK in the translation properties dialog, else Cancel
  quint16 ExpectLangID;
  const char *ExpectHeader; // the saved file's header lines before the stamp
};

class MainFormNewTranslation : public testing::TestWithParam<TNewTranslationCase> {};

TEST_P(MainFormNewTranslation, AsksForTheLanguagesAndSavesOnlyTranslatedEntries) {
  const TScopedAcp Acp(1252);
  TProjectFolder Folder;
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  ShowActive(Form);
  Form.RealProperties = true;
  Form.OpenChosen = true;
  Form.OpenSourcePath = Folder.Path("Example.zrlang");
  bool Shown = false;
  AnswerNextDialog<TUITransPropsDialog>([&Shown](TUITransPropsDialog &D) {
    Shown = true;
    EXPECT_EQ(D.SourceLanguageCombo->currentText(),
              QStringLiteral("01033 - 0x0409 - English (United States)"));
    EXPECT_EQ(D.TranslationLanguageCombo->currentIndex(), -1);
    EXPECT_TRUE(D.AuthorEdit->text().isEmpty());
    if (!GetParam().Confirm) {
      D.reject();
      return;
    }
    D.SetTranslationLCID(1030);
    D.TranslationLanguageCombo->setFocus();
    QTest::keyClick(D.TranslationLanguageCombo, Qt::Key_Down);
    EXPECT_EQ(D.TranslationLCID(0), 1031);
    D.TargetCombo->setEditText(QStringLiteral("Quillmate 2.3"));
    D.AuthorEdit->setText(QStringLiteral("Anna"));
    D.DialogButtons->BtnOK()->click();
  });
  ActionNamed(Form, "ActionFileOpen")->trigger();
  EXPECT_TRUE(Shown);
  ASSERT_TRUE(Form.HasDocument());
  EXPECT_EQ(Form.DifferencesShown, 0);
  EXPECT_EQ(Form.PropertiesShown, 1);
  EXPECT_EQ(Form.LangIDTranslation(), GetParam().ExpectLangID);
  // Choosing the languages right after opening is no change to save.
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  EXPECT_EQ(StatusOf(Form), Status(4, 38, 38, 8, 8));
  // Every entry starts with the source's default value, untranslated.
  const QModelIndex About = RowOf(Form, "Application.MainForm", "actHelpAbout.Caption");
  EXPECT_EQ(CellText(About), QStringLiteral("&About Quillmate..."));
  EXPECT_TRUE(IsUntranslated(About));
  EXPECT_EQ(CellText(RowOf(Form, "Constants", "SWordCount")), QStringLiteral("Words:\\t%d"));

  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Application.MainForm", "Caption"),
                          QStringLiteral("Quillmate DE")));
  QDateTime Before, After;
  const QString Out = Folder.Path("new.lng");
  if (!GetParam().Confirm) {
    // Without a translation language the save asks for it first; a cancel
    // there cancels the save.
    AnswerNextDialog<TUITransPropsDialog>([](TUITransPropsDialog &D) { D.reject(); });
    EXPECT_FALSE(SaveAs(Form, Out, true, Before, After));
    EXPECT_EQ(Form.PropertiesShown, 2);
    EXPECT_EQ(Form.SaveDialogShown, 0);
    EXPECT_FALSE(QFile::exists(Out));
    EXPECT_TRUE(Form.Modified());
    return;
  }
  ASSERT_TRUE(SaveAs(Form, Out, true, Before, After));
  EXPECT_EQ(Form.ProposedPath, QDir::current().filePath(QStringLiteral("Untitled.lng")));
  EXPECT_TRUE(Form.ProposedUnicode);
  const QString Expected = QString::fromUtf8(GetParam().ExpectHeader) +
                           QStringLiteral("Generator=Brisel Solutions Lingrove 2.0.0\n"
                                          "LastModified=%DATE%\n\n"
                                          "[Application.MainForm]\n00000001=Quillmate DE\n\n"
                                          "[Dialog.About]\n\n[Dialog.OpenFiles]\n\n"
                                          "[Dialog.Options]\n\n[$CONSTANTS]\n");
  EXPECT_TRUE(FileIs(Out, Expected, feUtf16, Before, After));
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("new.lng - Lingrove"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormNewTranslation,
    testing::Values(TNewTranslationCase{"Confirmed", true, 1031,
                                        "TargetApplication=Quillmate 2.3\nAuthor=Anna\n"
                                        "SourceLANGID=1033\nLANGID=1031\n"},
                    TNewTranslationCase{"CancelledAsksAgainOnSaving", false, 0, ""}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct TDifferencesCase {
  const char *Name;
  const char *File;
  unsigned CodePage;
  const char *Log;
  QList<int> Counts;
  QStringList Status;
};

class MainFormDifferences : public testing::TestWithParam<TDifferencesCase> {};

TEST_P(MainFormDifferences, ShowTheExactLogAndTotals) {
  const TScopedAcp Acp(GetParam().CodePage);
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.RealDifferences = true;
  QString Log;
  QStringList Totals;
  AnswerNextDialog<TUIDifferencesDialog>([&](TUIDifferencesDialog &D) {
    Log = D.Log();
    Totals = D.Totals();
    D.DialogButtons->BtnOK()->click();
  });
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                       Examples + QLatin1StringView(GetParam().File));
  ASSERT_EQ(Form.DifferencesShown, 1);
  const QString Expected = QString::fromUtf8(GetParam().Log);
  EXPECT_EQ(Form.DifferencesLog, Expected);
  EXPECT_EQ(Form.DifferencesCounts, GetParam().Counts);
  EXPECT_EQ(Log, Expected.trimmed().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  const QList<int> &C = GetParam().Counts;
  EXPECT_EQ(Totals,
            (QStringList{QStringLiteral("\tComponents\tProperties\tConstants"),
                         QStringLiteral("Added\t%1\t%2\t%3").arg(C[0]).arg(C[1]).arg(C[2]),
                         QStringLiteral("Removed\t%1\t%2\t%3").arg(C[3]).arg(C[4]).arg(C[5]),
                         QStringLiteral("Total\t%1\t%2\t%3").arg(C[6]).arg(C[7]).arg(C[8])}));
  // The differences are no change of the user's: the title has no mark.
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(StatusOf(Form), GetParam().Status);
}

INSTANTIATE_TEST_SUITE_P(
    ExampleTranslations, MainFormDifferences,
    testing::Values(
        TDifferencesCase{
            "Russian",
            "Example.ru.lng",
            1251,
            "The following entries were not found and were added to the translation:\r\n"
            "    Added Property \"actEditFind.Caption\" (ID=11)\r\n"
            "    Added Property \"actEditReplace.Caption\" (ID=12)\r\n"
            "    Added Property \"lblSample.Caption\" (ID=6)\r\n\r\n"
            "The following constants were not found and were added to the translation:\r\n"
            "    Added Constant \"SWordCount\"\r\n\r\n"
            "The following entries were found excessive and deleted from the translation:\r\n"
            "    Removed Component \"Application.MainForm\", property with ID=18\r\n"
            "    Removed Component: [Dialog.Print]\r\n\r\n"
            "The following constants were found excessive and deleted from the translation:\r\n"
            "Removed Constant \"SPrintDone\"\r\n\r\n",
            {0, 3, 1, 1, 4, 1, 4, 38, 8},
            Status(4, 38, 3, 8, 1)},
        TDifferencesCase{
            "German",
            "Example.de.lng",
            1252,
            "The following entries were not found and were added to the translation:\r\n"
            "    Added Property \"actHelpAbout.Caption\" (ID=13)\r\n"
            "Added Component: [Dialog.About]\r\n"
            "    Added Property \"Caption\" (ID=1)\r\n"
            "    Added Property \"lblVersion.Caption\" (ID=2)\r\n"
            "    Added Property \"lblCopyright.Caption\" (ID=3)\r\n"
            "    Added Property \"mmLicense.Lines\" (ID=4)\r\n"
            "    Added Property \"btnClose.Caption\" (ID=5)\r\n\r\n"
            "The following constants were not found and were added to the translation:\r\n"
            "    Added Constant \"SStatusLines\"\r\n\r\n"
            "The following entries were found excessive and deleted from the translation:\r\n"
            "    Removed Component \"Dialog.OpenFiles\", property with ID=8\r\n"
            "    Removed Component: [Dialog.Export]\r\n\r\n"
            "The following constants were found excessive and deleted from the translation:\r\n"
            "Removed Constant \"SOldVersionWarning\"\r\n\r\n",
            {1, 6, 1, 1, 3, 1, 4, 38, 8},
            Status(4, 38, 6, 8, 1)}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Entries the reconciliation deletes whose source texts the user's memory
// knows stay in it, and the differences say how many.
TEST(MainFormMemory, DifferencesCountTheRemovedTranslationsKept) {
  TProjectFolder Folder;
  const QString Lng = QFileInfo(Folder.Path("Example.de.lng")).absoluteFilePath();
  {
    TTranslationMemory Memory(DefaultMemoryPath());
    const auto Unit = [&](const char *Source, const char *Entry) {
      return TMemoryUnit{QStringLiteral("en-US"), QStringLiteral("de-DE"), QString::fromUtf8(Source),
                         QStringLiteral("alt"), Lng, QString::fromUtf8(Entry), 1};
    };
    Memory.Add({Unit("Old", "Dialog.OpenFiles/8"), Unit("Older", "$CONSTANTS/SOldVersionWarning")});
  }
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Folder.Path("Example.zrlang"), QString(), Lng);
  ASSERT_EQ(Form.DifferencesShown, 1);
  EXPECT_TRUE(Form.DifferencesLog.endsWith(
      QStringLiteral("2 removed translations were kept in the translation memory.\r\n")))
      << Form.DifferencesLog.toStdString();
  TTranslationMemory Memory(DefaultMemoryPath());
  EXPECT_TRUE(Memory.FindExact(QStringLiteral("en-US"), QStringLiteral("de-DE"),
                               QStringLiteral("Older")));
}

struct THeaderCase {
  const char *Name;
  const char *Header; // the translation file's header lines
  quint16 ExpectSource;
  quint16 ExpectTranslation;
  bool ExpectProperties; // the properties dialog follows the opening
  const char *ExpectSavedHeader;
};

class MainFormHeader : public testing::TestWithParam<THeaderCase> {};

TEST_P(MainFormHeader, DecidesTheLanguagesAndIsStampedOnSaving) {
  TProjectFolder Folder;
  const QString Path = Folder.Path("header.lng");
  {
    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(FileBytes(QString::fromUtf8(GetParam().Header) +
                          QStringLiteral("\n[Dialog.About]\n00000001=Über\n"),
                      feUtf16));
  }
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Path);
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(Form.HasDocument());
  EXPECT_EQ(Form.LangIDSource(), GetParam().ExpectSource);
  EXPECT_EQ(Form.LangIDTranslation(), GetParam().ExpectTranslation);
  EXPECT_EQ(Form.PropertiesShown, GetParam().ExpectProperties ? 1 : 0);
  Form.SetModified(true);
  // A file without a translation language is not saved: the save asks.
  Form.PropertiesLangID = 1031;
  QDateTime Before, After;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("out.lng"), true, Before, After));
  EXPECT_TRUE(FileIs(Folder.Path("out.lng"),
                     QString::fromUtf8(GetParam().ExpectSavedHeader) +
                         QStringLiteral("\n[Dialog.About]\n00000001=Über\n\n"
                                        "[Application.MainForm]\n\n[Dialog.OpenFiles]\n\n"
                                        "[Dialog.Options]\n\n[$CONSTANTS]\n"),
                     feUtf16, Before, After));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, MainFormHeader,
    testing::Values(THeaderCase{"EqualLanguagesAskForTheLanguages",
                                "LANGID=1031\nSourceLANGID=1031\n", 1031, 1031, true,
                                "LANGID=1031\nSourceLANGID=1031\n"
                                "Generator=Brisel Solutions Lingrove 2.0.0\nLastModified=%DATE%\n"},
                    THeaderCase{"NoLanguageAsksForTheLanguages", "Author=Anna\n", 1033, 0, true,
                                "Author=Anna\nSourceLANGID=1033\nLANGID=1031\n"
                                "Generator=Brisel Solutions Lingrove 2.0.0\nLastModified=%DATE%\n"},
                    THeaderCase{"ASourceLanguageThatIsNoNumberIsEnglish",
                                "SourceLANGID=abc\nLANGID=1049\n", 1033, 1049, false,
                                "SourceLANGID=1033\nLANGID=1049\n"
                                "Generator=Brisel Solutions Lingrove 2.0.0\nLastModified=%DATE%\n"},
                    THeaderCase{"NamesInAnyCaseAreReadAndReplacedInPlace",
                                "langid=1031\nsourcelangid=1033\ngenerator=Other\n"
                                "lastmodified=2000-01-01 00:00:00\nAuthor=X\n",
                                1033, 1031, false,
                                "LANGID=1031\nSourceLANGID=1033\n"
                                "Generator=Brisel Solutions Lingrove 2.0.0\nLastModified=%DATE%\n"
                                "Author=X\n"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainFormOpening, ConfirmedTranslationPropertiesKeepOnlyTargetAndAuthorAndModify) {
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  Form.RealProperties = true;
  AnswerNextDialog<TUITransPropsDialog>([](TUITransPropsDialog &D) {
    EXPECT_EQ(D.TargetCombo->currentText(), QStringLiteral("Quillmate 2.3"));
    EXPECT_EQ(D.AuthorEdit->text(), QStringLiteral("Jonas Müller"));
    EXPECT_EQ(D.TranslationLCID(0), 1031);
    D.SetTranslationLCID(1030);
    D.TranslationLanguageCombo->setFocus();
    QTest::keyClick(D.TranslationLanguageCombo, Qt::Key_Down);
    D.DialogButtons->BtnOK()->click();
  });
  ActionNamed(Form, "ActionEditTransProperties")->trigger();
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
  QDateTime Before, After;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("out.lng"), true, Before, After));
  QString Expected = GermanSaved;
  Expected.replace(QStringLiteral("LANGID=1031\nSourceLANGID=1033\nAuthor=Jonas Müller\n"
                                  "TargetApplication=Quillmate 2.3\n"),
                   QStringLiteral("TargetApplication=Quillmate 2.3\nAuthor=Jonas Müller\n"
                                  "SourceLANGID=1033\nLANGID=1031\n"));
  EXPECT_TRUE(FileIs(Folder.Path("out.lng"), Expected, feUtf16, Before, After));
}

TEST(MainFormOpening, ADisplayTranslationShowsItsValuesAndTheSourceWhereItHasNone) {
  const TScopedAcp Acp(1251);
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + QStringLiteral("Example.zrlang"),
                       Examples + QStringLiteral("Example.ru.lng"),
                       Examples + QStringLiteral("Example.de.lng"));
  ASSERT_TRUE(Form.HasDocument());
  const auto Default = [&Form](const char *Parent, const char *Child) {
    return RowOf(Form, Parent, Child).siblingAtColumn(TEntryTreeModel::ecDefaultValue).data();
  };
  EXPECT_EQ(Default("Dialog.About", "Caption"), QStringLiteral("О программе Quillmate"));
  // Entries the display translation lacks show the source's value.
  EXPECT_EQ(Default("Application.MainForm", "actEditFind.Caption"), QStringLiteral("&Find..."));
  EXPECT_EQ(Default("Constants", "SWordCount"), QStringLiteral("Words:\\t%d"));
  EXPECT_EQ(Default("Constants", "SUntitled"), QStringLiteral("Без имени"));
  EXPECT_EQ(Default("Dialog.OpenFiles", "cbEncoding.Items"),
            QStringLiteral("Автоматически\\nANSI\\nUTF-8\\nUTF-16\\n"));
  // The source memo shows the source's raw value, not the display one.
  ShowActive(Form);
  SelectRows(Form, {RowOf(Form, "Dialog.About", "Caption")});
  EXPECT_EQ(Form.findChild<QPlainTextEdit *>(QStringLiteral("SourceValueMemo"))->toPlainText(),
            QStringLiteral("About Quillmate"));
}

// ---------------------------------------------------------------------------
// Editing in the grid

struct TInPlaceCase {
  const char *Name;
  const char *Parent;
  const char *Child;
  int Column;  // the current column when the key is pressed
  Qt::Key Key; // the key that asks for the editor
  const char *Typed;
  Qt::Key Close; // the key that closes the editor
  bool ExpectChanged;
  const char *ExpectCell;      // the one-line text in column 3 afterwards
  const char16_t *ExpectValue; // the raw translated value afterwards
  QStringList ExpectStatus;
  int ExpectIcon = -1; // -1: the icon of the entry's translation state
};

class MainFormInPlaceEditing : public testing::TestWithParam<TInPlaceCase> {};

TEST_P(MainFormInPlaceEditing, TheEditorOpensInColumnThreeAndStoresTheDecodedText) {
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const TInPlaceCase &C = GetParam();
  const QModelIndex Row = RowOf(Form, C.Parent, C.Child);
  const bool WasUntranslated = IsUntranslated(Row);
  SelectRows(Form, {Row}, C.Column);
  QTest::keyClick(&TreeOf(Form), C.Key);
  QLineEdit *Editor = OpenEditor(Form);
  ASSERT_NE(Editor, nullptr);
  // The editor is the one of column 3, whatever column was current.
  for (int Column = 0; Column < 3; ++Column)
    EXPECT_EQ(TreeOf(Form).indexWidget(Row.siblingAtColumn(Column)), nullptr) << Column;
  EXPECT_EQ(TreeOf(Form).indexWidget(Row.siblingAtColumn(3)), Editor);
  EXPECT_EQ(Editor->text(), CellText(Row));
  TypeText(Editor, QString::fromUtf8(C.Typed));
  PressInEditor(Editor, C.Close);
  EXPECT_EQ(OpenEditor(Form), nullptr);

  EXPECT_EQ(CellText(Row), QString::fromUtf8(C.ExpectCell));
  EXPECT_EQ(ModelOf(Form).TranslatedValue(Row), QString::fromUtf16(C.ExpectValue));
  EXPECT_EQ(IsUntranslated(Row), WasUntranslated && !C.ExpectChanged);
  EXPECT_EQ(StateIconKey(Row),
            ImageListIcon(C.ExpectIcon >= 0      ? C.ExpectIcon
                          : IsUntranslated(Row) ? iiUntranslated
                                                : iiTranslated)
                .cacheKey());
  EXPECT_EQ(Form.Modified(), C.ExpectChanged);
  EXPECT_EQ(Form.windowTitle(), C.ExpectChanged ? GermanModifiedTitle : GermanTitle);
  EXPECT_EQ(StatusOf(Form), C.ExpectStatus);
  // The memo under the grid shows the raw value of the edited row.
  EXPECT_EQ(
      MemoOf(Form).toPlainText(),
      QString::fromUtf16(C.ExpectValue).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainFormInPlaceEditing,
    testing::Values(
        TInPlaceCase{"EnterOnAnUntranslatedProperty", "Application.MainForm",
                     "actHelpAbout.Caption", 0, Qt::Key_Return, "&Über Quillmate...",
                     Qt::Key_Return, true, "&Über Quillmate...", u"&Über Quillmate...",
                     Status(4, 38, 5, 8, 1)},
        TInPlaceCase{"F2FromTheDefaultValueColumn", "Application.MainForm", "actHelpAbout.Caption",
                     2, Qt::Key_F2, "Info", Qt::Key_Enter, true, "Info", u"Info",
                     Status(4, 38, 5, 8, 1), iiProblemWarning},
        TInPlaceCase{"EnterFromTheIDColumnOnATranslatedProperty", "Dialog.Options", "Caption", 1,
                     Qt::Key_Return, "Optionen", Qt::Key_Return, true, "Optionen", u"Optionen",
                     Status(4, 38, 6, 8, 1)},
        TInPlaceCase{"EscapesAreDecoded", "Dialog.About", "Caption", 0, Qt::Key_Return,
                     "A\\tB\\\\C\\nD", Qt::Key_Return, true, "A\\tB\\\\C\\nD", u"A\tB\\C\r\nD",
                     Status(4, 38, 5, 8, 1), iiProblemWarning},
        TInPlaceCase{"TwoDigitEscapes", "Dialog.About", "Caption", 0, Qt::Key_Return,
                     "a\\07b\\65\\x", Qt::Key_Return, true, "a\\07bA\\\\x", u"a\abA\\x",
                     Status(4, 38, 5, 8, 1)},
        TInPlaceCase{"AConstant", "Constants", "SStatusLines", 0, Qt::Key_Return, "%d Zeilen",
                     Qt::Key_Return, true, "%d Zeilen", u"%d Zeilen", Status(4, 38, 6, 8, 0)},
        TInPlaceCase{"EscapeCancels", "Application.MainForm", "actHelpAbout.Caption", 0,
                     Qt::Key_Return, "Info", Qt::Key_Escape, false, "&About Quillmate...",
                     u"&About Quillmate...", Status(4, 38, 6, 8, 1)},
        TInPlaceCase{"EnterWithoutTypingIsNoEdit", "Application.MainForm", "actHelpAbout.Caption",
                     0, Qt::Key_Return, "", Qt::Key_Return, false, "&About Quillmate...",
                     u"&About Quillmate...", Status(4, 38, 6, 8, 1)}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct TNoEditorCase {
  const char *Name;
  const char *Parent;
  const char *Child;       // null: the component or Constants row itself
  const char *SecondChild; // a second selected row under Parent, or null
  Qt::Key Key;
};

class MainFormNoEditor : public testing::TestWithParam<TNoEditorCase> {};

TEST_P(MainFormNoEditor, OpensForNoGroupRowAndNoMultipleSelection) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const TNoEditorCase &C = GetParam();
  QList<QModelIndex> Rows = {RowOf(Form, C.Parent, C.Child)};
  if (C.SecondChild)
    Rows.append(RowOf(Form, C.Parent, C.SecondChild));
  SelectRows(Form, Rows);
  QTest::keyClick(&TreeOf(Form), C.Key);
  EXPECT_EQ(OpenEditor(Form), nullptr);
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(TreeOf(Form).selectionModel()->selectedRows().size(), Rows.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MainFormNoEditor,
    testing::Values(
        TNoEditorCase{"EnterOnAComponent", "Application.MainForm", nullptr, nullptr,
                      Qt::Key_Return},
        TNoEditorCase{"F2OnAComponent", "Dialog.About", nullptr, nullptr, Qt::Key_F2},
        TNoEditorCase{"EnterOnTheConstantsRow", "Constants", nullptr, nullptr, Qt::Key_Return},
        TNoEditorCase{"EnterOnTwoProperties", "Dialog.About", "Caption", "btnClose.Caption",
                      Qt::Key_Return},
        TNoEditorCase{"F2OnTwoConstants", "Constants", "SUntitled", "SWordCount", Qt::Key_F2}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainFormEditing, AnEditRequestOnColumnsZeroToTwoOpensTheEditorOfColumnThree) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  QTreeView &Tree = TreeOf(Form);
  const QModelIndex Row = RowOf(Form, "Dialog.Options", "lblFont.Caption");
  for (int Column = 0; Column < 4; ++Column) {
    SelectRows(Form, {Row}, Column);
    Tree.edit(Row.siblingAtColumn(Column));
    QLineEdit *Editor = OpenEditor(Form);
    ASSERT_NE(Editor, nullptr) << Column;
    for (int Other = 0; Other < 3; ++Other)
      EXPECT_EQ(Tree.indexWidget(Row.siblingAtColumn(Other)), nullptr) << Column;
    EXPECT_EQ(Tree.indexWidget(Row.siblingAtColumn(3)), Editor) << Column;
    PressInEditor(Editor, Qt::Key_Escape);
    EXPECT_EQ(OpenEditor(Form), nullptr) << Column;
  }
  // Only column 3 is editable.
  for (int Column = 0; Column < 4; ++Column)
    EXPECT_EQ(bool(Row.siblingAtColumn(Column).flags() & Qt::ItemIsEditable), Column == 3)
        << Column;
  EXPECT_FALSE(Form.Modified());
}

// ---------------------------------------------------------------------------
// The memo and the clipboard

struct TMemoCase {
  const char *Name;
  QList<std::pair<const char *, const char *>> Rows;
  const char *ExpectShown;  // the memo's text for the selection
  QStringList ExpectStatus; // after typing "Gemeinsam"
};

class MainFormMemo : public testing::TestWithParam<TMemoCase> {};

TEST_P(MainFormMemo, TypingSetsEverySelectedEntry) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  QList<QModelIndex> Rows;
  for (const auto &[Parent, Child] : GetParam().Rows)
    Rows.append(RowOf(Form, Parent, Child));
  SelectRows(Form, Rows);
  QPlainTextEdit &Memo = MemoOf(Form);
  ASSERT_TRUE(Memo.isEnabled());
  EXPECT_EQ(Memo.toPlainText(), QString::fromUtf8(GetParam().ExpectShown));
  EXPECT_FALSE(Form.Modified());
  Memo.setFocus();
  Memo.selectAll();
  TypeText(&Memo, QStringLiteral("Gemeinsam"));
  for (const QModelIndex &Row : Rows) {
    EXPECT_EQ(CellText(Row), QStringLiteral("Gemeinsam"));
    EXPECT_FALSE(IsUntranslated(Row));
  }
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
  EXPECT_EQ(StatusOf(Form), GetParam().ExpectStatus);
  EXPECT_EQ(TreeOf(Form).selectionModel()->selectedRows().size(), Rows.size());
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MainFormMemo,
    testing::Values(
        TMemoCase{"EqualValuesAreShown",
                  {{"Dialog.OpenFiles", "btnOK.Caption"}, {"Dialog.Options", "btnOK.Caption"}},
                  "OK",
                  Status(4, 38, 6, 8, 1)},
        TMemoCase{"DifferentValuesLeaveTheMemoEmpty",
                  {{"Dialog.About", "Caption"}, {"Application.MainForm", "Caption"}},
                  "",
                  Status(4, 38, 5, 8, 1)},
        TMemoCase{"AnUntranslatedPropertyAndConstant",
                  {{"Application.MainForm", "actHelpAbout.Caption"}, {"Constants", "SStatusLines"}},
                  "",
                  Status(4, 38, 5, 8, 0)}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainFormEditing, OnlyGroupRowsSelectedDisableTheMemosAndMarking) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  SelectRows(Form, {RowOf(Form, "Dialog.About"), RowOf(Form, "Constants")});
  EXPECT_FALSE(MemoOf(Form).isEnabled());
  EXPECT_FALSE(Form.findChild<QPlainTextEdit *>(QStringLiteral("SourceValueMemo"))->isEnabled());
  EXPECT_FALSE(ActionNamed(Form, "ActionEditMarkItemTrans")->isEnabled());
  EXPECT_FALSE(ActionNamed(Form, "ActionEditCopy")->isEnabled());
  EXPECT_FALSE(ActionNamed(Form, "ActionEditPaste")->isEnabled());
}

TEST(MainFormEditing, PasteSetsEverySelectedEntryAndIsSaved) {
  const TScopedAcp Acp(1252);
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex Caption = RowOf(Form, "Dialog.About", "Caption");
  const QModelIndex Version = RowOf(Form, "Dialog.About", "lblVersion.Caption");
  const QModelIndex Component = RowOf(Form, "Dialog.About");
  const QModelIndex Lines = RowOf(Form, "Constants", "SStatusLines");
  SelectRows(Form, {Caption, Version, Component, Lines});
  QGuiApplication::clipboard()->setText(QStringLiteral("Zeile 1\r\nZeile 2"));
  ASSERT_TRUE(ActionNamed(Form, "ActionEditPaste")->isEnabled());
  ActionNamed(Form, "ActionEditPaste")->trigger();
  for (const QModelIndex &Row : {Caption, Version, Lines}) {
    EXPECT_EQ(CellText(Row), QStringLiteral("Zeile 1\\nZeile 2"));
    EXPECT_EQ(ModelOf(Form).TranslatedValue(Row), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_FALSE(IsUntranslated(Row));
  }
  EXPECT_EQ(CellText(Component), QString());
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(StatusOf(Form), Status(4, 38, 4, 8, 0));

  QDateTime Before, After;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("pasted.lng"), true, Before, After));
  QString Expected = WithLineAfter(GermanSaved, QStringLiteral("[Dialog.About]"),
                                   QStringLiteral("00000001=Zeile 1\\nZeile 2\n"
                                                  "00000002=Zeile 1\\nZeile 2"));
  Expected = WithLineAfter(Expected, QStringLiteral("SStatusChars=%d Zeichen"),
                           QStringLiteral("SStatusLines=Zeile 1\\nZeile 2"));
  EXPECT_TRUE(FileIs(Folder.Path("pasted.lng"), Expected, feUtf16, Before, After));
}

TEST(MainFormEditing, CutLeavesAnUntranslatedEntryTranslatedAndEmpty) {
  const TScopedAcp Acp(1252);
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex Row = RowOf(Form, "Constants", "SStatusLines");
  SelectRows(Form, {Row});
  ASSERT_TRUE(ActionNamed(Form, "ActionEditCut")->isEnabled());
  ActionNamed(Form, "ActionEditCut")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("%d lines"));
  EXPECT_EQ(CellText(Row), QString());
  EXPECT_FALSE(IsUntranslated(Row));
  EXPECT_EQ(MemoOf(Form).toPlainText(), QString());
  EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
  EXPECT_EQ(StatusOf(Form), Status(4, 38, 6, 8, 0));

  QDateTime Before, After;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("cut.lng"), true, Before, After));
  EXPECT_TRUE(FileIs(Folder.Path("cut.lng"),
                     WithLineAfter(GermanSaved, QStringLiteral("SStatusChars=%d Zeichen"),
                                   QStringLiteral("SStatusLines=")),
                     feUtf16, Before, After));
}

// ---------------------------------------------------------------------------
// Mark Item Translated

struct TMarkCase {
  const char *Name;
  QList<std::pair<const char *, const char *>> Rows;
  bool ExpectEnabled;
  QStringList ExpectStatus;
  QStringList ExpectSavedLines; // "after line|new line" pairs in the saved German file
};

class MainFormMarkTranslated : public testing::TestWithParam<TMarkCase> {};

TEST_P(MainFormMarkTranslated, KeepsTheValueAndSavesIt) {
  const TScopedAcp Acp(1252);
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  QList<QModelIndex> Rows;
  QStringList Values;
  for (const auto &[Parent, Child] : GetParam().Rows) {
    Rows.append(RowOf(Form, Parent, Child));
    Values.append(CellText(Rows.last()));
  }
  SelectRows(Form, Rows);
  QAction &Mark = *ActionNamed(Form, "ActionEditMarkItemTrans");
  EXPECT_EQ(Mark.isEnabled(), GetParam().ExpectEnabled);
  Mark.trigger();
  for (qsizetype I = 0; I < Rows.size(); ++I) {
    EXPECT_FALSE(IsUntranslated(Rows[I]));
    EXPECT_EQ(StateIconKey(Rows[I]), ImageListIcon(iiTranslated).cacheKey());
    EXPECT_EQ(CellText(Rows[I]), Values[I]);
  }
  EXPECT_FALSE(Mark.isEnabled());
  EXPECT_EQ(Form.Modified(), GetParam().ExpectEnabled);
  EXPECT_EQ(StatusOf(Form), GetParam().ExpectStatus);

  QDateTime Before, After;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("marked.lng"), true, Before, After));
  QString Expected = GermanSaved;
  for (const QString &Pair : GetParam().ExpectSavedLines)
    Expected = WithLineAfter(Expected, Pair.section(u'|', 0, 0), Pair.section(u'|', 1));
  EXPECT_TRUE(FileIs(Folder.Path("marked.lng"), Expected, feUtf16, Before, After));
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MainFormMarkTranslated,
    testing::Values(
        TMarkCase{"OneProperty",
                  {{"Application.MainForm", "actHelpAbout.Caption"}},
                  true,
                  Status(4, 38, 5, 8, 1),
                  {QStringLiteral("00000012=&Ersetzen...|00000013=&About Quillmate...")}},
        TMarkCase{"RowsWithAConstantAndAComponent",
                  {{"Dialog.About", "Caption"},
                   {"Dialog.About", "mmLicense.Lines"},
                   {"Dialog.About", nullptr},
                   {"Constants", "SStatusLines"}},
                  true,
                  Status(4, 38, 4, 8, 0),
                  {QStringLiteral("[Dialog.About]|00000001=About Quillmate\n"
                                  "00000004=Quillmate is free software.\\nYou may copy, change "
                                  "and share it\\nunder the terms of the MIT licence.\\n"),
                   QStringLiteral("SStatusChars=%d Zeichen|SStatusLines=%d lines")}},
        TMarkCase{"OnlyTranslatedRows",
                  {{"Application.MainForm", "Caption"}},
                  false,
                  Status(4, 38, 6, 8, 1),
                  {}}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// ---------------------------------------------------------------------------
// Moving between entries

struct TMoveCase {
  const char *Name;
  const char *Action;
  const char *FromParent;
  const char *FromChild;
  const char *ToParent; // null: nothing happens
  const char *ToChild;
};

class MainFormMoving : public testing::TestWithParam<TMoveCase> {};

TEST_P(MainFormMoving, SelectsOnlyTheTargetRow) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const TMoveCase &C = GetParam();
  const QModelIndex From = RowOf(Form, C.FromParent, C.FromChild);
  // A second selected row shows that moving leaves only the target selected.
  SelectRows(Form, {From, RowOf(Form, "Dialog.Options", "lblFont.Caption")});
  QAction &Action = *ActionNamed(Form, C.Action);
  ASSERT_TRUE(Action.isEnabled());
  Action.trigger();
  QTreeView &Tree = TreeOf(Form);
  if (!C.ToParent) {
    EXPECT_EQ(Tree.currentIndex().siblingAtColumn(0), From);
    EXPECT_EQ(Tree.selectionModel()->selectedRows().size(), 2);
    return;
  }
  const QModelIndex To = RowOf(Form, C.ToParent, C.ToChild);
  EXPECT_EQ(Tree.currentIndex().siblingAtColumn(0), To);
  EXPECT_EQ(Tree.selectionModel()->selectedRows(), QModelIndexList{To});
  EXPECT_EQ(MemoOf(Form).isEnabled(), ModelOf(Form).IsEntry(To));
  EXPECT_EQ(MemoOf(Form).toPlainText(), ModelOf(Form).TranslatedValue(To));
  EXPECT_FALSE(Form.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, MainFormMoving,
    testing::Values(TMoveCase{"NextItemWrapsToTheFirstRow", "ActionEditNextItem", "Constants",
                              "SWordCount", "Application.MainForm", nullptr},
                    TMoveCase{"PreviousItemWrapsToTheLastRow", "ActionEditPreviousItem",
                              "Application.MainForm", nullptr, "Constants", "SWordCount"},
                    TMoveCase{"NextItemEntersAComponent", "ActionEditNextItem", "Dialog.About",
                              nullptr, "Dialog.About", "Caption"},
                    TMoveCase{"NextItemLeavesAComponent", "ActionEditNextItem", "Dialog.About",
                              "btnClose.Caption", "Dialog.OpenFiles", nullptr},
                    TMoveCase{"PreviousItemGoesToTheLastChildBefore", "ActionEditPreviousItem",
                              "Dialog.OpenFiles", nullptr, "Dialog.About", "btnClose.Caption"},
                    TMoveCase{"NextUntranslatedFromTheFirstRow", "ActionEditJumpNext",
                              "Application.MainForm", nullptr, "Application.MainForm",
                              "actHelpAbout.Caption"},
                    TMoveCase{"NextUntranslatedSkipsTranslatedRows", "ActionEditJumpNext",
                              "Application.MainForm", "actHelpAbout.Caption", "Dialog.About",
                              "Caption"},
                    TMoveCase{"NextUntranslatedReachesTheConstants", "ActionEditJumpNext",
                              "Dialog.About", "btnClose.Caption", "Constants", "SStatusLines"},
                    TMoveCase{"NextUntranslatedDoesNotWrap", "ActionEditJumpNext", "Constants",
                              "SStatusLines", nullptr, nullptr},
                    TMoveCase{"PreviousUntranslatedGoesBack", "ActionEditJumpPrevious",
                              "Dialog.OpenFiles", "Caption", "Dialog.About", "btnClose.Caption"},
                    TMoveCase{"PreviousUntranslatedFromTheLastRow", "ActionEditJumpPrevious",
                              "Constants", "SWordCount", "Constants", "SStatusLines"},
                    TMoveCase{"PreviousUntranslatedDoesNotWrap", "ActionEditJumpPrevious",
                              "Application.MainForm", "actHelpAbout.Caption", nullptr, nullptr}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// ---------------------------------------------------------------------------
// Saving

struct TSaveCase {
  const char *Name;
  bool AnsiSource;         // the language source in code page 1252
  const char *Translation; // "de" or "ru"
  bool ChooseUnicode;
  QMessageBox::StandardButton Answer; // NoButton: no prompt expected
  std::optional<TFileEncoding> Written;
  bool IgnoreConflicts = false; // the setting that turns the prompt off
};

// Sets the setting "IgnoreEncodingConficts" for one test.
class TScopedIgnoreConflicts {
public:
  explicit TScopedIgnoreConflicts(bool Value) : FOld(Attribs->IgnoreEncodingConficts()) {
    Attribs->SetIgnoreEncodingConficts(Value);
  }
  ~TScopedIgnoreConflicts() { Attribs->SetIgnoreEncodingConficts(FOld); }

private:
  bool FOld;
};

class MainFormSaveBytes : public testing::TestWithParam<TSaveCase> {};

TEST_P(MainFormSaveBytes, WriteTheEncodingTheUserChose) {
  const TSaveCase &C = GetParam();
  const bool Russian = QLatin1StringView(C.Translation) == QLatin1StringView("ru");
  const TScopedAcp Acp(Russian ? 1251 : 1252);
  const TScopedIgnoreConflicts Ignore(C.IgnoreConflicts);
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path(C.AnsiSource ? "Example.ansi.zrlang" : "Example.zrlang"),
                          Folder.Path(Russian ? "Example.ru.lng" : "Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(Form.HasDocument());
  QString Expected;
  if (Russian) {
    ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Application.MainForm", "actEditFind.Caption"),
                            QStringLiteral("&Найти...")));
    Expected = WithLineAfter(RussianSaved, QStringLiteral("00000010=В&ыход"),
                             QStringLiteral("00000011=&Найти..."));
  } else {
    ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"),
                            QStringLiteral("Über „Quillmate“\\tC:\\\\Notizen\\nEnde")));
    Expected = WithLineAfter(GermanSaved, QStringLiteral("[Dialog.About]"),
                             QStringLiteral("00000001=Über „Quillmate“\\tC:\\\\Notizen\\nEnde"));
  }
  const QStringList HistoryBefore = LoadMRUList(mruTranslation);
  const QString Out = Folder.Path("out.lng");
  QString Prompt;
  std::optional<TUnansweredDialogs> Guard;
  if (C.Answer != QMessageBox::NoButton)
    AnswerNextMessageBox(C.Answer, &Prompt);
  else
    Guard.emplace();
  QDateTime Before, After;
  EXPECT_EQ(SaveAs(Form, Out, C.ChooseUnicode, Before, After), C.Written.has_value());
  EXPECT_EQ(Form.SaveDialogShown, 1);
  if (Guard) {
    EXPECT_TRUE(Guard->Titles.isEmpty()) << Guard->Titles.join(u'\n').toStdString();
  }
  if (C.Answer != QMessageBox::NoButton) {
    EXPECT_EQ(Prompt, C.ChooseUnicode ? SavingInUnicodeText : SavingInAnsiText);
  }

  if (!C.Written) {
    EXPECT_FALSE(QFile::exists(Out));
    EXPECT_TRUE(Form.Modified());
    EXPECT_EQ(Form.TranslationFilename(),
              Folder.Path(Russian ? "Example.ru.lng" : "Example.de.lng"));
    EXPECT_EQ(LoadMRUList(mruTranslation), HistoryBefore);
    return;
  }
  EXPECT_TRUE(FileIs(Out, Expected, *C.Written, Before, After));
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("out.lng - Lingrove"));
  EXPECT_EQ(Form.TranslationFilename(), Out);
  EXPECT_EQ(LoadMRUList(mruTranslation).value(0), Out);

  // A later plain Save keeps the encoding of this save, switch included, and
  // asks nothing when that is the encoding the prompt chose.
  const bool WrittenUnicode = *C.Written == feUtf16;
  const bool SourceUnicode = !C.AnsiSource;
  std::optional<TUnansweredDialogs> SecondGuard;
  if (WrittenUnicode != SourceUnicode && !C.IgnoreConflicts)
    AnswerNextMessageBox(QMessageBox::No);
  else
    SecondGuard.emplace();
  Form.SetModified(true);
  Before = QDateTime::currentDateTime();
  ActionNamed(Form, "ActionFileSave")->trigger();
  After = QDateTime::currentDateTime();
  EXPECT_EQ(Form.SaveDialogShown, 1);
  if (SecondGuard) {
    EXPECT_TRUE(SecondGuard->Titles.isEmpty()) << SecondGuard->Titles.join(u'\n').toStdString();
  }
  EXPECT_TRUE(FileIs(Out, Expected, *C.Written, Before, After));
  EXPECT_FALSE(Form.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, MainFormSaveBytes,
    testing::Values(
        TSaveCase{"UnicodeSourceUnicode", false, "de", true, QMessageBox::NoButton, feUtf16},
        TSaveCase{"UnicodeSourceAnsiYesSavesUnicode", false, "de", false, QMessageBox::Yes,
                  feUtf16},
        TSaveCase{"UnicodeSourceAnsiNoSavesAnsi", false, "de", false, QMessageBox::No, feCp1252},
        TSaveCase{"UnicodeSourceAnsiCancel", false, "de", false, QMessageBox::Cancel, std::nullopt},
        TSaveCase{"AnsiSourceAnsi", true, "de", false, QMessageBox::NoButton, feCp1252},
        TSaveCase{"AnsiSourceUnicodeYesSavesAnsi", true, "de", true, QMessageBox::Yes, feCp1252},
        TSaveCase{"AnsiSourceUnicodeNoSavesUnicode", true, "de", true, QMessageBox::No, feUtf16},
        TSaveCase{"AnsiSourceUnicodeCancel", true, "de", true, QMessageBox::Cancel, std::nullopt},
        TSaveCase{"RussianAnsiNoSavesCodePage1251", false, "ru", false, QMessageBox::No, feCp1251},
        TSaveCase{"RussianUnicode", false, "ru", true, QMessageBox::NoButton, feUtf16},
        TSaveCase{"IgnoringConflictsSavesAnsiUnasked", false, "de", false, QMessageBox::NoButton,
                  feCp1252, true},
        TSaveCase{"IgnoringConflictsSavesUnicodeUnasked", true, "de", true, QMessageBox::NoButton,
                  feUtf16, true}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Saving in ANSI would turn every character the code page lacks into '?'.
struct TAnsiLossCase {
  const char *Name;
  QMessageBox::StandardButton Answer;
  std::optional<TFileEncoding> Written;
};

class MainFormAnsiLoss : public testing::TestWithParam<TAnsiLossCase> {};

TEST_P(MainFormAnsiLoss, WarnsAndOffersUnicode) {
  const TAnsiLossCase &C = GetParam();
  const TScopedAcp Acp(1252);
  const TScopedIgnoreConflicts Ignore(true); // only the loss is asked about
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(Form.HasDocument());
  const QString Edited = QStringLiteral("Über Привет");
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), Edited));
  const QString Out = Folder.Path("out.lng");
  QString Prompt;
  AnswerNextMessageBox(C.Answer, &Prompt);
  QDateTime Before, After;
  EXPECT_EQ(SaveAs(Form, Out, false, Before, After), C.Written.has_value());
  EXPECT_TRUE(Prompt.startsWith(QStringLiteral("1 texts of the translation hold characters that "
                                               "the ANSI code page 1252 cannot represent.")))
      << Prompt.toStdString();
  if (!C.Written) {
    EXPECT_FALSE(QFile::exists(Out));
    EXPECT_TRUE(Form.Modified());
    return;
  }
  // ANSI anyway: what code page 1252 lacks is written as '?'.
  const QString Written = *C.Written == feUtf16 ? Edited : QStringLiteral("Über ??????");
  const QString Expected = WithLineAfter(GermanSaved, QStringLiteral("[Dialog.About]"),
                                         QStringLiteral("00000001=") + Written);
  EXPECT_TRUE(FileIs(Out, Expected, *C.Written, Before, After));
  EXPECT_FALSE(Form.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormAnsiLoss,
    testing::Values(TAnsiLossCase{"YesSavesUnicode", QMessageBox::Yes, feUtf16},
                    TAnsiLossCase{"NoSavesAnsiAnyway", QMessageBox::No, feCp1252},
                    TAnsiLossCase{"CancelSavesNothing", QMessageBox::Cancel, std::nullopt}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// A Russian ANSI translation on a system whose code page is 1252: it reads,
// is checked for loss and is written in code page 1251, that of its LANGID.
struct TForeignCodePageCase {
  const char *Name;
  const char *Edited;
  bool bLossy; // the warning names code page 1251; Cancel saves nothing
};

void PrintTo(const TForeignCodePageCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class MainFormForeignCodePage : public testing::TestWithParam<TForeignCodePageCase> {};

TEST_P(MainFormForeignCodePage, UsesTheCodePageOfTheTranslationsLanguage) {
  const TForeignCodePageCase &C = GetParam();
  const TScopedAcp Acp(1252);
  const TScopedIgnoreConflicts Ignore(true); // only the loss is asked about
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.ru.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(Form.HasDocument());
  const QString Edited = QString::fromUtf8(C.Edited);
  ASSERT_TRUE(
      EditInPlace(Form, RowOf(Form, "Application.MainForm", "actEditFind.Caption"), Edited));
  const QString Out = Folder.Path("out.lng");
  QString Prompt;
  std::optional<TUnansweredDialogs> Guard;
  if (C.bLossy)
    AnswerNextMessageBox(QMessageBox::Cancel, &Prompt);
  else
    Guard.emplace();
  QDateTime Before, After;
  EXPECT_EQ(SaveAs(Form, Out, false, Before, After), !C.bLossy);
  if (C.bLossy) {
    EXPECT_TRUE(Prompt.startsWith(QStringLiteral("1 texts of the translation hold characters that "
                                                 "the ANSI code page 1251 cannot represent.")))
        << Prompt.toStdString();
    return;
  }
  EXPECT_TRUE(Guard->Titles.isEmpty()) << Guard->Titles.join(u'\n').toStdString();
  const QString Expected = WithLineAfter(RussianSaved, QStringLiteral("00000010=В&ыход"),
                                         QStringLiteral("00000011=") + Edited);
  EXPECT_TRUE(FileIs(Out, Expected, feCp1251, Before, After));
}

INSTANTIATE_TEST_SUITE_P(Edits, MainFormForeignCodePage,
                         testing::Values(TForeignCodePageCase{"Cyrillic", "&Найти...", false},
                                         TForeignCodePageCase{"Greek", "&Найти Ω", true}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST(MainFormSaving, AFileThatCannotBeCreatedChangesNothingButReportsTheError) {
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), QStringLiteral("X")));
  const QStringList HistoryBefore = LoadMRUList(mruTranslation);
  const auto FilesBefore = Folder.Snapshot();
  Form.RealSave = true;
  Form.SavePath = Folder.Path("no-such-folder/out.lng");
  Form.SaveUnicode = true;
  TCapturedMessages Messages;
  ActionNamed(Form, "ActionFileSaveAs")->trigger();
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_TRUE(Messages.Texts.first().contains(Form.SavePath))
      << Messages.Texts.first().toStdString();
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
  EXPECT_EQ(Form.TranslationFilename(), Folder.Path("Example.de.lng"));
  EXPECT_EQ(LoadMRUList(mruTranslation), HistoryBefore);
  EXPECT_EQ(Folder.Snapshot(), FilesBefore);
}

// A full disk: the old file stays, the error box gives the system's reason
// and the changes stay unsaved.
TEST(MainFormSaving, AFullDiskKeepsTheOldFileAndTheChanges) {
  TTestTmpfs Fs(256 * 1024);
  if (!Fs.Mounted())
    GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  const QString Path = Fs.Path(QStringLiteral("Example.de.lng"));
  ASSERT_TRUE(QFile::copy(Examples + QStringLiteral("Example.de.lng"), Path));
  const QByteArray Old = ReadBytes(Path);
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Path);
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), QStringLiteral("X")));
  ASSERT_TRUE(Fs.LeaveFree(0));
  Form.RealSave = true;
  TCapturedMessages Messages;
  ActionNamed(Form, "ActionFileSave")->trigger();
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_TRUE(Messages.Texts.first().endsWith(QStringLiteral("No space left on device")))
      << Messages.Texts.first().toStdString();
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(ReadBytes(Path), Old);
  EXPECT_EQ(Fs.Names(), QStringList({QStringLiteral("Example.de.lng"), QStringLiteral("filler")}));
}

// An error box quotes a few hundred characters of a name, however long.
TEST(MainFormSaving, AHugeFileNameIsCutInTheErrorBox) {
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), QStringLiteral("X")));
  Form.RealSave = true;
  Form.SavePath = Folder.Path("missing/") + QString(100000, u'n') + QStringLiteral(".lng");
  Form.SaveUnicode = true;
  TCapturedMessages Messages;
  ActionNamed(Form, "ActionFileSaveAs")->trigger();
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_LT(Messages.Texts.first().size(), 400) << Messages.Texts.first().left(500).toStdString();
  EXPECT_TRUE(Form.Modified());
}

struct TSaveCancelCase {
  const char *Name;
  const char *Translation; // null: a new translation
  const char *ExpectProposedName;
  bool ExpectProposedUnicode;
};

class MainFormSaveDialogCancel : public testing::TestWithParam<TSaveCancelCase> {};

TEST_P(MainFormSaveDialogCancel, WritesNothingAndKeepsTheChanges) {
  const TScopedAcp Acp(1251);
  TProjectFolder Folder;
  const auto FilesBefore = Folder.Snapshot();
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"),
                          GetParam().Translation ? Folder.Path(GetParam().Translation) : QString());
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), QStringLiteral("X")));
  const QString Title = Form.windowTitle();
  ASSERT_TRUE(Title.contains(u'*'));
  const QStringList HistoryBefore = LoadMRUList(mruTranslation);
  Form.RealSave = true;
  Form.SaveCancelled = true;
  Form.PropertiesLangID = 1031;
  TUnansweredDialogs Unanswered;
  ActionNamed(Form, "ActionFileSaveAs")->trigger();
  EXPECT_EQ(Form.SaveDialogShown, 1);
  const QString ProposedFolder = GetParam().Translation
                                     ? Folder.Path(GetParam().Translation).section(u'/', 0, -2)
                                     : QDir::currentPath();
  EXPECT_EQ(Form.ProposedPath,
            ProposedFolder + u'/' + QLatin1StringView(GetParam().ExpectProposedName));
  EXPECT_EQ(Form.ProposedUnicode, GetParam().ExpectProposedUnicode);
  EXPECT_EQ(Folder.Snapshot(), FilesBefore);
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), Title);
  EXPECT_EQ(LoadMRUList(mruTranslation), HistoryBefore);
  EXPECT_EQ(CellText(RowOf(Form, "Dialog.About", "Caption")), QStringLiteral("X"));
  if (!GetParam().Translation) {
    // Plain Save of a new translation asks for a name too.
    ActionNamed(Form, "ActionFileSave")->trigger();
    EXPECT_EQ(Form.SaveDialogShown, 2);
    EXPECT_EQ(Folder.Snapshot(), FilesBefore);
    EXPECT_TRUE(Form.Modified());
  }
  EXPECT_TRUE(Unanswered.Titles.isEmpty()) << Unanswered.Titles.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Documents, MainFormSaveDialogCancel,
    testing::Values(TSaveCancelCase{"NewTranslation", nullptr, "Untitled.lng", true},
                    TSaveCancelCase{"UnicodeTranslation", "Example.de.lng", "Example.de.lng", true},
                    TSaveCancelCase{"AnsiTranslation", "Example.ru.lng", "Example.ru.lng", false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// ---------------------------------------------------------------------------
// Closing with unsaved changes

struct TCloseEditCase {
  const char *Name;
  QMessageBox::StandardButton Answer;
  bool ExpectClosed;
  bool ExpectWritten;
};

class MainFormCloseAfterEdit : public testing::TestWithParam<TCloseEditCase> {};

TEST_P(MainFormCloseAfterEdit, TheAnswerDecidesWhatHappensToTheEdit) {
  TProjectFolder Folder;
  const QString Path = Folder.Path("Example.de.lng");
  const QByteArray Original = ReadBytes(Path);
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Path);
  TTestMainForm &Form = *FormPtr;
  Form.RealSave = true;
  const QModelIndex Row = RowOf(Form, "Application.MainForm", "actHelpAbout.Caption");
  ASSERT_TRUE(EditInPlace(Form, Row, QStringLiteral("&Info...")));
  QString Text;
  AnswerNextMessageBox(GetParam().Answer, &Text);
  const QDateTime Before = QDateTime::currentDateTime();
  ActionNamed(Form, "ActionFileExit")->trigger();
  const QDateTime After = QDateTime::currentDateTime();
  EXPECT_EQ(Text, QStringLiteral("The text in the %1 file has changed.\r\n\r\n"
                                 "Do you want to save the changes?")
                      .arg(Path));
  EXPECT_EQ(Form.isVisible(), !GetParam().ExpectClosed);
  EXPECT_EQ(Form.SaveDialogShown, 0);
  if (GetParam().ExpectWritten) {
    EXPECT_TRUE(FileIs(Path,
                       WithLineAfter(GermanSaved, QStringLiteral("00000012=&Ersetzen..."),
                                     QStringLiteral("00000013=&Info...")),
                       feUtf16, Before, After));
  } else {
    EXPECT_EQ(ReadBytes(Path), Original);
  }
  if (!GetParam().ExpectClosed) {
    EXPECT_TRUE(Form.Modified());
    EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
    EXPECT_EQ(CellText(Row), QStringLiteral("&Info..."));
    EXPECT_FALSE(IsUntranslated(Row));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormCloseAfterEdit,
    testing::Values(TCloseEditCase{"YesSavesAndCloses", QMessageBox::Yes, true, true},
                    TCloseEditCase{"NoClosesWithoutWriting", QMessageBox::No, true, false},
                    TCloseEditCase{"CancelKeepsTheWindowAndTheEdit", QMessageBox::Cancel, false,
                                   false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

struct TCloseNewCase {
  const char *Name;
  bool SaveCancelled; // the answer of the save dialog that Yes brings up
  bool ExpectClosed;
};

class MainFormCloseNewTranslation : public testing::TestWithParam<TCloseNewCase> {};

TEST_P(MainFormCloseNewTranslation, YesAsksForAFileName) {
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), QString());
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Application.MainForm", "Caption"),
                          QStringLiteral("Quillmate DE")));
  const auto FilesBefore = Folder.Snapshot();
  Form.RealSave = true;
  Form.SaveCancelled = GetParam().SaveCancelled;
  Form.SavePath = Folder.Path("new.lng");
  Form.SaveUnicode = true;
  Form.PropertiesLangID = 1031;
  AnswerNextMessageBox(QMessageBox::Yes);
  const QDateTime Before = QDateTime::currentDateTime();
  ActionNamed(Form, "ActionFileExit")->trigger();
  const QDateTime After = QDateTime::currentDateTime();
  EXPECT_EQ(Form.SaveDialogShown, 1);
  EXPECT_EQ(Form.isVisible(), !GetParam().ExpectClosed);
  if (GetParam().SaveCancelled) {
    EXPECT_EQ(Folder.Snapshot(), FilesBefore);
    EXPECT_TRUE(Form.Modified());
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng* - Lingrove"));
    return;
  }
  EXPECT_TRUE(FileIs(Folder.Path("new.lng"),
                     QStringLiteral("SourceLANGID=1033\nLANGID=1031\n"
                                    "Generator=Brisel Solutions Lingrove 2.0.0\n"
                                    "LastModified=%DATE%\n\n"
                                    "[Application.MainForm]\n00000001=Quillmate DE\n\n"
                                    "[Dialog.About]\n\n[Dialog.OpenFiles]\n\n"
                                    "[Dialog.Options]\n\n[$CONSTANTS]\n"),
                     feUtf16, Before, After));
}

INSTANTIATE_TEST_SUITE_P(SaveDialog, MainFormCloseNewTranslation,
                         testing::Values(TCloseNewCase{"FileChosenSavesAndCloses", false, true},
                                         TCloseNewCase{"CancelledKeepsTheWindow", true, false}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TOpenPromptCase {
  const char *Name;
  QMessageBox::StandardButton Answer;
  bool ExpectOpened; // the Russian translation replaced the German one
  bool ExpectWritten;
};

class MainFormOpenAfterEdit : public testing::TestWithParam<TOpenPromptCase> {};

TEST_P(MainFormOpenAfterEdit, TheSavePromptComesBeforeTheOpenFilesDialog) {
  const TScopedAcp Acp(1251);
  TProjectFolder Folder;
  const QString Path = Folder.Path("Example.de.lng");
  const QByteArray Original = ReadBytes(Path);
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Path);
  TTestMainForm &Form = *FormPtr;
  Form.RealSave = true;
  const QModelIndex Row = RowOf(Form, "Application.MainForm", "actHelpAbout.Caption");
  ASSERT_TRUE(EditInPlace(Form, Row, QStringLiteral("&Info...")));
  Form.OpenDialogShown = 0;
  Form.OpenChosen = true;
  Form.OpenSourcePath = Folder.Path("Example.zrlang");
  Form.OpenTranslationPath = Folder.Path("Example.ru.lng");
  AnswerNextMessageBox(GetParam().Answer);
  const QDateTime Before = QDateTime::currentDateTime();
  ActionNamed(Form, "ActionFileOpen")->trigger();
  const QDateTime After = QDateTime::currentDateTime();
  EXPECT_EQ(Form.OpenDialogShown, GetParam().ExpectOpened ? 1 : 0);
  if (GetParam().ExpectWritten) {
    EXPECT_TRUE(FileIs(Path,
                       WithLineAfter(GermanSaved, QStringLiteral("00000012=&Ersetzen..."),
                                     QStringLiteral("00000013=&Info...")),
                       feUtf16, Before, After));
  } else {
    EXPECT_EQ(ReadBytes(Path), Original);
  }
  if (GetParam().ExpectOpened) {
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Example.ru.lng - Lingrove"));
    EXPECT_EQ(StatusOf(Form), Status(4, 38, 3, 8, 1));
  } else {
    EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
    EXPECT_EQ(CellText(Row), QStringLiteral("&Info..."));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormOpenAfterEdit,
    testing::Values(TOpenPromptCase{"YesSavesThenOpens", QMessageBox::Yes, true, true},
                    TOpenPromptCase{"NoOpensWithoutWriting", QMessageBox::No, true, false},
                    TOpenPromptCase{"CancelKeepsTheDocument", QMessageBox::Cancel, false, false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Answers the next message boxes one after the other with Buttons, keeping
// their texts in *Texts. REQUIRES: Texts outlives the boxes.
void AnswerMessageBoxes(QList<QMessageBox::StandardButton> Buttons, QStringList *Texts) {
  if (Buttons.isEmpty())
    return;
  QTimer::singleShot(0, [Buttons, Texts] {
    auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    ASSERT_NE(Box, nullptr);
    Texts->append(Box->text());
    AnswerMessageBoxes(Buttons.mid(1), Texts);
    Box->button(Buttons.first())->click();
  });
}

TEST(MainFormClosing, CancellingTheEncodingPromptOfTheSaveKeepsTheWindow) {
  const TScopedAcp Acp(1251);
  TProjectFolder Folder;
  const QString Path = Folder.Path("Example.ru.lng");
  const QByteArray Original = ReadBytes(Path);
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Path);
  TTestMainForm &Form = *FormPtr;
  Form.RealSave = true;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Application.MainForm", "actEditFind.Caption"),
                          QStringLiteral("&Найти...")));
  QStringList Texts;
  AnswerMessageBoxes({QMessageBox::Yes, QMessageBox::Cancel}, &Texts);
  ActionNamed(Form, "ActionFileExit")->trigger();
  ASSERT_EQ(Texts.size(), 2);
  EXPECT_TRUE(
      Texts[0].startsWith(QStringLiteral("The text in the %1 file has changed.").arg(Path)));
  EXPECT_EQ(Texts[1], SavingInAnsiText);
  EXPECT_TRUE(Form.isVisible());
  EXPECT_TRUE(Form.Modified());
  EXPECT_EQ(ReadBytes(Path), Original);
  EXPECT_EQ(Form.SaveDialogShown, 0);
}

// ---------------------------------------------------------------------------
// Reopening

TEST(MainFormEditing, ReopeningASavedFileShowsItsUntranslatedEntriesAgain) {
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), QStringLiteral("Über")));
  SelectRows(Form, {RowOf(Form, "Application.MainForm", "actHelpAbout.Caption")});
  ActionNamed(Form, "ActionEditMarkItemTrans")->trigger();
  QDateTime Before, After;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("saved.lng"), true, Before, After));

  Form.DifferencesShown = 0;
  Form.LoadTranslation(Folder.Path("Example.zrlang"), QString(), Folder.Path("saved.lng"));
  ASSERT_EQ(Form.DifferencesShown, 1);
  EXPECT_EQ(
      Form.DifferencesLog,
      QStringLiteral("The following entries were not found and were added to the translation:\r\n"
                     "    Added Property \"lblVersion.Caption\" (ID=2)\r\n"
                     "    Added Property \"lblCopyright.Caption\" (ID=3)\r\n"
                     "    Added Property \"mmLicense.Lines\" (ID=4)\r\n"
                     "    Added Property \"btnClose.Caption\" (ID=5)\r\n\r\n"
                     "The following constants were not found and were added to the translation:\r\n"
                     "    Added Constant \"SStatusLines\"\r\n\r\n"));
  EXPECT_EQ(Form.DifferencesCounts, (QList<int>{0, 4, 1, 0, 0, 0, 4, 38, 8}));
  EXPECT_EQ(StatusOf(Form), Status(4, 38, 4, 8, 1));
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("saved.lng - Lingrove"));
  const QModelIndex Edited = RowOf(Form, "Dialog.About", "Caption");
  EXPECT_EQ(CellText(Edited), QStringLiteral("Über"));
  EXPECT_FALSE(IsUntranslated(Edited));
  const QModelIndex Marked = RowOf(Form, "Application.MainForm", "actHelpAbout.Caption");
  EXPECT_EQ(CellText(Marked), QStringLiteral("&About Quillmate..."));
  EXPECT_FALSE(IsUntranslated(Marked));
  for (const char *Child : {"lblVersion.Caption", "btnClose.Caption"})
    EXPECT_TRUE(IsUntranslated(RowOf(Form, "Dialog.About", Child))) << Child;
  EXPECT_TRUE(IsUntranslated(RowOf(Form, "Constants", "SStatusLines")));
  // The untranslated entries are again where Next Untranslated Item goes.
  SelectRows(Form, {RowOf(Form, "Application.MainForm")});
  ActionNamed(Form, "ActionEditJumpNext")->trigger();
  EXPECT_EQ(TreeOf(Form).currentIndex().siblingAtColumn(0),
            RowOf(Form, "Dialog.About", "lblVersion.Caption"));
}

// ---------------------------------------------------------------------------
// Files that cannot be loaded

enum TFileKind { fkGood, fkMissing, fkMalformed, fkNone };

struct TLoadFailureCase {
  const char *Name;
  TFileKind Source;
  TFileKind Display;
  TFileKind Translation;
  const char *ExpectFile;    // the file the message names, or null
  const char *ExpectMessage; // the message's end
};

class MainFormLoadFailure : public testing::TestWithParam<TLoadFailureCase> {};

TEST_P(MainFormLoadFailure, ClosesTheDocumentNamesTheFileAndChangesNoFile) {
  const TLoadFailureCase &C = GetParam();
  TProjectFolder Folder;
  {
    QFile Bad(Folder.Path("bad.lng"));
    ASSERT_TRUE(Bad.open(QIODevice::WriteOnly));
    Bad.write("LANGID=1031\r\n[Dialog.About]\r\n00000001=a\r\n00000001=b\r\n");
  }
  {
    QFile Bad(Folder.Path("bad.zrlang"));
    ASSERT_TRUE(Bad.open(QIODevice::WriteOnly));
    Bad.write(
        FileBytes(QStringLiteral("[Form1]\nCaption=00000001,A\n\n[$CONSTANTS]\n1x=2\n"), feUtf16));
  }
  const auto Path = [&Folder](TFileKind Kind, const char *Good, const char *Bad) {
    switch (Kind) {
    case fkGood:
      return Folder.Path(Good);
    case fkMissing:
      return Folder.Path("missing.file");
    case fkMalformed:
      return Folder.Path(Bad);
    case fkNone:
      break;
    }
    return QString();
  };
  const QMap<QString, QByteArray> FilesBefore = Folder.Snapshot();

  // An edited document is open; the user declines to save it.
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  ASSERT_TRUE(EditInPlace(Form, RowOf(Form, "Dialog.About", "Caption"), QStringLiteral("X")));
  Form.RealSave = true;
  Form.OpenChosen = true;
  Form.OpenSourcePath = Path(C.Source, "Example.zrlang", "bad.zrlang");
  Form.OpenDisplayPath = Path(C.Display, "Example.ru.lng", "bad.lng");
  Form.OpenTranslationPath = Path(C.Translation, "Example.de.lng", "bad.lng");
  TCapturedMessages Messages;
  AnswerNextMessageBox(QMessageBox::No);
  ActionNamed(Form, "ActionFileOpen")->trigger();

  ASSERT_EQ(Messages.Texts.size(), 1);
  const QString &Message = Messages.Texts.first();
  if (C.ExpectFile) {
    EXPECT_TRUE(Message.contains(Folder.Path(C.ExpectFile))) << Message.toStdString();
  }
  EXPECT_TRUE(Message.endsWith(QString::fromUtf8(C.ExpectMessage))) << Message.toStdString();
  EXPECT_FALSE(Form.HasDocument());
  EXPECT_FALSE(TreeOf(Form).isVisible());
  EXPECT_FALSE(Form.Modified());
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled.lng - Lingrove"));
  EXPECT_EQ(StatusOf(Form), Status(0, 0, 0, 0, 0));
  EXPECT_FALSE(ActionNamed(Form, "ActionFileSave")->isEnabled());
  EXPECT_EQ(Form.SaveDialogShown, 0);
  EXPECT_EQ(Folder.Snapshot(), FilesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainFormLoadFailure,
    testing::Values(
        TLoadFailureCase{"MissingSource", fkMissing, fkNone, fkGood, "missing.file", ""},
        TLoadFailureCase{"MissingDisplay", fkGood, fkMissing, fkGood, "missing.file", ""},
        TLoadFailureCase{"MissingTranslation", fkGood, fkNone, fkMissing, "missing.file", ""},
        TLoadFailureCase{"MalformedSource", fkMalformed, fkNone, fkGood, "bad.zrlang",
                         "Invalid constant name (\"1x\")"},
        TLoadFailureCase{"MalformedDisplay", fkGood, fkMalformed, fkGood, "bad.lng",
                         "Duplicate property value translation ID (1)"},
        TLoadFailureCase{"MalformedTranslation", fkGood, fkNone, fkMalformed, "bad.lng",
                         "Duplicate property value translation ID (1)"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// ---------------------------------------------------------------------------
// Edits are stored as they are and never lost

// Values whose one-line form differs from the value itself.
struct TRawValueCase {
  const char *Name;
  QString Value;
};

class MainFormRawValue : public testing::TestWithParam<TRawValueCase> {};

TEST_P(MainFormRawValue, CopyAndPasteReproduceTheValue) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex From = RowOf(Form, "Dialog.About", "Caption");
  const QModelIndex To = RowOf(Form, "Constants", "SStatusLines");
  ModelOf(Form).SetEntriesValue({From}, GetParam().Value);
  SelectRows(Form, {From});
  ActionNamed(Form, "ActionEditCopy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), GetParam().Value);
  SelectRows(Form, {To});
  ActionNamed(Form, "ActionEditPaste")->trigger();
  EXPECT_EQ(ModelOf(Form).TranslatedValue(To), GetParam().Value);
}

TEST_P(MainFormRawValue, TheMemoStoresWhatIsTyped) {
  const QString Typed = QString(GetParam().Value).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex Row = RowOf(Form, "Dialog.About", "Caption");
  SelectRows(Form, {Row});
  QPlainTextEdit &Memo = MemoOf(Form);
  Memo.setFocus();
  Memo.selectAll();
  Memo.insertPlainText(Typed);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(Row), Typed);
  // Selecting the row again loads what was stored.
  SelectRows(Form, {RowOf(Form, "Dialog.About", "lblVersion.Caption")});
  SelectRows(Form, {Row});
  EXPECT_EQ(Memo.toPlainText(), Typed);
}

INSTANTIATE_TEST_SUITE_P(
    Values, MainFormRawValue,
    testing::Values(TRawValueCase{"BackslashesOfAPath", QStringLiteral("C:\\temp\\new")},
                    TRawValueCase{"EscapesAsText", QStringLiteral("a\\tb\\\\c\\65")},
                    TRawValueCase{"TabsAndLineBreaks", QStringLiteral("Zeile 1\r\nZeile\t2")}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// An in-place edit still open when the user leaves, opens or saves.
struct TPendingEditCase {
  const char *Name;
  const char *Action;
  QMessageBox::StandardButton Answer; // of the save prompt, NoButton for none
  bool ExpectWritten;
};

class MainFormPendingEdit : public testing::TestWithParam<TPendingEditCase> {};

TEST_P(MainFormPendingEdit, IsStoredBeforeTheCheckForChanges) {
  const TPendingEditCase &C = GetParam();
  TProjectFolder Folder;
  const QString Path = Folder.Path("Example.de.lng");
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Path);
  TTestMainForm &Form = *FormPtr;
  Form.RealSave = true;
  const QModelIndex Row = RowOf(Form, "Application.MainForm", "actHelpAbout.Caption");
  SelectRows(Form, {Row});
  QTest::keyClick(&TreeOf(Form), Qt::Key_F2);
  QLineEdit *Editor = OpenEditor(Form);
  ASSERT_NE(Editor, nullptr);
  Editor->selectAll();
  TypeText(Editor, QStringLiteral("&Info..."));
  const int OpenShown = Form.OpenDialogShown;
  QString Prompt;
  if (C.Answer != QMessageBox::NoButton)
    AnswerNextMessageBox(C.Answer, &Prompt);
  const QDateTime Before = QDateTime::currentDateTime();
  ActionNamed(Form, C.Action)->trigger();
  const QDateTime After = QDateTime::currentDateTime();
  EXPECT_EQ(OpenEditor(Form), nullptr);
  EXPECT_EQ(!Prompt.isEmpty(), C.Answer != QMessageBox::NoButton);
  EXPECT_EQ(Form.OpenDialogShown, OpenShown);
  if (C.ExpectWritten) {
    EXPECT_TRUE(FileIs(Path,
                       WithLineAfter(GermanSaved, QStringLiteral("00000012=&Ersetzen..."),
                                     QStringLiteral("00000013=&Info...")),
                       feUtf16, Before, After));
  } else {
    EXPECT_TRUE(Form.isVisible());
    EXPECT_TRUE(Form.Modified());
    EXPECT_EQ(CellText(Row), QStringLiteral("&Info..."));
    EXPECT_FALSE(IsUntranslated(Row));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, MainFormPendingEdit,
    testing::Values(
        TPendingEditCase{"ExitAsks", "ActionFileExit", QMessageBox::Cancel, false},
        TPendingEditCase{"OpenAsks", "ActionFileOpen", QMessageBox::Cancel, false},
        TPendingEditCase{"ExitSavesOnYes", "ActionFileExit", QMessageBox::Yes, true},
        TPendingEditCase{"SaveWritesIt", "ActionFileSave", QMessageBox::NoButton, true}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Ctrl+C in the grid copies only through the Copy action.
struct TGridCopyKeyCase {
  const char *Name;
  const char *Parent;
  const char *Child;
  const char *ExpectClipboard;
};

class MainFormGridCopyKey : public testing::TestWithParam<TGridCopyKeyCase> {};

TEST_P(MainFormGridCopyKey, CopiesOnlyWhereCopyIsEnabled) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  SelectRows(Form, {RowOf(Form, GetParam().Parent, GetParam().Child)});
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  QTest::keyClick(&TreeOf(Form), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(GetParam().ExpectClipboard));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MainFormGridCopyKey,
    testing::Values(TGridCopyKeyCase{"Component", "Dialog.About", nullptr, "kept"},
                    TGridCopyKeyCase{"ConstantsRow", "Constants", nullptr, "kept"},
                    TGridCopyKeyCase{"Constant", "Constants", "SStatusLines", "%d lines"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// The memo's own undo back to the text it showed brings back what the entry
// held, its marks included.
struct TMemoUndoCase {
  const char *Name;
  const char *Parent;
  const char *Child;
};

class MainFormMemoUndo : public testing::TestWithParam<TMemoUndoCase> {};

TEST_P(MainFormMemoUndo, RestoresTheValueAndItsMark) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex Row = RowOf(Form, GetParam().Parent, GetParam().Child);
  const QString Value = ModelOf(Form).TranslatedValue(Row);
  const bool Untranslated = IsUntranslated(Row);
  const QStringList StatusBefore = StatusOf(Form);
  SelectRows(Form, {Row});
  QPlainTextEdit &Memo = MemoOf(Form);
  Memo.setFocus();
  Memo.moveCursor(QTextCursor::End);
  TypeText(&Memo, QStringLiteral("X"));
  ASSERT_FALSE(IsUntranslated(Row));
  ASSERT_EQ(StatusOf(Form) == StatusBefore, !Untranslated);
  QTest::keyClick(&Memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(Row), Value);
  EXPECT_EQ(IsUntranslated(Row), Untranslated);
  EXPECT_EQ(StatusOf(Form), StatusBefore);
  // Redo is an edit again.
  QTest::keyClick(&Memo, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(Row), Value + u'X');
  EXPECT_FALSE(IsUntranslated(Row));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MainFormMemoUndo,
    testing::Values(
        TMemoUndoCase{"UntranslatedSourceText", "Application.MainForm", "actHelpAbout.Caption"},
        TMemoUndoCase{"Translated", "Dialog.OpenFiles", "btnOK.Caption"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Taking the memo's focus on untranslated entries selects their pre-filled
// source text, so typing replaces it; Ctrl+Return marks them translated.
struct TMemoFocusCase {
  const char *Name;
  const char *Parent;
  const char *Child;
  bool ExpectAllSelected;
};

class MainFormMemoFocus : public testing::TestWithParam<TMemoFocusCase> {};

TEST_P(MainFormMemoFocus, SelectsTheSourceTextOfUntranslatedEntries) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex Row = RowOf(Form, GetParam().Parent, GetParam().Child);
  SelectRows(Form, {Row});
  QPlainTextEdit &Memo = MemoOf(Form);
  Memo.setFocus();
  QCoreApplication::processEvents();
  ASSERT_FALSE(Memo.toPlainText().isEmpty());
  EXPECT_EQ(Memo.textCursor().selectedText() == Memo.toPlainText(), GetParam().ExpectAllSelected);
  QTest::keyClick(&Memo, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_FALSE(IsUntranslated(Row));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MainFormMemoFocus,
    testing::Values(
        TMemoFocusCase{"Untranslated", "Application.MainForm", "actHelpAbout.Caption", true},
        TMemoFocusCase{"Translated", "Dialog.OpenFiles", "btnOK.Caption", false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// ---------------------------------------------------------------------------
// Undo and redo: every kind of edit is one step that brings back the texts
// and the translation states of every entry it touched.

struct TUndoCase {
  const char *Name;
  const char *UndoCaption;
  // Rows: Dialog.About Caption and lblVersion.Caption (translated),
  // Constants SStatusLines (untranslated).
  void (*Edit)(TTestMainForm &Form, const QList<QModelIndex> &Rows);
};

class MainFormUndo : public testing::TestWithParam<TUndoCase> {};

TEST_P(MainFormUndo, TakesBackTextsAndStatesInOneStep) {
  const TScopedAcp Acp(1252);
  TProjectFolder Folder;
  auto FormPtr = OpenForm(Folder.Path("Example.zrlang"), Folder.Path("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QList<QModelIndex> Rows = {RowOf(Form, "Dialog.About", "Caption"),
                                   RowOf(Form, "Dialog.About", "lblVersion.Caption"),
                                   RowOf(Form, "Constants", "SStatusLines")};
  const auto Snapshot = [&] {
    QStringList S = StatusOf(Form);
    for (const QModelIndex &Row : Rows)
      S << ModelOf(Form).TranslatedValue(Row) << QString::number(IsUntranslated(Row));
    return S;
  };
  const QStringList Before = Snapshot();
  QAction &Undo = *ActionNamed(Form, "ActionEditUndo");
  QAction &Redo = *ActionNamed(Form, "ActionEditRedo");
  EXPECT_FALSE(Undo.isEnabled());

  GetParam().Edit(Form, Rows);
  const QStringList Edited = Snapshot();
  ASSERT_NE(Edited, Before);
  EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);
  EXPECT_EQ(Undo.text(), QString::fromLatin1(GetParam().UndoCaption));

  TreeOf(Form).setFocus();
  QTest::keyClick(&TreeOf(Form), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Snapshot(), Before);
  EXPECT_EQ(Form.windowTitle(), GermanTitle);
  EXPECT_FALSE(Undo.isEnabled());
  EXPECT_EQ(Redo.text(), QStringLiteral("&Redo") + QString::fromLatin1(GetParam().UndoCaption).mid(5));

  QTest::keyClick(&TreeOf(Form), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Snapshot(), Edited);
  EXPECT_EQ(Form.windowTitle(), GermanModifiedTitle);

  // Undone again, the save writes the file as it was read.
  Undo.trigger();
  QDateTime Start, End;
  ASSERT_TRUE(SaveAs(Form, Folder.Path("undone.lng"), true, Start, End));
  EXPECT_TRUE(FileIs(Folder.Path("undone.lng"), GermanSaved, feUtf16, Start, End));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, MainFormUndo,
    testing::Values(
        TUndoCase{"MemoTyping", "&Undo Typing",
                  [](TTestMainForm &Form, const QList<QModelIndex> &Rows) {
                    SelectRows(Form, Rows);
                    MemoOf(Form).setFocus();
                    TypeText(&MemoOf(Form), QStringLiteral("Neu"));
                  }},
        TUndoCase{"InPlace", "&Undo Edit",
                  [](TTestMainForm &Form, const QList<QModelIndex> &Rows) {
                    EXPECT_TRUE(EditInPlace(Form, Rows[2], QStringLiteral("%d Zeilen")));
                  }},
        TUndoCase{"PasteIntoThreeRows", "&Undo Paste",
                  [](TTestMainForm &Form, const QList<QModelIndex> &Rows) {
                    SelectRows(Form, Rows);
                    QGuiApplication::clipboard()->setText(QStringLiteral("Neu"));
                    ActionNamed(Form, "ActionEditPaste")->trigger();
                  }},
        TUndoCase{"Cut", "&Undo Cut",
                  [](TTestMainForm &Form, const QList<QModelIndex> &Rows) {
                    SelectRows(Form, {Rows[2]});
                    ActionNamed(Form, "ActionEditCut")->trigger();
                  }},
        TUndoCase{"MarkTranslated", "&Undo Mark Item Translated",
                  [](TTestMainForm &Form, const QList<QModelIndex> &Rows) {
                    SelectRows(Form, Rows);
                    ActionNamed(Form, "ActionEditMarkItemTrans")->trigger();
                  }},
        TUndoCase{"CopySource", "&Undo Copy Source to Translation",
                  [](TTestMainForm &Form, const QList<QModelIndex> &Rows) {
                    SelectRows(Form, Rows);
                    QTest::keyClick(&TreeOf(Form), Qt::Key_B, Qt::ControlModifier);
                  }}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Typing merges into one step per entry; Ctrl+Z in the memo first takes back
// keystrokes, then whole document steps.
TEST(MainFormUndoTyping, KeystrokesMergePerEntryAndTheMemoUndoesFirst) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const QModelIndex First = RowOf(Form, "Dialog.About", "Caption");
  const QModelIndex Second = RowOf(Form, "Dialog.About", "lblVersion.Caption");
  const QString FirstValue = ModelOf(Form).TranslatedValue(First);
  const QString SecondValue = ModelOf(Form).TranslatedValue(Second);
  QPlainTextEdit &Memo = MemoOf(Form);
  for (const QModelIndex &Row : {First, Second}) {
    SelectRows(Form, {Row});
    Memo.setFocus();
    Memo.moveCursor(QTextCursor::End);
    TypeText(&Memo, QStringLiteral("abc"));
  }
  QAction &Undo = *ActionNamed(Form, "ActionEditUndo");
  Undo.trigger();
  EXPECT_EQ(ModelOf(Form).TranslatedValue(Second), SecondValue);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(First), FirstValue + QStringLiteral("abc"));
  Undo.trigger();
  EXPECT_EQ(ModelOf(Form).TranslatedValue(First), FirstValue);
  EXPECT_FALSE(Form.Modified());

  // In the memo, Ctrl+Z takes back the memo's own typing first, then steps
  // of the document.
  SelectRows(Form, {First});
  Memo.setFocus();
  TypeText(&Memo, QStringLiteral("abc"));
  SelectRows(Form, {Second});
  Memo.setFocus();
  Memo.moveCursor(QTextCursor::End);
  TypeText(&Memo, QStringLiteral("x"));
  QTest::keyClick(&Memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(Second), SecondValue);
  EXPECT_NE(ModelOf(Form).TranslatedValue(First), FirstValue);
  QTest::keyClick(&Memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ModelOf(Form).TranslatedValue(First), FirstValue);
  EXPECT_EQ(Memo.toPlainText(), SecondValue);
  EXPECT_FALSE(Form.Modified());
}

// Go to ID: the next property with that ID after the current row, wrapping,
// or the constant of that name.
struct TGoToCase {
  const char *Name;
  const char *Key;
  const char *FromParent;
  const char *FromChild;
  const char *ToParent; // null: not found, the current row stays
  const char *ToChild;
};

class MainFormGoTo : public testing::TestWithParam<TGoToCase> {};

TEST_P(MainFormGoTo, SelectsTheNextEntryTheKeyNames) {
  auto FormPtr = OpenForm(Examples + QStringLiteral("Example.zrlang"),
                          Examples + QStringLiteral("Example.de.lng"));
  TTestMainForm &Form = *FormPtr;
  const TGoToCase &C = GetParam();
  const QModelIndex From = RowOf(Form, C.FromParent, C.FromChild);
  SelectRows(Form, {From});
  QString Message;
  AnswerNextDialog<QInputDialog>([&C, &Message](QInputDialog &D) {
    D.setTextValue(QString::fromLatin1(C.Key));
    D.accept();
    if (!C.ToParent)
      AnswerNextMessageBox(QMessageBox::Ok, &Message);
  });
  QTest::keyClick(&TreeOf(Form), Qt::Key_G, Qt::ControlModifier);
  const QModelIndex Expected = C.ToParent ? RowOf(Form, C.ToParent, C.ToChild) : From;
  EXPECT_EQ(TreeOf(Form).currentIndex().siblingAtColumn(0), Expected);
  EXPECT_EQ(TreeOf(Form).selectionModel()->selectedRows(), QModelIndexList{Expected});
  if (!C.ToParent) {
    EXPECT_TRUE(Message.contains(QString::fromLatin1(C.Key))) << Message.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainFormGoTo,
    testing::Values(
        TGoToCase{"IdInTheNextComponent", "5", "Dialog.About", "btnClose.Caption",
                  "Dialog.OpenFiles", "chkReadOnly.Caption"},
        TGoToCase{"IdWrapsAround", " 13 ", "Constants", "SStatusLines", "Application.MainForm",
                  "actHelpAbout.Caption"},
        TGoToCase{"ConstantNameIgnoringCase", "sstatuslines", "Dialog.About", nullptr,
                  "Constants", "SStatusLines"},
        TGoToCase{"Unknown", "777", "Dialog.About", "Caption", nullptr, nullptr}),
    [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
