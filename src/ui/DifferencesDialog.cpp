#include "DifferencesDialog.h"

#include "Action.h"
#include "AppAttribs.h"
#include "DialogControls.h"
#include "HighDPI.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "LogListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QString SectionName = QStringLiteral("Dialog.Differences");

// Besides the form's own exclusions: the title comes from a constant and the
// log is the comparison's.
const QStringList IgnoreMasks = {
    QStringLiteral("*.Category"),      QStringLiteral("Action*.*"),
    QStringLiteral("DialogButtons.*"), QStringLiteral(".windowTitle"),
};

// Designed client size at 96 DPI.
constexpr int DesignedWidth = 634;
constexpr int DesignedHeight = 452;
constexpr int TotalsRows = 4;
// The totals' columns start every 60 dialog units.
constexpr int TabStopDialogUnits = 60;

// Draws an item's text with its tab-separated fields aligned on tab stops.
class TTabStopDelegate : public QStyledItemDelegate {
public:
  TTabStopDelegate(TUIDifferencesDialog *Dialog, QObject *Parent)
      : QStyledItemDelegate(Parent), FDialog(Dialog) {}

  void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
             const QModelIndex &Index) const override {
    QStyleOptionViewItem Item = Option;
    initStyleOption(&Item, Index);
    const QString Text = Item.text;
    Item.text.clear();
    const QWidget *Widget = Item.widget;
    QStyle *Style = Widget ? Widget->style() : QApplication::style();
    Style->drawControl(QStyle::CE_ItemViewItem, &Item, Painter, Widget);
    const QRect Area = Style->subElementRect(QStyle::SE_ItemViewItemText, &Item, Widget);
    const int Margin = Style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Widget) + 1;
    QTextOption Layout(Qt::AlignLeft | Qt::AlignVCenter);
    Layout.setWrapMode(QTextOption::NoWrap);
    Layout.setTabStopDistance(FDialog->TotalsTabStop());
    const QPalette::ColorGroup Group = !(Item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (Item.state & QStyle::State_Active) ? QPalette::Active
                                                                             : QPalette::Inactive;
    Painter->save();
    Painter->setFont(Item.font);
    Painter->setPen(Item.palette.color(
        Group, (Item.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    Painter->drawText(QRectF(Area.adjusted(Margin, 0, -Margin, 0)), Text, Layout);
    Painter->restore();
  }

private:
  TUIDifferencesDialog *FDialog;
};

// What remains of Text without the leading and trailing characters up to
// U+0020: blanks, tabs and line breaks.
QString TrimBlanks(const QString &Text) {
  qsizetype Begin = 0, End = Text.size();
  while (Begin < End && Text[Begin].unicode() <= 0x20)
    ++Begin;
  while (End > Begin && Text[End - 1].unicode() <= 0x20)
    --End;
  return Text.mid(Begin, End - Begin);
}

} // namespace

TUIDifferencesDialog::TUIDifferencesDialog(QWidget *AOwner) : TUIBaseDialog(AOwner) {
  setObjectName(QStringLiteral("UIDifferencesDialog"));
  // A fixed border: the dialog keeps its size and has no size grip.
  setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
  SetSavePosition(false);
  resize(DesignedWidth, DesignedHeight);

  auto *Panel = new QVBoxLayout(DialogPanel);
  Panel->setContentsMargins(0, 0, 0, 0);
  Panel->setSpacing(8);
  LogMemo = new TLogListView(DialogPanel);
  LogMemo->setObjectName(QStringLiteral("LogMemo"));
  LogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Panel->addWidget(LogMemo, 1);

  auto *Totals = new TDialogGroupBox(QStringLiteral("Translation Totals"), QIcon(), DialogPanel);
  TotalsGroupBox = Totals;
  TotalsGroupBox->setObjectName(QStringLiteral("TotalsGroupBox"));
  TotalsListBox = new QListWidget(TotalsGroupBox);
  TotalsListBox->setObjectName(QStringLiteral("TotalsListBox"));
  TotalsListBox->setItemDelegate(new TTabStopDelegate(this, TotalsListBox));
  TotalsListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TotalsListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TotalsListBox->setUniformItemSizes(true);
  AutoTranslateCheck = new QCheckBox(
      QStringLiteral(
          "&Automatically translate all untranslated entries using the translation memory"),
      TotalsGroupBox);
  AutoTranslateCheck->setObjectName(QStringLiteral("AutoTranslateCheck"));
  AutoTranslateCheck->setEnabled(false);
  Totals->Content()->addWidget(TotalsListBox, 0, 0);
  Totals->Content()->addWidget(AutoTranslateCheck, 1, 0);
  Panel->addWidget(TotalsGroupBox);

  DialogButtons->SetShowCancelButton(false);
  DialogButtons->SetShowApplyButton(false);
  SetHelpTopic(QStringLiteral("getting-started.html#differences-dialog"));
  PutButtonsLastInTabOrder(*this, AutoTranslateCheck);
  LogMemo->setFocus();

  CreateLangController();
}

TUIDifferencesDialog::~TUIDifferencesDialog() = default;

void TUIDifferencesDialog::CreateLangController() {
  ZrLanguageController = TZrLanguageController::CreateLoaded(
      this, QStringLiteral("ZrLanguageController"), SectionName, IgnoreMasks);
  connect(ZrLanguageController, &TZrLanguageController::OnLanguageChanged, this,
          [this] { UpdateCaptions(); });
}

void TUIDifferencesDialog::Execute(QWidget *AOwner, const QString &Log, int CntAddedComps,
                                   int CntAddedProps, int CntAddedConsts, int CntRemovedComps,
                                   int CntRemovedProps, int CntRemovedConsts, int CntComps,
                                   int CntProps, int CntConsts) {
  auto Dialog = CreateForm<TUIDifferencesDialog>(AOwner);
  Dialog->SetLog(Log);
  Dialog->SetTotals(CntAddedComps, CntAddedProps, CntAddedConsts, CntRemovedComps, CntRemovedProps,
                    CntRemovedConsts, CntComps, CntProps, CntConsts);
  Dialog->exec();
}

bool TUIDifferencesDialog::Execute(QWidget *AOwner, const QString &Log, const QList<int> &Counts,
                                   bool bCanAutoTranslate) {
  auto Dialog = CreateForm<TUIDifferencesDialog>(AOwner);
  Dialog->SetLog(Log);
  Dialog->SetTotals(Counts);
  Dialog->AutoTranslateCheck->setEnabled(bCanAutoTranslate);
  Dialog->AutoTranslateCheck->setChecked(bCanAutoTranslate && Attribs &&
                                         Attribs->AutoTranslateOnOpen());
  Dialog->exec();
  if (!bCanAutoTranslate)
    return false;
  const bool bChecked = Dialog->AutoTranslateCheck->isChecked();
  if (Attribs)
    Attribs->SetAutoTranslateOnOpen(bChecked);
  return bChecked;
}

void TUIDifferencesDialog::SetLog(const QString &Log) {
  QString Text = TrimBlanks(Log);
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  LogMemo->SetText(std::move(Text));
}

QString TUIDifferencesDialog::Log() const {
  return LogMemo->Text();
}

void TUIDifferencesDialog::SetTotals(int CntAddedComps, int CntAddedProps, int CntAddedConsts,
                                     int CntRemovedComps, int CntRemovedProps, int CntRemovedConsts,
                                     int CntComps, int CntProps, int CntConsts) {
  QString Text =
      LangConstantFmt(u"SMessageDiffencesTotals",
                      {CntAddedComps, CntAddedProps, CntAddedConsts, CntRemovedComps,
                       CntRemovedProps, CntRemovedConsts, CntComps, CntProps, CntConsts});
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  TotalsListBox->clear();
  TotalsListBox->addItems(Text.split(u'\n'));
}

void TUIDifferencesDialog::SetTotals(const QList<int> &Counts) {
  SetTotals(Counts.value(0), Counts.value(1), Counts.value(2), Counts.value(3), Counts.value(4),
            Counts.value(5), Counts.value(6), Counts.value(7), Counts.value(8));
}

QStringList TUIDifferencesDialog::Totals() const {
  QStringList Rows;
  for (int I = 0; I < TotalsListBox->count(); ++I)
    Rows.append(TotalsListBox->item(I)->text());
  return Rows;
}

int TUIDifferencesDialog::TotalsTabStop() const {
  // A horizontal dialog unit is a quarter of the font's average character
  // width, measured over the letters as the classic dialog manager does.
  const QFontMetrics Metrics(TotalsListBox->font());
  const int Letters = Metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const int AverageWidth = (Letters / 26 + 1) / 2;
  return MulDiv(TabStopDialogUnits, AverageWidth, 4);
}

void TUIDifferencesDialog::UpdateCaptions() {
  TUIBaseDialog::UpdateCaptions();
  setWindowTitle(LangConstant(u"SFormCaptionDifferencesLog"));
  ActionOK->setText(LangConstant(u"SDialogButtonClose"));
}

void TUIDifferencesDialog::UpdateSize() {
  // The totals table shows its four rows without scrolling.
  const int Row = TotalsListBox->count() > 0 ? TotalsListBox->sizeHintForRow(0)
                                             : TotalsListBox->fontMetrics().height() + 4;
  TotalsListBox->setFixedHeight(Row * TotalsRows + 2 * TotalsListBox->frameWidth());
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  FitDialogToContents(*this);
  TUIBaseDialog::UpdateSize();
  setFixedSize(size());
}
