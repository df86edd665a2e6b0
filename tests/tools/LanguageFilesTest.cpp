// The committed language files of the program: the forms' language data and
// Lingrove.zrlang must be what the language tool makes of the current forms,
// and every shipped translation must cover exactly that language source.
#include "AppConstants.h"
#include "LangSource.h"
#include "Translations.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString &FileName) {
  QFile F(FileName);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

QStringList LangDataFiles(const QString &Dir) {
  return QDir(Dir).entryList({QStringLiteral("*.langdata")}, QDir::Files, QDir::Name);
}

const QString SourceDir = QStringLiteral(LINGROVE_SOURCE_DIR);

TEST(LanguageFiles, CommittedOutputsMatchTheForms) {
  QTemporaryDir Out;
  ASSERT_TRUE(Out.isValid());
  QProcess Tool;
  Tool.start(
      QStringLiteral(LINGROVE_LANGTOOL_PATH),
      {Out.filePath(QStringLiteral("Lingrove.zrlang")), Out.filePath(QStringLiteral("langdata"))});
  ASSERT_TRUE(Tool.waitForFinished(60000));
  ASSERT_EQ(Tool.exitCode(), 0) << Tool.readAllStandardError().toStdString();

  const QString Hint =
      QStringLiteral("stale: run scripts/update-language-files and commit its outputs");
  EXPECT_EQ(ReadAll(Out.filePath(QStringLiteral("Lingrove.zrlang"))),
            ReadAll(SourceDir + QStringLiteral("/languages/Lingrove.zrlang")))
      << Hint.toStdString();
  const QString Committed = SourceDir + QStringLiteral("/src/ui/langdata");
  const QString Generated = Out.filePath(QStringLiteral("langdata"));
  ASSERT_EQ(LangDataFiles(Generated), LangDataFiles(Committed)) << Hint.toStdString();
  for (const QString &Name : LangDataFiles(Generated))
    EXPECT_EQ(ReadAll(Generated + u'/' + Name), ReadAll(Committed + u'/' + Name))
        << Name.toStdString() << ": " << Hint.toStdString();
}

class ShippedTranslation : public testing::TestWithParam<const char *> {};

TEST_P(ShippedTranslation, CoversTheLanguageSourceExactly) {
  const TLangSource Source(SourceDir + QStringLiteral("/languages/Lingrove.zrlang"));
  TZrLang_CompTranslations Translation;
  Translation.Text_LoadFromFile(
      SourceDir + QStringLiteral("/languages/") + QString::fromLatin1(GetParam()), false);
  EXPECT_NE(Translation.LangID(), 1033);
  int AddedComps, AddedProps, AddedConsts, RemovedComps, RemovedProps, RemovedConsts;
  int Comps, Props, Consts;
  const QString Log =
      Source.CompareStructureWith(Translation, AddedComps, AddedProps, AddedConsts, RemovedComps,
                                  RemovedProps, RemovedConsts, Comps, Props, Consts);
  EXPECT_TRUE(Log.isEmpty()) << Log.toStdString();
  EXPECT_EQ(Consts, int(AppConstants().size()));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedTranslation,
                         testing::Values("German.lng", "Russian.lng"));

} // namespace
