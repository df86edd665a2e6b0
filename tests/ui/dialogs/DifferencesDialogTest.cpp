// The differences dialog: the log, the tab-aligned totals and its one
// Close button.
#include "DifferencesDialog.h"

#include "Action.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include "DialogsTestSupport.h"

namespace {

const QString Log = QStringLiteral(
    "\r\nThe following entries were not found and were added to the translation:\r\n"
    "    Added Property \"Form1.Caption\" (ID=2)\r\n\r\n"
    "The following constants were found excessive and deleted from the translation:\r\n"
    "Removed Constant \"SOld\"\r\n\r\n");

TEST(DifferencesDialog, ShowsTheTrimmedLogAndTheTotals) {
  auto D = CreateForm<TUIDifferencesDialog>();
  EXPECT_EQ(D->windowTitle(), QStringLiteral("Differences Found"));
  EXPECT_TRUE(D->Log().isEmpty());
  D->SetLog(Log);
  D->SetTotals(0, 1, 0, 0, 0, 1, 3, 12, 40);
  EXPECT_EQ(D->Log(), Log.trimmed().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  EXPECT_TRUE(D->LogMemo->isReadOnly());
  const QStringList Rows = {QStringLiteral("\tComponents\tProperties\tConstants"),
                            QStringLiteral("Added\t0\t1\t0"), QStringLiteral("Removed\t0\t0\t1"),
                            QStringLiteral("Total\t3\t12\t40")};
  EXPECT_EQ(D->Totals(), Rows);
  EXPECT_FALSE(D->AutoTranslateCheck->isEnabled());
  EXPECT_FALSE(D->AutoTranslateCheck->isChecked());

  // Every field fits before the next tab stop, so the columns line up.
  const QFontMetrics Metrics(D->TotalsListBox->font());
  for (const QString &Row : Rows)
    for (const QString &Field : Row.split(u'\t'))
      EXPECT_LT(Metrics.horizontalAdvance(Field), D->TotalsTabStop()) << Field.toStdString();

  D->show();
  EXPECT_EQ(D->TotalsListBox->viewport()->height(), 4 * D->TotalsListBox->sizeHintForRow(0));
  EXPECT_EQ(D->minimumSize(), D->maximumSize());
  EXPECT_FALSE(D->ShowSizeGrip());
}

TEST(DifferencesDialog, HasOnlyACloseButton) {
  auto D = CreateForm<TUIDifferencesDialog>();
  EXPECT_EQ(D->ActionOK->text(), QStringLiteral("Close"));
  EXPECT_TRUE(D->DialogButtons->ShowOKButton());
  EXPECT_FALSE(D->DialogButtons->ShowCancelButton());
  EXPECT_FALSE(D->DialogButtons->ShowApplyButton());
  EXPECT_TRUE(D->DialogButtons->ShowHelpButton());
  bool Shown = false;
  AnswerNextDialog<TUIDifferencesDialog>([&](TUIDifferencesDialog &Dialog) {
    Shown = true;
    EXPECT_EQ(Dialog.Totals().size(), 4);
    EXPECT_EQ(Dialog.focusWidget(), Dialog.LogMemo);
    QTest::mouseClick(Dialog.DialogButtons->BtnOK(), Qt::LeftButton);
  });
  TUIDifferencesDialog::Execute(nullptr, Log, 1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_TRUE(Shown);
  AnswerNextDialog<TUIDifferencesDialog>([](TUIDifferencesDialog &Dialog) {
    EXPECT_EQ(Dialog.Totals().at(3), QStringLiteral("Total\t7\t8\t9"));
    Dialog.reject();
  });
  TUIDifferencesDialog::Execute(nullptr, Log, QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9});
}

TEST(DifferencesDialog, TotalsInGerman) {
  const TInterfaceLanguage German(1031);
  auto D = CreateForm<TUIDifferencesDialog>();
  D->SetTotals(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(D->Totals().at(2), QStringLiteral("Entfernt\t4\t5\t6"));
  EXPECT_EQ(D->ActionOK->text(), QStringLiteral("Schließen"));
}

} // namespace
