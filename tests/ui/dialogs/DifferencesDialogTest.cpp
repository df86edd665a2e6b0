// The differences dialog: the log a line a row, the tab-aligned totals and
// its one Close button.
#include "DifferencesDialog.h"

#include "Action.h"
#include "LogLinesModel.h"
#include "LogListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QTest>

#include "DialogsTestSupport.h"

using namespace Qt::StringLiterals;

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
  EXPECT_EQ(D->LogMemo->editTriggers(), QAbstractItemView::NoEditTriggers);
  for (int Row = 0; Row < D->LogMemo->model()->rowCount(); ++Row)
    EXPECT_FALSE(D->LogMemo->model()->index(Row, 0).flags() & Qt::ItemIsEditable);
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

TEST(DifferencesDialog, TheLogShowsExactlyItsLines) {
  const struct {
    const char *Text;
    QStringList Lines;
  } Cases[] = {
      {"", {}},
      {"one", {u"one"_s}},
      {"a\n\n  b\n", {u"a"_s, QString(), u"  b"_s, QString()}},
      {"\n", {QString(), QString()}},
  };
  for (const auto &C : Cases) {
    TLogLinesModel Model;
    Model.SetText(QString::fromUtf8(C.Text));
    QStringList Shown;
    for (int Row = 0; Row < Model.rowCount(); ++Row)
      Shown.append(Model.index(Row).data().toString());
    EXPECT_EQ(Shown, C.Lines) << C.Text;
  }
}

TEST(DifferencesDialog, CopiesTheSelectedLinesInTheirOrder) {
  auto D = CreateForm<TUIDifferencesDialog>();
  D->SetLog(Log);
  const QStringList Lines = {
      u"The following entries were not found and were added to the translation:"_s,
      u"    Added Property \"Form1.Caption\" (ID=2)"_s, QString(),
      u"The following constants were found excessive and deleted from the translation:"_s,
      u"Removed Constant \"SOld\""_s};
  ASSERT_EQ(D->LogMemo->model()->rowCount(), Lines.size());
  for (int Row = 0; Row < Lines.size(); ++Row)
    EXPECT_EQ(D->LogMemo->model()->index(Row, 0).data().toString(), Lines[Row]);
  D->show();
  D->LogMemo->setFocus();
  QGuiApplication::clipboard()->clear();
  // Down from the first line, then Shift+End: the lines after the first.
  QTest::keyClick(D->LogMemo, Qt::Key_Down);
  QTest::keyClick(D->LogMemo, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClick(D->LogMemo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Lines.mid(1).join(u'\n'));
  // Home selects the first line alone; lines added out of order come in
  // the log's order.
  QTest::keyClick(D->LogMemo, Qt::Key_Home);
  D->LogMemo->selectionModel()->select(D->LogMemo->model()->index(3, 0),
                                       QItemSelectionModel::Select);
  D->LogMemo->selectionModel()->select(D->LogMemo->model()->index(1, 0),
                                       QItemSelectionModel::Select);
  QTest::keyClick(D->LogMemo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringList({Lines[0], Lines[1], Lines[3]}).join(u'\n'));
  QTest::keyClick(D->LogMemo, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(D->LogMemo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Lines.join(u'\n'));
  // The rows are as wide as the longest line, which so shows whole.
  EXPECT_GE(D->LogMemo->sizeHintForIndex(D->LogMemo->model()->index(0, 0)).width(),
            D->LogMemo->fontMetrics().horizontalAdvance(Lines[3]));
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
