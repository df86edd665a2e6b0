#include "FindBar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>

namespace {

template <class T> T *NewChild(QWidget *Parent, const char *Name, const QString &Text) {
  auto *W = new T(Text, Parent);
  W->setObjectName(QLatin1StringView(Name));
  return W;
}

QLineEdit *NewEdit(QWidget *Parent, const char *Name) {
  auto *Edit = new QLineEdit(Parent);
  Edit->setObjectName(QLatin1StringView(Name));
  Edit->setMinimumWidth(160);
  return Edit;
}

QPushButton *NewButton(QWidget *Parent, const char *Name, const QString &Text) {
  auto *Button = NewChild<QPushButton>(Parent, Name, Text);
  Button->setAutoDefault(false);
  return Button;
}

bool IsEnter(const QKeyEvent *Key) {
  return Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter;
}

} // namespace

TFindBar::TFindBar(QWidget *Parent)
    : QWidget(Parent), FInvalidPatternHint(QStringLiteral("The regular expression is not valid:")) {
  setObjectName(QStringLiteral("FindBar"));
  CreateControls();
  SetFindFields(ffSource | ffTranslated);
  for (QWidget *W : std::as_const(FReplaceRow))
    W->hide();
  hide();
}

void TFindBar::CreateControls() {
  auto *Grid = new QGridLayout(this);
  Grid->setContentsMargins(6, 4, 6, 4);
  Grid->setHorizontalSpacing(6);
  Grid->setVerticalSpacing(4);

  auto *FindLabel = NewChild<QLabel>(this, "FindLabel", QStringLiteral("Find:"));
  FindEdit = NewEdit(this, "FindEdit");
  FindLabel->setBuddy(FindEdit);
  auto *FindPrevious = NewButton(this, "FindPreviousButton", QStringLiteral("Find Previous"));
  auto *FindNext = NewButton(this, "FindNextButton", QStringLiteral("Find Next"));
  CloseButton = new QToolButton(this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  CloseButton->setText(QStringLiteral("Close"));
  CloseButton->setIcon(QIcon::fromTheme(QStringLiteral("window-close"),
                                        style()->standardIcon(QStyle::SP_TitleBarCloseButton)));
  CloseButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
  CloseButton->setAutoRaise(true);
  // The caption is what gets translated; the icon-only button shows it as
  // its tooltip.
  CloseButton->installEventFilter(this);
  Grid->addWidget(FindLabel, 0, 0);
  Grid->addWidget(FindEdit, 0, 1);
  Grid->addWidget(FindPrevious, 0, 2);
  Grid->addWidget(FindNext, 0, 3);
  Grid->addWidget(CloseButton, 0, 4, Qt::AlignRight);

  auto *ReplaceLabel = NewChild<QLabel>(this, "ReplaceLabel", QStringLiteral("Replace with:"));
  ReplaceEdit = NewEdit(this, "ReplaceEdit");
  ReplaceLabel->setBuddy(ReplaceEdit);
  auto *Replace = NewButton(this, "ReplaceButton", QStringLiteral("Replace"));
  auto *ReplaceAll = NewButton(this, "ReplaceAllButton", QStringLiteral("Replace All"));
  FReplaceRow = {ReplaceLabel, ReplaceEdit, Replace, ReplaceAll};
  for (int Column = 0; Column < FReplaceRow.size(); ++Column)
    Grid->addWidget(FReplaceRow[Column], 1, Column);

  auto *Options = new QHBoxLayout;
  MatchCaseCheck = NewChild<QCheckBox>(this, "MatchCaseCheck", QStringLiteral("Match case"));
  WholeWordsCheck = NewChild<QCheckBox>(this, "WholeWordsCheck", QStringLiteral("Whole words"));
  RegularExpressionCheck =
      NewChild<QCheckBox>(this, "RegularExpressionCheck", QStringLiteral("Regular expression"));
  for (QCheckBox *Check : {MatchCaseCheck, WholeWordsCheck, RegularExpressionCheck})
    Options->addWidget(Check);
  Options->addStretch();
  Grid->addLayout(Options, 2, 1, 1, 4);

  auto *LookInLabel = NewChild<QLabel>(this, "LookInLabel", QStringLiteral("Look in:"));
  auto *Fields = new QHBoxLayout;
  NamesCheck = NewChild<QCheckBox>(this, "NamesCheck", QStringLiteral("Names"));
  SourceValuesCheck =
      NewChild<QCheckBox>(this, "SourceValuesCheck", QStringLiteral("Source values"));
  DisplayValuesCheck =
      NewChild<QCheckBox>(this, "DisplayValuesCheck", QStringLiteral("Display values"));
  TranslatedValuesCheck =
      NewChild<QCheckBox>(this, "TranslatedValuesCheck", QStringLiteral("Translated values"));
  for (QCheckBox *Check :
       {NamesCheck, SourceValuesCheck, DisplayValuesCheck, TranslatedValuesCheck})
    Fields->addWidget(Check);
  Fields->addStretch();
  Grid->addWidget(LookInLabel, 3, 0);
  Grid->addLayout(Fields, 3, 1, 1, 4);
  Grid->setColumnStretch(1, 1);

  FindEdit->installEventFilter(this);
  ReplaceEdit->installEventFilter(this);
  auto *Escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &TFindBar::Close,
                               Qt::WidgetWithChildrenShortcut);
  Escape->setObjectName(QStringLiteral("CloseShortcut"));

  connect(FindPrevious, &QPushButton::clicked, this, [this] { Q_EMIT FindRequested(true); });
  connect(FindNext, &QPushButton::clicked, this, [this] { Q_EMIT FindRequested(false); });
  connect(Replace, &QPushButton::clicked, this, &TFindBar::ReplaceRequested);
  connect(ReplaceAll, &QPushButton::clicked, this, &TFindBar::ReplaceAllRequested);
  connect(CloseButton, &QToolButton::clicked, this, &TFindBar::Close);
  connect(FindEdit, &QLineEdit::textChanged, this, &TFindBar::UpdatePatternState);
  connect(WholeWordsCheck, &QCheckBox::toggled, this, &TFindBar::UpdatePatternState);
  connect(RegularExpressionCheck, &QCheckBox::toggled, this, &TFindBar::UpdatePatternState);
}

void TFindBar::ShowFind() {
  ShowMode(false);
}

void TFindBar::ShowReplace() {
  ShowMode(true);
}

void TFindBar::ShowMode(bool Replace) {
  for (QWidget *W : std::as_const(FReplaceRow))
    W->setVisible(Replace);
  show();
  FindEdit->setFocus(Qt::ShortcutFocusReason);
  FindEdit->selectAll();
}

bool TFindBar::IsReplaceMode() const {
  return !ReplaceEdit->isHidden();
}

void TFindBar::Close() {
  hide();
  Q_EMIT CloseRequested();
}

QString TFindBar::Pattern() const {
  return FindEdit->text();
}

void TFindBar::SetPattern(const QString &Value) {
  FindEdit->setText(Value);
}

QString TFindBar::Replacement() const {
  return ReplaceEdit->text();
}

bool TFindBar::MatchCase() const {
  return MatchCaseCheck->isChecked();
}

bool TFindBar::WholeWords() const {
  return WholeWordsCheck->isChecked();
}

bool TFindBar::RegularExpression() const {
  return RegularExpressionCheck->isChecked();
}

TFindFields TFindBar::FindFields() const {
  TFindFields Fields;
  Fields.setFlag(ffNames, NamesCheck->isChecked());
  Fields.setFlag(ffSource, SourceValuesCheck->isChecked());
  Fields.setFlag(ffDisplay, DisplayValuesCheck->isChecked());
  Fields.setFlag(ffTranslated, TranslatedValuesCheck->isChecked());
  return Fields;
}

void TFindBar::SetFindFields(TFindFields Value) {
  NamesCheck->setChecked(Value.testFlag(ffNames));
  SourceValuesCheck->setChecked(Value.testFlag(ffSource));
  DisplayValuesCheck->setChecked(Value.testFlag(ffDisplay));
  TranslatedValuesCheck->setChecked(Value.testFlag(ffTranslated));
}

TTextMatcher TFindBar::Matcher() const {
  TTextMatchOptions Options;
  Options.setFlag(tmoMatchCase, MatchCase());
  Options.setFlag(tmoWholeWords, WholeWords());
  Options.setFlag(tmoRegularExpression, RegularExpression());
  return TTextMatcher(Pattern(), Options);
}

void TFindBar::SetInvalidPatternHint(const QString &Value) {
  FInvalidPatternHint = Value;
  UpdatePatternState();
}

void TFindBar::UpdatePatternState() {
  const TTextMatcher M = RegularExpression() ? Matcher() : TTextMatcher();
  if (M.IsValid()) {
    FindEdit->setPalette(QPalette());
    FindEdit->setToolTip(QString());
    return;
  }
  // From the bar's palette, so that every further bad pattern tints alike.
  QPalette Tinted = palette();
  const QColor Base = Tinted.color(QPalette::Base);
  Tinted.setColor(QPalette::Base,
                  QColor::fromRgbF(1.0f, Base.greenF() * 0.75f, Base.blueF() * 0.75f));
  FindEdit->setPalette(Tinted);
  FindEdit->setToolTip(FInvalidPatternHint + u'\n' + M.ErrorString());
}

bool TFindBar::eventFilter(QObject *Watched, QEvent *Event) {
  if (Watched == CloseButton && Event->type() == QEvent::ToolTip) {
    QToolTip::showText(static_cast<QHelpEvent *>(Event)->globalPos(), CloseButton->text(),
                       CloseButton);
    return true;
  }
  if (Event->type() != QEvent::KeyPress || !IsEnter(static_cast<QKeyEvent *>(Event)))
    return QWidget::eventFilter(Watched, Event);
  if (Watched == FindEdit)
    Q_EMIT FindRequested(static_cast<QKeyEvent *>(Event)->modifiers().testFlag(Qt::ShiftModifier));
  else if (Watched == ReplaceEdit)
    Q_EMIT ReplaceRequested();
  else
    return QWidget::eventFilter(Watched, Event);
  return true;
}
