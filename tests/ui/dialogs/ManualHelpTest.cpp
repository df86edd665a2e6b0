// The dialogs' Help buttons against the manual as the build made it: each
// names a section that exists, and without a manual beside the program the
// user is told where it was looked for.
#include "Action.h"
#include "CoreApplication.h"
#include "DifferencesDialog.h"
#include "ManualFolders.h"
#include "ManualHelp.h"
#include "OpenFilesDialog.h"
#include "OptionsDialog.h"
#include "PretranslateDialog.h"
#include "TransPropsDialog.h"
#include "UrlOpener.h"

#include <QCoreApplication>
#include <QFile>
#include <functional>
#include <memory>

#include "DialogsTestSupport.h"

namespace {

struct THelpCase {
  const char *Dialog;
  std::function<std::unique_ptr<TUIBaseDialog>()> Create;
};

template <typename T> std::unique_ptr<TUIBaseDialog> Created() {
  return std::unique_ptr<TUIBaseDialog>(CreateForm<T>().release());
}

const THelpCase HelpCases[] = {
    {"OpenFiles", Created<TUIOpenFilesDialog>},
    {"TransProps", Created<TUITransPropsDialog>},
    {"Differences", Created<TUIDifferencesDialog>},
    {"Options", Created<TUIOptionsDialog>},
    {"Pretranslate", Created<TUIPretranslateDialog>},
};

QString ManualPage(const QUrl &Url) {
  QFile File(Url.toLocalFile());
  return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()) : QString();
}

TEST(ManualHelp, EveryDialogHelpButtonOpensASectionOfTheBuiltManual) {
  for (const THelpCase &C : HelpCases) {
    const std::unique_ptr<TUIBaseDialog> D = C.Create();
    EXPECT_TRUE(D->DialogButtons->ShowHelpButton()) << C.Dialog;
    EXPECT_TRUE(D->ActionHelp->isEnabled()) << C.Dialog;
    const QUrl Url = ManualTopicUrl(QStringLiteral(LINGROVE_PROGRAM_DIR), D->HelpTopic());
    ASSERT_FALSE(Url.isEmpty()) << C.Dialog << ": no page for " << D->HelpTopic().toStdString();
    ASSERT_FALSE(Url.fragment().isEmpty()) << C.Dialog;
    EXPECT_TRUE(ManualPage(Url).contains(QStringLiteral("id=\"%1\"").arg(Url.fragment())))
        << C.Dialog << ": no section " << D->HelpTopic().toStdString();
  }
  const QUrl Start =
      ManualTopicUrl(QStringLiteral(LINGROVE_PROGRAM_DIR), QString::fromUtf16(ManualStartTopic));
  EXPECT_TRUE(Start.isLocalFile());
  EXPECT_TRUE(Start.fragment().isEmpty());
}

TEST(ManualHelp, WithoutAManualHelpNamesTheFoldersAndOpensNothing) {
  // The test program's folder holds no manual, nor does its data folder.
  QStringList Messages;
  const TMessageBoxHandler OldBoxes = SetMessageBoxHandler(
      [&](TMessageBoxKind, const QString &, const QString &Text) { Messages.append(Text); });
  QList<QUrl> Opened;
  const TUrlOpener OldOpener = SetUrlOpener([&](const QUrl &Url) {
    Opened.append(Url);
    return true;
  });
  auto D = CreateForm<TUIOpenFilesDialog>();
  D->ActionHelp->trigger();
  SetUrlOpener(OldOpener);
  SetMessageBoxHandler(OldBoxes);

  EXPECT_TRUE(Opened.isEmpty());
  ASSERT_EQ(Messages.size(), 1);
  EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("The Lingrove manual was not found.")));
  for (const QString &Folder : ManualFolderCandidates(QCoreApplication::applicationDirPath()))
    EXPECT_TRUE(Messages[0].contains(Folder)) << Folder.toStdString();
}

} // namespace
