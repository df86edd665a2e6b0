#include "FilterBar.h"

#include "EntryNavigation.h"
#include "EntryTreeModel.h"
#include "EntryTreeView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

TFilterBar::TFilterBar(TEntryTreeModel &Model, TEntryTreeView &View, QWidget *Parent)
    : QWidget(Parent), FModel(Model), FView(View) {
  auto *Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 2, 0, 2);
  FilterEdit = new QLineEdit(this);
  FilterEdit->setObjectName(QStringLiteral("FilterEdit"));
  FilterEdit->setPlaceholderText(QStringLiteral("Filter by name or value"));
  FilterEdit->setClearButtonEnabled(true);
  FilterEdit->installEventFilter(this);
  StateCombo = new QComboBox(this);
  StateCombo->setObjectName(QStringLiteral("StateCombo"));
  StateCombo->addItems({QStringLiteral("All"), QStringLiteral("Untranslated"),
                        QStringLiteral("Translated"), QStringLiteral("Changed in this session"),
                        QStringLiteral("With problems")});
  StateCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  Layout->addWidget(FilterEdit, 1);
  Layout->addWidget(StateCombo);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

  FTypingTimer.setSingleShot(true);
  FTypingTimer.setInterval(TypingDelayMs);
  connect(&FTypingTimer, &QTimer::timeout, this, &TFilterBar::Apply);
  connect(FilterEdit, &QLineEdit::textChanged, this, [this] { FTypingTimer.start(); });
  connect(FilterEdit, &QLineEdit::returnPressed, this, &TFilterBar::Apply);
  connect(StateCombo, &QComboBox::currentIndexChanged, this, &TFilterBar::Apply);
}

QStringList TFilterBar::StateCaptions() const {
  QStringList Captions;
  for (int I = 0; I < StateCombo->count(); ++I)
    Captions.append(StateCombo->itemText(I));
  return Captions;
}

void TFilterBar::SetStateCaptions(const QStringList &Captions) {
  for (int I = 0; I < StateCombo->count() && I < Captions.size(); ++I)
    StateCombo->setItemText(I, Captions[I]);
}

TEntryFilter TFilterBar::Filter() const {
  return {TEntryStateFilter(StateCombo->currentIndex()), FilterEdit->text()};
}

void TFilterBar::Apply() {
  FTypingTimer.stop();
  FView.CommitOpenEditor();
  const int Current = FModel.TreeOrderPosition(FView.currentIndex());
  FModel.SetFilter(Filter());
  FView.expandAll();
  QModelIndex Target = FModel.IndexAtTreeOrder(Current);
  if (!Target.isValid())
    Target = FModel.index(0, 0, FModel.index(0, 0));
  SelectEntryNode(FView, Target, true, true);
  Q_EMIT Applied();
}

void TFilterBar::FocusText() {
  FilterEdit->setFocus(Qt::ShortcutFocusReason);
  FilterEdit->selectAll();
}

bool TFilterBar::eventFilter(QObject *Watched, QEvent *Event) {
  if (Watched == FilterEdit && Event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent *>(Event)->key() == Qt::Key_Escape) {
    if (FilterEdit->text().isEmpty()) {
      FView.setFocus(Qt::OtherFocusReason);
    } else {
      FilterEdit->clear();
      Apply();
    }
    return true;
  }
  return QWidget::eventFilter(Watched, Event);
}
