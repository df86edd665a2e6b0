// File > Export and File > Import on the example project with its German
// translation.
#include "MainFormTestSupport.h"

#include "EntryTreeModel.h"
#include "TranslationDocument.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QUndoStack>

namespace {

QByteArray ReadAll(const QString &Path) {
  QFile File(Path);
  EXPECT_TRUE(File.open(QIODevice::ReadOnly));
  return File.readAll();
}

TEST(MainFormExchange, ImportIsOneUndoStepAndNamesTheUnmatchedUnits) {
  QTemporaryDir Dir;
  auto Form = NewForm();
  Form->LoadTranslation(Examples + QStringLiteral("Example.zrlang"), QString(),
                        Examples + QStringLiteral("Example.de.lng"));
  const QString Xliff = Dir.filePath(QStringLiteral("de.xlf"));
  Form->ExchangePath = Xliff;
  ActionNamed(*Form, "ActionFileExport")->trigger();
  EXPECT_EQ(Form->ExchangeProposedPath, Examples + QStringLiteral("Example.de.xlf"));
  QByteArray Text = ReadAll(Xliff);
  ASSERT_TRUE(Text.contains(R"(target-language="de-DE")")) << Text.constData();

  // A CAT tool's answer: one unit changed, one needing review, one that the
  // source no longer has.
  const QByteArray Saved = "<target state=\"translated\">&amp;Speichern</target>";
  ASSERT_TRUE(Text.contains(Saved));
  Text.replace(Saved, "<target state=\"translated\">&amp;Sichern</target>");
  Text.replace("<target state=\"translated\">&amp;Datei</target>",
               "<target state=\"needs-review-translation\">Da&amp;tei</target>");
  Text.replace("</body>", "<group><trans-unit id=\"Dialog.Export:1\"><source>Export</source>"
                          "<target state=\"translated\">Exportieren</target></trans-unit>"
                          "</group></body>");
  QFile File(Xliff);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.write(Text);
  File.close();

  TTranslationDocument &Doc = Form->Document();
  const int Before = Form->UndoStack().count();
  QString Message;
  AnswerNextMessageBox(QMessageBox::Ok, &Message);
  ActionNamed(*Form, "ActionFileImport")->trigger();
  EXPECT_TRUE(Message.startsWith(QStringLiteral("Took 39 units from "))) << Message.toStdString();
  EXPECT_TRUE(Message.endsWith(QStringLiteral("1 units match no entry of the language source:"
                                              "\r\nDialog.Export:1")))
      << Message.toStdString();
  EXPECT_EQ(Form->UndoStack().count(), Before + 1);
  EXPECT_TRUE(Form->Modified());

  const TEntryTable &Table = Doc.Entries();
  const int Save = Table.FindByKey(QStringLiteral("8"), -1);
  const int FileMenu = Table.FindByKey(QStringLiteral("14"), -1);
  EXPECT_EQ(Table.TranslatedValue(Save), QStringLiteral("&Sichern"));
  EXPECT_EQ(Table.TranslatedValue(FileMenu), QStringLiteral("Da&tei"));
  EXPECT_TRUE(Table.States(FileMenu).Contains(zrtsAutotranslated));

  ActionNamed(*Form, "ActionEditUndo")->trigger();
  EXPECT_EQ(Table.TranslatedValue(Save), QStringLiteral("&Speichern"));
  EXPECT_EQ(Table.TranslatedValue(FileMenu), QStringLiteral("&Datei"));
  EXPECT_TRUE(Table.States(FileMenu).IsEmpty());
  EXPECT_FALSE(Form->Modified());
}

} // namespace
