// Another program changes the open translation: the bar above the grid says
// so and offers to reload; a save over the changed file asks first.
#include "MainFormTestSupport.h"

#include "TranslationDocument.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct TDiskCase {
  const char *Name;
  bool Unsaved;
  const char *Button; // the bar's button clicked; none: save at once
  bool Reloaded;
};

void PrintTo(const TDiskCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class MainFormDiskChange : public testing::TestWithParam<TDiskCase> {};

TEST_P(MainFormDiskChange, OffersToReloadAChangedTranslation) {
  const TDiskCase &C = GetParam();
  QTemporaryDir Dir;
  const QString Translation = Dir.filePath(u"Example.de.lng"_s);
  ASSERT_TRUE(QFile::copy(Examples + u"Example.de.lng"_s, Translation));
  auto FormPtr = NewForm();
  TTestMainForm &Form = *FormPtr;
  Form.LoadTranslation(Examples + u"Example.zrlang"_s, QString(), Translation);
  if (C.Unsaved)
    Form.Document().SetValues({Form.Document().FindEntryKey(u"Application.MainForm/3"_s)},
                              u"Meins"_s, u"Typing"_s);
  {
    QFile F(Translation);
    ASSERT_TRUE(F.open(QIODevice::Append));
    F.write("\r\n");
  }
  auto *Bar = Form.findChild<QWidget *>(u"DiskChangeBar"_s);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Bar->isHidden(); }, 5000));
  EXPECT_EQ(Form.findChild<QLabel *>(u"DiskChangeMessage"_s)->text().contains(u"not saved"),
            C.Unsaved);
  Form.RealSave = true;
  if (C.Button == nullptr) {
    // Saving before the bar is answered asks first; No keeps the file.
    QString Text;
    AnswerNextMessageBox(QMessageBox::No, &Text);
    EXPECT_FALSE(Form.SaveTranslation(false));
    EXPECT_TRUE(Text.contains(u"Example.de.lng")) << Text.toStdString();
    return;
  }
  Form.findChild<QPushButton *>(QLatin1StringView(C.Button))->click();
  EXPECT_TRUE(Bar->isHidden());
  EXPECT_EQ(Form.Modified(), C.Unsaved && !C.Reloaded);
  // Keep Mine: the next save overwrites without asking.
  if (!C.Reloaded) {
    EXPECT_TRUE(Form.SaveTranslation(false));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainFormDiskChange,
    testing::Values(TDiskCase{"ReloadClean", false, "DiskChangeReload", true},
                    TDiskCase{"ReloadDiscardsEdits", true, "DiskChangeReload", true},
                    TDiskCase{"KeepMine", true, "DiskChangeKeep", false},
                    TDiskCase{"SaveAsksFirst", true, nullptr, false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
