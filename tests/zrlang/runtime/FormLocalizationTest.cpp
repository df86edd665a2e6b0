#include "AppConstants.h"
#include "Exceptions.h"
#include "Localization.h"
#include "RuntimeTestObjects.h"
#include "Translations.h"

#include <QPointer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QStringList EnglishTexts = {QStringLiteral("Settings"),
                                  QStringLiteral("Totals"),
                                  QStringLiteral("Count:"),
                                  QStringLiteral("&Reset"),
                                  QStringLiteral("Changes apply at once."),
                                  QStringLiteral("OK"),
                                  QStringLiteral("Cancel"),
                                  QStringLiteral("Refresh")};

const QStringList GermanTexts = {QStringLiteral("Einstellungen"),
                                 QStringLiteral("Summen"),
                                 QStringLiteral("Anzahl:"),
                                 QStringLiteral("&Zur\u00FCcksetzen"),
                                 QStringLiteral("\u00C4nderungen gelten sofort."),
                                 QStringLiteral("Okay"),
                                 QStringLiteral("Abbrechen"),
                                 QStringLiteral("Aktualisieren")};

const QStringList SourceLines = {QStringLiteral("windowTitle=00000001,Settings"),
                                 QStringLiteral("TotalsGroupBox.title=00000002,Totals"),
                                 QStringLiteral("TotalsGroupBox.CountLabel.text=00000003,Count:"),
                                 QStringLiteral("TotalsGroupBox.ResetButton.text=00000004,&Reset"),
                                 QStringLiteral("HintLabel.text=00000005,Changes apply at once."),
                                 QStringLiteral("OKButton.text=00000006,OK"),
                                 QStringLiteral("CancelButton.text=00000007,Cancel"),
                                 QStringLiteral("RefreshAction.text=00000008,Refresh")};

QString GermanText(const QString &Title) {
  return QStringLiteral("LANGID=1031\r\n\r\n[SettingsDialog]\r\n00000001=") + Title +
         QStringLiteral(
             "\r\n00000002=Summen\r\n00000003=Anzahl:\r\n"
             "00000004=&Zur\u00FCcksetzen\r\n"
             "00000005=\u00C4nderungen gelten sofort.\r\n00000006=Okay\r\n"
             "00000007=Abbrechen\r\n00000008=Aktualisieren\r\n\r\n"
             "[$CONSTANTS]\r\nSDialogButtonCancel=Abbrechen\r\n"
             "SDialogButtonOK=Okay\r\nSHintLanguage=Die Sprachdateien (%s) verwenden\r\n");
}

const QString FrenchText = QStringLiteral("LANGID=1036\r\n[SettingsDialog]\r\n1=Param\u00E8tres\r\n"
                                          "[$CONSTANTS]\r\nSDialogButtonCancel=Annuler\r\n");

QByteArray DesignedLangData() {
  TSettingsDialog Designer;
  return Designer.LangData();
}

using FormLocalization = TLanguageTest;

TEST_F(FormLocalization, LoadedFormFollowsEveryLanguageSwitch) {
  const QByteArray Data = DesignedLangData();
  TSettingsDialog Form(Data);
  EXPECT_EQ(Form.LangController->ActualSectionName(), QStringLiteral("SettingsDialog"));
  EXPECT_EQ(Form.SourceLines(), SourceLines);
  EXPECT_EQ(Form.Texts(), EnglishTexts);

  QBuffer Text;
  Text.setData(GermanText(QStringLiteral("Einstellungen")).toUtf8().prepend("\xEF\xBB\xBF"));
  Text.open(QIODevice::ReadOnly);
  TZrLang_CompTranslations German;
  German.Text_LoadFromStream(Text, false);
  ASSERT_NE(German.FindComponentName(Form.LangController->ActualSectionName()), nullptr);
  const QString GermanFile = Path(QStringLiteral("de.lng"));
  German.Text_SaveToFile(GermanFile, true, false);
  ASSERT_TRUE(LangManager().RegisterLangFile(GermanFile));
  ASSERT_TRUE(LangManager().RegisterLangFile(WriteFile(QStringLiteral("fr.lng"), FrenchText)));

  TEventCounter Events(Form.LangController);
  LangManager().SetLanguageID(1031);
  EXPECT_EQ(Form.Texts(), GermanTexts);
  EXPECT_EQ(Events.Changing, 1);
  EXPECT_EQ(Events.Changed, 1);
  EXPECT_EQ(LangManager().LanguageIndex(), 1);
  // The framework's own hook never translates.
  EXPECT_EQ(Localizer::Translate(u"SDialogButtonOK", QStringLiteral("&OK")), QStringLiteral("&OK"));

  // A form created now shows German at once, read afresh from the file.
  WriteFile(QStringLiteral("de.lng"), GermanText(QStringLiteral("Optionen")));
  {
    TSettingsDialog Later(Data);
    QStringList Expected = GermanTexts;
    Expected[0] = QStringLiteral("Optionen");
    EXPECT_EQ(Later.Texts(), Expected);
  }
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Einstellungen"));

  // What French lacks shows the default, not the German text.
  LangManager().SetLanguageID(1036);
  QStringList French = EnglishTexts;
  French[0] = QStringLiteral("Param\u00E8tres");
  EXPECT_EQ(Form.Texts(), French);

  LangManager().SetLanguageID(1033);
  EXPECT_EQ(Form.Texts(), EnglishTexts);
  EXPECT_EQ(Events.Changing, 3);
  EXPECT_EQ(Events.Changed, 3);
}

TEST_F(FormLocalization, ConstantsFollowTheLanguageAndKeepWhatAnotherLacks) {
  ASSERT_TRUE(LangManager().RegisterLangFile(
      WriteFile(QStringLiteral("de.lng"), GermanText(QStringLiteral("Einstellungen")))));
  ASSERT_TRUE(LangManager().RegisterLangFile(WriteFile(QStringLiteral("fr.lng"), FrenchText)));
  const auto Texts = [] {
    return QStringList{LangConstant(u"SDialogButtonOK"), LangConstant(u"SDialogButtonCancel"),
                       LangConstantFmt(u"SHintLanguage", {QStringLiteral("English")})};
  };
  EXPECT_EQ(Texts(), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel"),
                                  QStringLiteral("Use the English language files")}));
  LangManager().SetLanguageID(1031);
  EXPECT_EQ(Texts(), (QStringList{QStringLiteral("Okay"), QStringLiteral("Abbrechen"),
                                  QStringLiteral("Die Sprachdateien (English) verwenden")}));
  LangManager().SetLanguageID(1036);
  EXPECT_EQ(Texts(), (QStringList{QStringLiteral("Okay"), QStringLiteral("Annuler"),
                                  QStringLiteral("Die Sprachdateien (English) verwenden")}));
  LangManager().SetLanguageID(1033);
  const TZrLang_Constants &Constants = LangManager().Constants();
  ASSERT_EQ(Constants.Count(), int(AppConstants().size()));
  for (const TAppConstant &C : AppConstants())
    EXPECT_EQ(LangConstant(C.Name), QString::fromUtf16(C.DefaultText));
  try {
    LangConstant(u"SNoSuchText");
    ADD_FAILURE() << "unknown constant accepted";
  } catch (const EZrLangError &E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Constant \"SNoSuchText\" not found"));
  }
}

// A handler of one form destroys another localized form while the language
// switches; the destroyed form's controller is skipped, the others are
// translated once each.
struct TDestroyCase {
  const char *Title;
  bool bOnChanging;    // the handler runs before its form is translated, or after
  int Handler, Victim; // indexes of the three forms, in creation order
};

class FormDestroyedDuringSwitch : public TLanguageTest,
                                  public testing::WithParamInterface<TDestroyCase> {};

TEST_P(FormDestroyedDuringSwitch, OtherFormsAreTranslatedOnce) {
  const TDestroyCase &C = GetParam();
  ASSERT_TRUE(LangManager().RegisterLangFile(
      WriteFile(QStringLiteral("de.lng"), GermanText(QStringLiteral("Einstellungen")))));
  const QByteArray Data = DesignedLangData();
  std::vector<QPointer<TSettingsDialog>> Forms;
  std::vector<std::unique_ptr<TEventCounter>> Events;
  for (int I = 0; I < 3; ++I) {
    Forms.emplace_back(new TSettingsDialog(Data));
    Events.push_back(std::make_unique<TEventCounter>(Forms.back()->LangController));
  }
  const auto Destroy = [&](TZrLanguageController *) { delete Forms[size_t(C.Victim)]; };
  TZrLanguageController *Handler = Forms[size_t(C.Handler)]->LangController;
  if (C.bOnChanging)
    QObject::connect(Handler, &TZrLanguageController::OnLanguageChanging, Handler, Destroy);
  else
    QObject::connect(Handler, &TZrLanguageController::OnLanguageChanged, Handler, Destroy);

  LangManager().SetLanguageID(1031);
  for (int I = 0; I < 3; ++I) {
    if (I == C.Victim) {
      EXPECT_TRUE(Forms[size_t(I)].isNull());
      continue;
    }
    EXPECT_EQ(Forms[size_t(I)]->Texts(), GermanTexts) << I;
    EXPECT_EQ(Events[size_t(I)]->Changing, 1) << I;
    EXPECT_EQ(Events[size_t(I)]->Changed, 1) << I;
  }
  for (const auto &Form : Forms)
    delete Form.data();
}

INSTANTIATE_TEST_SUITE_P(Forms, FormDestroyedDuringSwitch,
                         testing::Values(TDestroyCase{"ChangingDestroysLater", true, 0, 1},
                                         TDestroyCase{"ChangedDestroysLater", false, 0, 1},
                                         TDestroyCase{"ChangedDestroysLast", false, 1, 2},
                                         TDestroyCase{"ChangedDestroysEarlier", false, 2, 0}),
                         [](const auto &Info) { return std::string(Info.param.Title); });

// The ignore masks a form may add, and the entries that remain.
struct TFormMaskCase {
  const char *Title;
  QStringList Ignore;
  QStringList Expected;
};

class FormMasks : public testing::TestWithParam<TFormMaskCase> {};

TEST_P(FormMasks, IgnoredPathsGetNoEntries) {
  TSettingsDialog Designer;
  Designer.LangController->SetIgnoreList(Designer.LangController->IgnoreList() + GetParam().Ignore);
  Designer.LangController->UpdateComponents(true);
  EXPECT_EQ(Designer.SourceLines(), GetParam().Expected);
  // The component stays in the tree even when none of its properties does.
  EXPECT_GE(Designer.LangController->RootCompEntry()->OwnedCompEntries()->IndexOfCompName(
                u"TotalsGroupBox"),
            0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Forms, FormMasks, testing::Values(
    TFormMaskCase{"AllTexts", {QStringLiteral("*.text")},
                  {QStringLiteral("windowTitle=00000001,Settings"), QStringLiteral("TotalsGroupBox.title=00000002,Totals")}},
    TFormMaskCase{"FormsOwnTitle", {QStringLiteral("*.windowTitle"), QStringLiteral("*.text")},
                  {QStringLiteral("TotalsGroupBox.title=00000001,Totals")}},
    TFormMaskCase{"RootPathStartsWithDot",
                  {QStringLiteral(".windowTitle"), QStringLiteral("*Label.text"), QStringLiteral("*Action.*")},
                  {QStringLiteral("TotalsGroupBox.title=00000001,Totals"),
                   QStringLiteral("TotalsGroupBox.ResetButton.text=00000002,&Reset"),
                   QStringLiteral("OKButton.text=00000003,OK"), QStringLiteral("CancelButton.text=00000004,Cancel")}},
    TFormMaskCase{"WholeGroup", {QStringLiteral("TotalsGroupBox.*"), QStringLiteral("*Button.text")},
                  {QStringLiteral("windowTitle=00000001,Settings"),
                   QStringLiteral("HintLabel.text=00000002,Changes apply at once."),
                   QStringLiteral("RefreshAction.text=00000003,Refresh")}}),
    [](const auto &Info) { return std::string(Info.param.Title); });
// clang-format on

TEST(Forms, UpdatesKeepIDsAndNumberNewPropertiesAfterTheLargest) {
  TSettingsDialog Form(DesignedLangData());
  TZrLanguageController *C = Form.LangController;
  C->UpdateComponents(true);
  EXPECT_EQ(Form.SourceLines(), SourceLines);

  auto *Help = new QPushButton(QStringLiteral("Help"), Form.TotalsGroupBox);
  Help->setObjectName(QStringLiteral("HelpButton"));
  Form.HintLabel->setText(QString());
  C->UpdateComponents(true);
  QStringList Expected = SourceLines;
  Expected.removeAt(4);
  Expected.insert(4, QStringLiteral("TotalsGroupBox.HelpButton.text=00000009,Help"));
  EXPECT_EQ(Form.SourceLines(), Expected);

  Form.HintLabel->setText(QStringLiteral("Back"));
  C->UpdateComponents(true);
  Expected.insert(5, QStringLiteral("HintLabel.text=00000010,Back"));
  EXPECT_EQ(Form.SourceLines(), Expected);
  EXPECT_EQ(C->RootCompEntry()->GetMaxPropEntryID(), 10);

  // A destroyed component leaves the tree with its entry.
  delete Help;
  delete Form.OKButton;
  Expected.removeAt(4);
  Expected.removeOne(QStringLiteral("OKButton.text=00000006,OK"));
  EXPECT_EQ(Form.SourceLines(), Expected);
}

TEST_F(FormLocalization, RenamedComponentLosesItsEntryAndIsNumberedAnew) {
  const QByteArray Data = DesignedLangData();
  ASSERT_TRUE(LangManager().RegisterLangFile(
      WriteFile(QStringLiteral("de.lng"), GermanText(QStringLiteral("Einstellungen")))));
  TSettingsDialog Form(Data, [](TSettingsDialog &F) {
    F.CancelButton->setObjectName(QStringLiteral("CloseButton"));
  });
  QStringList Expected = SourceLines;
  Expected.removeAt(6);
  EXPECT_EQ(Form.SourceLines(), Expected);
  // The new name is a new component: appended, numbered after the largest
  // ID and, having no translation, left in English.
  Form.LangController->UpdateComponents(true);
  Expected.append(QStringLiteral("CloseButton.text=00000009,Cancel"));
  EXPECT_EQ(Form.SourceLines(), Expected);
  LangManager().SetLanguageID(1031);
  EXPECT_EQ(Form.CancelButton->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(Form.OKButton->text(), QStringLiteral("Okay"));
}

TEST_F(FormLocalization, DestroyedWidgetIsNotTouchedByLaterSwitches) {
  ASSERT_TRUE(LangManager().RegisterLangFile(
      WriteFile(QStringLiteral("de.lng"), GermanText(QStringLiteral("Einstellungen")))));
  TSettingsDialog Form(DesignedLangData());
  delete Form.TotalsGroupBox; // with the label and button inside it
  LangManager().SetLanguageID(1031);
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Einstellungen"));
  EXPECT_EQ(Form.SourceLines().size(), SourceLines.size() - 3);
}

TEST(Forms, MalformedMaskFailsTheUpdate) {
  TSettingsDialog Form;
  Form.LangController->SetStoreList({QStringLiteral("OK[Button")});
  try {
    Form.LangController->UpdateComponents(true);
    FAIL() << "malformed mask accepted";
  } catch (const EMaskException &E) {
    EXPECT_EQ(E.Message(), QStringLiteral("'OK[Button' is an invalid mask at (3)"));
  }
}

} // namespace
