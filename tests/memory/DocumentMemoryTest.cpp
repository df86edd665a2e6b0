// The memory and the open document: feeding on save, keeping the entries a
// reconciliation removes, pre-translating them back and the marks of
// automatic translations across save and reopen.
#include "Pretranslation.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"
#include "UndoDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Version 2 renames the form Options to Settings and drops constant SOld.
const QByteArray SourceV1 = "[Options]\r\nCaption=1,Options\r\nOk=2,&OK\r\nHint=3,Save the file\r\n"
                            "[Main]\r\nCaption=1,Editor\r\n[$CONSTANTS]\r\nSOld=Old text\r\n";
const QByteArray SourceV2 = "[Settings]\r\nCaption=1,Options\r\nOk=2,&OK\r\nHint=3,Save a file\r\n"
                            "More=4,Nothing like it\r\n[Main]\r\nCaption=1,Editor\r\n"
                            "[$CONSTANTS]\r\nSNew=Old text\r\n";
const QByteArray Translation = "LANGID=1031\r\nSourceLANGID=1033\r\n\r\n[Options]\r\n"
                               "00000001=Optionen\r\n00000002=&OK\r\n00000003=Datei speichern\r\n"
                               "[Main]\r\n00000001=Bearbeiter\r\n[$CONSTANTS]\r\nSOld=Alter Text\r\n";

class DocumentMemoryTest : public testing::Test {
protected:
  QString Write(const QString &Name, const QByteArray &Bytes) const {
    QFile F(Dir.filePath(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
    return F.fileName();
  }
  QTemporaryDir Dir;
};

TEST_F(DocumentMemoryTest, RemovedTranslationsAreKeptAndPretranslatedBackAfterARename) {
  TTranslationMemory Memory(Dir.filePath(u"memory.sqlite"_s));
  const QString Lng = Write(u"app.de.lng"_s, Translation);
  TUndoDocument Doc;
  Doc.SetMemory(&Memory);
  Doc.Load(Write(u"v1.zrlang"_s, SourceV1), QString(), Lng);
  Doc.Save(Lng, true);
  EXPECT_EQ(Memory.Stats().Units, 5);

  // Another program changes one translation of the old form before the rename.
  Doc.Close();
  QByteArray Changed = Translation;
  Changed.replace("=Datei speichern", "=Die Datei speichern");
  Write(u"app.de.lng"_s, Changed);
  Doc.Load(Write(u"v2.zrlang"_s, SourceV2), QString(), Lng);
  EXPECT_EQ(Doc.Reconciliation().KeptInMemory, 4);
  EXPECT_EQ(Doc.Reconciliation().Counts[4], 3);
  EXPECT_EQ(Memory.FindExact(u"en-US"_s, u"de-DE"_s, u"Save the file"_s), u"Die Datei speichern"_s);

  // Stopped by its progress, it changes nothing.
  int Told = 0;
  const TPretranslationCounts Stopped =
      Pretranslate(Doc, &Memory, 0.75, u"Pre-translate"_s, [&Told](int Done, int Total) {
        ++Told;
        return Done > 0 || Total == 0;
      });
  EXPECT_TRUE(Stopped.bCancelled);
  EXPECT_EQ(Told, 1);
  EXPECT_EQ(Doc.UndoStack().count(), 0);

  const TPretranslationCounts Counts = Pretranslate(Doc, &Memory, 0.75, u"Pre-translate"_s);
  EXPECT_EQ(Counts.Exact, 3); // Options, &OK and the renamed constant
  EXPECT_EQ(Counts.Fuzzy, 1); // "Save a file"
  EXPECT_EQ(Doc.UndoStack().count(), 1);
  const TEntryTable &Table = Doc.Entries();
  const int Hint = Doc.FindEntryKey(u"Settings/3"_s), More = Doc.FindEntryKey(u"Settings/4"_s);
  EXPECT_EQ(Table.TranslatedValue(Hint), u"Die Datei speichern"_s);
  EXPECT_TRUE(Table.States(Hint).Contains(zrtsAutotranslated));
  EXPECT_TRUE(Table.States(More).Contains(zrtsUntranslated));

  // Saved and reopened, the filled entries are still to be reviewed, and
  // the memory did not take them as translations of their own.
  const qint64 Units = Memory.Stats().Units;
  Doc.Save(Lng, true);
  EXPECT_EQ(Memory.Stats().Units, Units);
  Doc.Load(Dir.filePath(u"v2.zrlang"_s), QString(), Lng);
  EXPECT_TRUE(Doc.Entries().States(Doc.FindEntryKey(u"Settings/3"_s)).Contains(zrtsAutotranslated));
  EXPECT_TRUE(Doc.Entries().States(Doc.FindEntryKey(u"$CONSTANTS/SNew"_s)).Contains(zrtsAutotranslated));
  EXPECT_FALSE(Doc.Entries().States(Doc.FindEntryKey(u"Main/1"_s)).Contains(zrtsAutotranslated));

  // An edit is a translation of the translator's own: the mark goes.
  Doc.SetValues({Doc.FindEntryKey(u"Settings/3"_s)}, u"Eine Datei speichern"_s, u"Typing"_s);
  Doc.Save(Lng, true);
  EXPECT_EQ(Memory.FindExact(u"en-US"_s, u"de-DE"_s, u"Save a file"_s), u"Eine Datei speichern"_s);
  Doc.Load(Dir.filePath(u"v2.zrlang"_s), QString(), Lng);
  EXPECT_FALSE(Doc.Entries().States(Doc.FindEntryKey(u"Settings/3"_s)).Contains(zrtsAutotranslated));
}

} // namespace
