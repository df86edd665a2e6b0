// The About dialog: the version it shows, the licence link and the opener it
// calls, the ways it closes, its captions in the shipped languages and a size
// that holds them.
#include "AboutDialog.h"

#include "AboutBanner.h"
#include "DialogButtons.h"
#include "LinkLabel.h"
#include "UrlOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "DialogsTestSupport.h"

namespace {

// The application's version for as long as the object lives.
class TAppVersion {
public:
  explicit TAppVersion(const QString &Version) : FOld(QCoreApplication::applicationVersion()) {
    QCoreApplication::setApplicationVersion(Version);
  }
  ~TAppVersion() { QCoreApplication::setApplicationVersion(FOld); }

private:
  QString FOld;
};

// Records the addresses handed to the desktop instead of opening them.
class TOpenedUrls {
public:
  TOpenedUrls()
      : FOld(SetUrlOpener([this](const QUrl &Url) {
          Urls.append(Url);
          return true;
        })) {}
  ~TOpenedUrls() { SetUrlOpener(FOld); }

  QList<QUrl> Urls;

private:
  TUrlOpener FOld;
};

// A program folder with or without a licence file.
class TProgramFolder {
public:
  explicit TProgramFolder(bool bWithLicense) {
    if (bWithLicense) {
      QFile License(LicenseFile());
      EXPECT_TRUE(License.open(QIODevice::WriteOnly));
      License.write("End User License Agreement\n");
    }
  }
  QString Path() const { return FDir.path(); }
  QString LicenseFile() const { return FDir.filePath(QStringLiteral("License.txt")); }

private:
  QTemporaryDir FDir;
};

// Runs the dialog modally, lets Act close it and tells what exec answered;
// -1 when Act left it open.
int RunModal(TUIAboutDialog &Dialog, std::function<void(TUIAboutDialog &)> Act) {
  AnswerNextDialog<TUIAboutDialog>([Act](TUIAboutDialog &D) {
    Act(D);
    QTimer::singleShot(50, &D, [&D] {
      if (D.isVisible())
        D.done(-1);
    });
  });
  return Dialog.exec();
}

TEST(AboutDialog, ShowsTheApplicationVersionAfterItsCaption) {
  for (const QString &Version : {QStringLiteral("5.0.0.0"), QStringLiteral("12.30.4.5678")}) {
    const TAppVersion App(Version);
    const auto D = CreateForm<TUIAboutDialog>();
    D->show();
    EXPECT_EQ(D->VersionLabel->text(), QStringLiteral("Version:"));
    EXPECT_EQ(D->VersionNumberLabel->text(), Version);
    // On one line, the number after the caption with the width of a blank
    // between them.
    EXPECT_EQ(D->VersionNumberLabel->y(), D->VersionLabel->y());
    EXPECT_EQ(D->VersionNumberLabel->x() - D->VersionLabel->geometry().right() - 1,
              D->fontMetrics().horizontalAdvance(u' '));
  }
}

TEST(AboutDialog, ShowsTitleMakerAndOneOKButton) {
  const auto D = CreateForm<TUIAboutDialog>();
  EXPECT_EQ(D->objectName(), QStringLiteral("UI.Dialog.About"));
  EXPECT_EQ(D->windowTitle(), QStringLiteral("About Lingrove"));
  EXPECT_EQ(TAboutBanner::Title(), QStringLiteral("Lingrove"));
  EXPECT_EQ(D->MakerLabel->text(), QStringLiteral("Brisel Solutions"));
  EXPECT_FALSE(D->SavePosition());
  EXPECT_FALSE(D->ShowSizeGrip());
  EXPECT_TRUE(D->DialogButtons->ShowOKButton());
  EXPECT_FALSE(D->DialogButtons->ShowCancelButton());
  EXPECT_FALSE(D->DialogButtons->ShowApplyButton());
  EXPECT_FALSE(D->DialogButtons->ShowHelpButton());
  EXPECT_EQ(D->DialogButtons->CaptionOk(), QStringLiteral("OK"));
  D->show();
  EXPECT_EQ(D->focusWidget(), D->DialogButtons->BtnOK());
  EXPECT_EQ(D->minimumSize(), D->maximumSize());
  // The picture spans the dialog and has room for the name.
  EXPECT_EQ(D->TitlePicture->geometry(), QRect(0, 0, D->width(), D->TitlePicture->height()));
  EXPECT_GE(D->TitlePicture->height(), 3 * D->fontMetrics().height());
}

TEST(AboutDialog, LicenseLinkOnlyWhenTheFileIsAFile) {
  const struct {
    const char *Name;
    bool bFile, bFolder, bShown;
  } Cases[] = {
      {"file", true, false, true},
      {"missing", false, false, false},
      {"folder of that name", false, true, false},
  };
  for (const auto &C : Cases) {
    const TProgramFolder Folder(C.bFile);
    if (C.bFolder) {
      ASSERT_TRUE(QDir(Folder.Path()).mkdir(QStringLiteral("License.txt")));
    }
    const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
    D->show();
    EXPECT_EQ(D->LicenseFile(), Folder.LicenseFile()) << C.Name;
    EXPECT_EQ(D->LicenseLink->isVisible(), C.bShown) << C.Name;
    EXPECT_EQ(D->LicenseLink->text(), QStringLiteral("View the End User License Agreement"));
  }
}

TEST(AboutDialog, LicenseFileLiesBesideTheProgramByDefault) {
  const auto D = CreateForm<TUIAboutDialog>();
  EXPECT_EQ(D->LicenseFile(),
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("License.txt")));
}

TEST(AboutDialog, ActivatingTheLinkOpensTheLicenseAndKeepsTheDialog) {
  using TAct = std::function<void(TUIAboutDialog &)>;
  const struct {
    const char *Name;
    TAct Act;
    int Opened;
  } Cases[] = {
      {"left click", [](TUIAboutDialog &D) { QTest::mouseClick(D.LicenseLink, Qt::LeftButton); },
       1},
      {"right click", [](TUIAboutDialog &D) { QTest::mouseClick(D.LicenseLink, Qt::RightButton); },
       0},
      {"press, then release outside",
       [](TUIAboutDialog &D) {
         QTest::mousePress(D.LicenseLink, Qt::LeftButton);
         QTest::mouseRelease(D.LicenseLink, Qt::LeftButton, {},
                             QPoint(-5, D.LicenseLink->height() / 2));
       },
       0},
      {"Space while focused",
       [](TUIAboutDialog &D) {
         D.LicenseLink->setFocus();
         QTest::keyClick(D.LicenseLink, Qt::Key_Space);
       },
       1},
      {"Return while focused",
       [](TUIAboutDialog &D) {
         D.LicenseLink->setFocus();
         QTest::keyClick(D.LicenseLink, Qt::Key_Return);
       },
       1},
  };
  for (const auto &C : Cases) {
    const TProgramFolder Folder(true);
    const TOpenedUrls Opened;
    const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
    EXPECT_EQ(RunModal(*D, C.Act), -1) << C.Name;
    ASSERT_EQ(Opened.Urls.size(), C.Opened) << C.Name;
    if (C.Opened) {
      EXPECT_EQ(Opened.Urls.at(0), QUrl::fromLocalFile(Folder.LicenseFile())) << C.Name;
    }
  }
}

TEST(AboutDialog, TabReachesTheLinkThenTheButton) {
  const TProgramFolder Folder(true);
  const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
  D->show();
  QApplication::setActiveWindow(D.get());
  D->LicenseLink->setFocus();
  QTest::keyClick(D->LicenseLink, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), D->DialogButtons->BtnOK());
}

TEST(AboutDialog, ClosesWithOKEnterAndEscape) {
  using TAct = std::function<void(TUIAboutDialog &)>;
  const struct {
    const char *Name;
    TAct Act;
    int Result;
  } Cases[] = {
      {"OK", [](TUIAboutDialog &D) { QTest::mouseClick(D.DialogButtons->BtnOK(), Qt::LeftButton); },
       mrOk},
      {"Enter", [](TUIAboutDialog &D) { QTest::keyClick(D.focusWidget(), Qt::Key_Enter); }, mrOk},
      {"Return", [](TUIAboutDialog &D) { QTest::keyClick(D.focusWidget(), Qt::Key_Return); }, mrOk},
      {"Escape", [](TUIAboutDialog &D) { QTest::keyClick(D.focusWidget(), Qt::Key_Escape); },
       mrCancel},
      {"Escape on the link",
       [](TUIAboutDialog &D) {
         D.LicenseLink->setFocus();
         QTest::keyClick(D.LicenseLink, Qt::Key_Escape);
       },
       mrCancel},
  };
  for (const auto &C : Cases) {
    const TProgramFolder Folder(true);
    const TOpenedUrls Opened;
    const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
    EXPECT_EQ(RunModal(*D, C.Act), C.Result) << C.Name;
    EXPECT_TRUE(Opened.Urls.isEmpty()) << C.Name;
  }
}

TEST(AboutDialog, ExecuteShowsItModallyUntilClosed) {
  bool bShown = false;
  AnswerNextDialog<TUIAboutDialog>([&bShown](TUIAboutDialog &D) {
    bShown = true;
    EXPECT_TRUE(D.isModal());
    QTest::mouseClick(D.DialogButtons->BtnOK(), Qt::LeftButton);
  });
  TUIAboutDialog::Execute(nullptr);
  EXPECT_TRUE(bShown);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

struct TCaptions {
  quint16 LangID;
  const char *Title;
  const char *Version;
  const char *Link;
  const char *OK;
};

void PrintTo(const TCaptions &C, std::ostream *Os) {
  *Os << C.LangID;
}

const TCaptions ShippedCaptions[] = {
    {1033, "About Lingrove", "Version:", "View the End User License Agreement", "OK"},
    {1031, "Über Lingrove", "Version:", "Endbenutzer-Lizenzvertrag anzeigen", "OK"},
    {1049, "О программе Lingrove", "Версия:", "Просмотреть лицензионное соглашение", "ОК"},
};

void ExpectCaptions(const TUIAboutDialog &D, const TCaptions &C) {
  EXPECT_EQ(D.windowTitle(), QString::fromUtf8(C.Title)) << C.LangID;
  EXPECT_EQ(D.VersionLabel->text(), QString::fromUtf8(C.Version)) << C.LangID;
  EXPECT_EQ(D.LicenseLink->text(), QString::fromUtf8(C.Link)) << C.LangID;
  EXPECT_EQ(D.DialogButtons->CaptionOk(), QString::fromUtf8(C.OK)) << C.LangID;
  EXPECT_EQ(D.MakerLabel->text(), QStringLiteral("Brisel Solutions")) << C.LangID;
}

// Every visible control lies inside the dialog and is at least as large as
// it asks to be.
void ExpectNothingClipped(const TUIAboutDialog &D, quint16 LangID) {
  for (QWidget *W : D.findChildren<QWidget *>()) {
    if (!W->isVisible())
      continue;
    const std::string Name = W->objectName().toStdString();
    const QRect InDialog(W->mapTo(&D, QPoint()), W->size());
    EXPECT_TRUE(D.rect().contains(InDialog)) << Name << ' ' << LangID;
    if (qobject_cast<QLabel *>(W) || qobject_cast<TAboutBanner *>(W)) {
      EXPECT_GE(W->width(), W->sizeHint().width()) << Name << ' ' << LangID;
      EXPECT_GE(W->height(), W->sizeHint().height()) << Name << ' ' << LangID;
    }
  }
  // The bar sizes its buttons by its own rule for the caption.
  const TButton *OK = D.DialogButtons->BtnOK();
  EXPECT_GE(OK->width(), D.DialogButtons->CalcButtonWidth(OK->text())) << LangID;
}

TEST(AboutDialog, GrowsForACaptionWiderThanThePicture) {
  const TProgramFolder Folder(true);
  const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
  D->show();
  const QSize Before = D->size();
  D->LicenseLink->setText(D->LicenseLink->text().repeated(3));
  // The caption asks its panel, and the panel the dialog, for a new layout.
  EXPECT_TRUE(QTest::qWaitFor([&] { return D->width() > Before.width(); }, 1000));
  EXPECT_EQ(D->height(), Before.height());
  ExpectNothingClipped(*D, 1033);
}

class AboutDialogLanguage : public testing::TestWithParam<TCaptions> {};

TEST_P(AboutDialogLanguage, CaptionsAreTranslatedAndNotClipped) {
  const TCaptions &C = GetParam();
  const TInterfaceLanguage Language(C.LangID);
  const TProgramFolder Folder(true);
  const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
  D->show();
  ExpectCaptions(*D, C);
  ExpectNothingClipped(*D, C.LangID);
}

TEST_P(AboutDialogLanguage, SwitchingTheLanguageOfAnOpenDialogRetranslatesAndRefits) {
  const TCaptions &C = GetParam();
  const TProgramFolder Folder(true);
  const auto D = CreateForm<TUIAboutDialog>(nullptr, Folder.Path());
  D->show();
  ExpectCaptions(*D, ShippedCaptions[0]);
  {
    const TInterfaceLanguage Language(C.LangID);
    QCoreApplication::processEvents();
    ExpectCaptions(*D, C);
    ExpectNothingClipped(*D, C.LangID);
  }
  QCoreApplication::processEvents();
  ExpectCaptions(*D, ShippedCaptions[0]);
  ExpectNothingClipped(*D, 1033);
}

INSTANTIATE_TEST_SUITE_P(Shipped, AboutDialogLanguage, testing::ValuesIn(ShippedCaptions),
                         [](const testing::TestParamInfo<TCaptions> &Info) {
                           return std::to_string(Info.param.LangID);
                         });

} // namespace
