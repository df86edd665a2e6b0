#include "DiskChangeBar.h"

#include "LanguageManager.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TDiskChangeBar::TDiskChangeBar(QWidget *Parent) : QFrame(Parent) {
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  FMessage = new QLabel(this);
  FMessage->setObjectName(QStringLiteral("DiskChangeMessage"));
  FMessage->setWordWrap(true);
  FMessage->setForegroundRole(QPalette::ToolTipText);
  FReload = new QPushButton(this);
  FReload->setObjectName(QStringLiteral("DiskChangeReload"));
  FKeep = new QPushButton(this);
  FKeep->setObjectName(QStringLiteral("DiskChangeKeep"));
  FCompare = new QPushButton(this);
  FCompare->setObjectName(QStringLiteral("DiskChangeCompare"));
  auto *Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(6, 3, 6, 3);
  Layout->addWidget(FMessage, 1);
  Layout->addWidget(FReload);
  Layout->addWidget(FKeep);
  Layout->addWidget(FCompare);
  connect(FReload, &QPushButton::clicked, this, [this] {
    hide();
    Q_EMIT ReloadChosen();
  });
  connect(FKeep, &QPushButton::clicked, this, [this] {
    hide();
    Q_EMIT KeepChosen();
  });
  connect(FCompare, &QPushButton::clicked, this, &TDiskChangeBar::CompareChosen);
  hide();
}

void TDiskChangeBar::ShowChange(const QString &Message, bool Unsaved) {
  FMessage->setText(Unsaved ? Message + u' ' + LangConstant(u"SMessageChangedOnDiskUnsaved")
                            : Message);
  FReload->setText(LangConstant(u"SDialogButtonReload"));
  FKeep->setText(LangConstant(Unsaved ? u"SDialogButtonKeepMine" : u"SDialogButtonIgnore"));
  FCompare->setText(LangConstant(u"SDialogButtonCompare"));
  FCompare->setVisible(Unsaved);
  show();
}

void TDiskChangeBar::keyPressEvent(QKeyEvent *Event) {
  if (Event->key() == Qt::Key_Escape)
    FKeep->click();
  else
    QFrame::keyPressEvent(Event);
}
