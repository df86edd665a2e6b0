// Opening from the command line and by dropping files on the window.
#include "MainFormTestSupport.h"

#include "EntryTreeModel.h"
#include "StartArguments.h"
#include "TranslationDocument.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

namespace {

struct TArgsCase {
  const char *Name;
  QStringList Args;
  int Status;
  const char *Source, *Display, *Translation; // file names, "" for none
  const char *Printed; // a text of the output (status 0) or error (64)
};

class StartArguments : public testing::TestWithParam<TArgsCase> {};

TEST_P(StartArguments, NameTheFilesOrEndTheProgram) {
  const TArgsCase &C = GetParam();
  TStartFiles Files;
  QString Out, Err;
  QTextStream OutStream(&Out), ErrStream(&Err);
  EXPECT_EQ(ParseStartArguments(QStringList{QStringLiteral("lingrove")} + C.Args, Files, OutStream,
                                ErrStream),
            C.Status);
  const auto Named = [](const QString &Path) {
    return Path.isEmpty() ? QString() : QFileInfo(Path).fileName();
  };
  if (C.Status < 0) {
    EXPECT_EQ(Named(Files.Source), QLatin1StringView(C.Source));
    EXPECT_EQ(Named(Files.Display), QLatin1StringView(C.Display));
    EXPECT_EQ(Named(Files.Translation), QLatin1StringView(C.Translation));
    EXPECT_TRUE(QFileInfo(Files.Source).isAbsolute() || Files.Source.isEmpty());
  }
  const QString &Printed = C.Status == 64 ? Err : Out;
  EXPECT_TRUE(Printed.contains(QLatin1StringView(C.Printed))) << Printed.toStdString();
  EXPECT_EQ(C.Status == 64 ? Out : Err, QString());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StartArguments,
    testing::Values(
        TArgsCase{"Nothing", {}, -1, "", "", "", ""},
        TArgsCase{"SourceAlone", {QStringLiteral("a.zrlang")}, -1, "a.zrlang", "", "", ""},
        TArgsCase{"SourceAndTranslation", {QStringLiteral("a.zrlang"), QStringLiteral("b.lng")}, -1,
                  "a.zrlang", "", "b.lng", ""},
        TArgsCase{"TranslationAlone", {QStringLiteral("b.LNG")}, -1, "", "", "b.LNG", ""},
        TArgsCase{"WithDisplay",
                  {QStringLiteral("--display"), QStringLiteral("d.lng"), QStringLiteral("a.zrlang"),
                   QStringLiteral("b.lng")},
                  -1, "a.zrlang", "d.lng", "b.lng", ""},
        TArgsCase{"Help", {QStringLiteral("--help")}, 0, "", "", "", "--display"},
        TArgsCase{"Version", {QStringLiteral("--version")}, 0, "", "", "", "\n"},
        TArgsCase{"UnknownOption", {QStringLiteral("--bogus")}, 64, "", "", "", "bogus"},
        TArgsCase{"DisplayWithoutFile", {QStringLiteral("--display")}, 64, "", "", "", "display"},
        TArgsCase{"TooManyFiles",
                  {QStringLiteral("a.zrlang"), QStringLiteral("b.lng"), QStringLiteral("c.lng")},
                  64, "", "", "", "c.lng"}),
    [](const auto &Info) { return std::string(Info.param.Name); });

QString CurrentTitle(QWidget &Form) {
  return Form.windowTitle();
}

// A translation that does not exist yet starts a new one, proposed under its
// name when saving.
TEST(MainFormStart, AMissingTranslationStartsANewOneUnderItsName) {
  QTemporaryDir Dir;
  const QString Path = Dir.filePath(QStringLiteral("Neu.lng"));
  auto Form = NewForm();
  Form->OpenFiles({Examples + QStringLiteral("Example.zrlang"), QString(), Path});
  ASSERT_TRUE(Form->HasDocument());
  EXPECT_EQ(CurrentTitle(*Form), QStringLiteral("Neu.lng - Lingrove"));
  Form->PropertiesLangID = 1031;
  Form->SaveCancelled = true;
  Form->RealSave = true;
  EXPECT_FALSE(Form->SaveTranslation(false));
  EXPECT_EQ(Form->ProposedPath, Path);
  EXPECT_FALSE(QFileInfo::exists(Path));
}

// Dropping a source and a translation opens them, after the question about
// unsaved changes; Cancel keeps what is open.
struct TDropCase {
  const char *Name;
  QMessageBox::StandardButton Answer; // NoButton: nothing unsaved
  bool ExpectOpened;
};

class MainFormDrop : public testing::TestWithParam<TDropCase> {};

TEST_P(MainFormDrop, OpensTheDroppedProject) {
  auto Form = NewForm();
  Form->show();
  Form->OpenFiles({Examples + QStringLiteral("Example.zrlang"), QString(),
                   Examples + QStringLiteral("Example.de.lng")});
  ASSERT_TRUE(Form->HasDocument());
  if (GetParam().Answer != QMessageBox::NoButton)
    Form->SetModified(true);
  QMimeData Data;
  Data.setUrls({QUrl::fromLocalFile(Examples + QStringLiteral("Example.ru.lng")),
                QUrl::fromLocalFile(Examples + QStringLiteral("Example.zrlang"))});
  QDragEnterEvent Enter(QPoint(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Form.get(), &Enter);
  EXPECT_TRUE(Enter.isAccepted());
  QDropEvent Drop(QPointF(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Form.get(), &Drop);
  // The drop opens once the drag has ended, then asks.
  if (GetParam().Answer != QMessageBox::NoButton)
    AnswerNextMessageBox(GetParam().Answer);
  QCoreApplication::processEvents();
  EXPECT_EQ(QFileInfo(Form->TranslationFilename()).fileName(),
            GetParam().ExpectOpened ? QStringLiteral("Example.ru.lng")
                                    : QStringLiteral("Example.de.lng"));
}

INSTANTIATE_TEST_SUITE_P(Answers, MainFormDrop,
                         testing::Values(TDropCase{"NothingUnsaved", QMessageBox::NoButton, true},
                                         TDropCase{"No", QMessageBox::No, true},
                                         TDropCase{"Cancel", QMessageBox::Cancel, false}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
namespace {

// File > Recent Projects lists what was opened, most recent first, and
// reopens it with its display translation.
TEST(MainFormRecentProjects, ListsAndReopensTheProjects) {
  auto Form = NewForm();
  const QString Source = Examples + QStringLiteral("Example.zrlang");
  Form->OpenFiles({Source, Examples + QStringLiteral("Example.de.lng"),
                   Examples + QStringLiteral("Example.ru.lng")});
  Form->OpenFiles({Source, QString(), Examples + QStringLiteral("Example.de.lng")});
  Form->BuildRecentProjectsMenu();
  auto *Menu = Form->findChild<QMenu *>(QStringLiteral("MenuRecentProjects"));
  ASSERT_NE(Menu, nullptr);
  QStringList Items;
  for (QAction *A : Menu->actions())
    Items << A->text();
  ASSERT_GE(Items.size(), 2);
  EXPECT_EQ(Items.mid(0, 2), (QStringList{QStringLiteral("&1 Example.de.lng (Example.zrlang)"),
                                          QStringLiteral("&2 Example.ru.lng (Example.zrlang)")}));
  Menu->actions().at(1)->trigger();
  EXPECT_EQ(QFileInfo(Form->TranslationFilename()).fileName(), QStringLiteral("Example.ru.lng"));
  EXPECT_EQ(Form->Document().DisplayFilename(), Examples + QStringLiteral("Example.de.lng"));
}

} // namespace
