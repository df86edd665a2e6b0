// The construction and show order of the framework forms, the dialog's keys,
// size grip, background and dirty state, and its placement in the store.

#include "Forms.h"
#include "ConfigIniFile.h"
#include "HighDPI.h"
#include "SizeGrip.h"
#include "Taskbar.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "FormsTestSupport.h"

namespace {

QStringList Calls;

// Records the hooks in the order they run.
template <class TBase> class TRecording : public TBase {
public:
  using TBase::TBase;

protected:
  void InitializeForm() override { Record(QStringLiteral("InitializeForm")); }
  void UpdateCaptions() override { Record(QStringLiteral("UpdateCaptions")); }
  // Objects Qt creates inside its widgets have names of their own.
  void AdjustComponent(QObject *C) override {
    if (!C->objectName().isEmpty() && C->objectName()[0].isUpper())
      Record(QStringLiteral("Adjust ") + C->objectName());
  }
  void FormShown() override { Record(QStringLiteral("FormShown")); }
  void UpdateMargins() override { Record(QStringLiteral("UpdateMargins")); }
  void UpdateSize() override { Record(QStringLiteral("UpdateSize")); }
  static void Record(const QString &Call) { Calls.append(Call); }
};

class TUISampleDialog : public TRecording<TDialogForm> {
  Q_OBJECT
public:
  explicit TUISampleDialog(bool bSavePosition = true, bool bFixed = false) {
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    Edit = new QLineEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    auto *Inner = new QLineEdit(Edit);
    Inner->setObjectName(QStringLiteral("Inner"));
    SetSavePosition(bSavePosition);
    if (bFixed)
      setFixedSize(300, 200);
    else
      resize(300, 200);
  }
  QLineEdit *Edit;
  using TDialogForm::DialogKeyDown;
};

struct TProgressLog : ITaskbarProgressIndicator {
  void SetState(TTaskbarProgressState State) override {
    Calls.append(QStringLiteral("State %1").arg(State));
  }
  void SetMaximum(int Maximum) override { Calls.append(QStringLiteral("Max %1").arg(Maximum)); }
  void SetPosition(int Position) override {
    Calls.append(QStringLiteral("Position %1").arg(Position));
  }
};

struct TJumpListLog : ITaskbarJumpList {
  void Commit() override { Calls.append(QStringLiteral("Commit")); }
};

class TUISampleForm : public TRecording<TMainForm> {
  Q_OBJECT
public:
  TUISampleForm() {
    auto *Bar = addToolBar(QStringLiteral("Tools"));
    Bar->setObjectName(QStringLiteral("Toolbar"));
  }

protected:
  std::unique_ptr<ITaskbarProgressIndicator> CreateProgressIndicator() override {
    return std::make_unique<TProgressLog>();
  }
  std::unique_ptr<ITaskbarJumpList> CreateJumpList() override {
    return std::make_unique<TJumpListLog>();
  }
  void PopulateJumpList(ITaskbarJumpList &) override { Record(QStringLiteral("Populate")); }
  void StyleToolbar(QToolBar *Bar) override {
    TMainForm::StyleToolbar(Bar);
    Record(QStringLiteral("Style ") + Bar->objectName());
  }
};

const QString SampleSection = QStringLiteral("State\\Sample");

// The stored placement, Right and Bottom lying just outside it.
QRect StoredPlacement() {
  const TReaderIniFile Ini;
  auto Read = [&](const char *Ident) {
    return Ini.ReadInteger(SampleSection, QString::fromLatin1(Ident), 0);
  };
  return QRect(QPoint(Read("WindowLeft"), Read("WindowTop")),
               QPoint(Read("WindowRight") - 1, Read("WindowBottom") - 1));
}

class Forms : public testing::Test {
protected:
  void SetUp() override {
    Calls.clear();
    TWriterIniFile().EraseSection(SampleSection);
  }
};

TEST_F(Forms, DialogHooksRunInOrder) {
  auto Dialog = CreateForm<TUISampleDialog>();
  EXPECT_EQ(Calls, QStringList({QStringLiteral("InitializeForm"), QStringLiteral("UpdateCaptions"),
                                QStringLiteral("Adjust Edit"), QStringLiteral("Adjust Inner")}));
  EXPECT_FALSE(Dialog->Loading());
  EXPECT_DOUBLE_EQ(Dialog->ScaleRatio(), THighDPIToolkit::SystemFontHeight() / -11.0);
  EXPECT_EQ(Dialog->font().family(), THighDPIToolkit::SystemFontName());
  EXPECT_EQ(Dialog->ButtonEditWidth(), TDPIAwareForm::ScaleValue(17));
  Calls.clear();
  Dialog->show();
  EXPECT_EQ(Calls, QStringList({QStringLiteral("FormShown"), QStringLiteral("UpdateMargins"),
                                QStringLiteral("UpdateSize")}));
}

TEST_F(Forms, MainFormStylesToolbarsAndForwardsProgress) {
  auto Form = CreateForm<TUISampleForm>();
  EXPECT_EQ(Calls,
            QStringList({QStringLiteral("InitializeForm"), QStringLiteral("UpdateCaptions"),
                         QStringLiteral("Populate"), QStringLiteral("Commit"),
                         QStringLiteral("Style Toolbar"), QStringLiteral("Adjust Toolbar")}));
  Calls.clear();
  Form->SetProgress(3, 10);
  Form->SetProgressState(tpsPaused);
  EXPECT_EQ(Calls, QStringList({QStringLiteral("Max 10"), QStringLiteral("Position 3"),
                                QStringLiteral("State 4")}));
  Calls.clear();
  Form->show();
  EXPECT_EQ(Calls, QStringList({QStringLiteral("UpdateMargins"), QStringLiteral("UpdateSize")}));
  EXPECT_EQ(Form->WindowClassName(),
            WindowClassName(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                            u"TUISampleForm"));
}

TEST_F(Forms, EscapeClosesTheDialogWithCancel) {
  auto Dialog = CreateForm<TUISampleDialog>();
  Dialog->open();
  Dialog->Edit->setFocus();
  QSignalSpy Finished(Dialog.get(), &QDialog::finished);
  QTest::keyClick(Dialog->Edit, Qt::Key_Escape);
  ASSERT_EQ(Finished.count(), 1);
  EXPECT_EQ(Finished.at(0).at(0).toInt(), mrCancel);
  EXPECT_FALSE(Dialog->isVisible());
  // Other keys reach the control.
  int Key = Qt::Key_A;
  Dialog->DialogKeyDown(Dialog->Edit, Key, {});
  EXPECT_EQ(Key, Qt::Key_A);
  Dialog->open();
  Dialog->reject();
  EXPECT_EQ(Dialog->result(), mrCancel);
}

TEST_F(Forms, SizeGripBackgroundAndMinimumSize) {
  auto Sizeable = CreateForm<TUISampleDialog>();
  EXPECT_TRUE(Sizeable->ShowSizeGrip());
  EXPECT_TRUE(Sizeable->SizeGrip()->Enabled());
  EXPECT_EQ(Sizeable->SizeGrip()->TargetControl(), Sizeable.get());
  EXPECT_EQ(Sizeable->minimumSize(), Sizeable->size());
  Sizeable->SetShowSizeGrip(false);
  EXPECT_TRUE(Sizeable->SizeGrip()->isHidden());
  EXPECT_FALSE(Sizeable->UseVistaBackground());
  EXPECT_EQ(Sizeable->backgroundRole(), QPalette::Window);
  Sizeable->SetUseVistaBackground(true);
  EXPECT_EQ(Sizeable->backgroundRole(), QPalette::Base);
  auto Fixed = CreateForm<TUISampleDialog>(true, true);
  EXPECT_FALSE(Fixed->ShowSizeGrip());
  EXPECT_TRUE(Fixed->SizeGrip()->isHidden());
  Sizeable->show();
  EXPECT_EQ(Sizeable->SizeGrip()->geometry().bottomRight(), Sizeable->rect().bottomRight());
}

TEST_F(Forms, DialogPlacementIsStoredAndRestored) {
  QRect Placed;
  {
    auto Dialog = CreateForm<TUISampleDialog>();
    EXPECT_EQ(Dialog->StateSection(), SampleSection);
    EXPECT_EQ(Dialog->Position(), poOwnerFormCenter);
    EXPECT_FALSE(Dialog->testAttribute(Qt::WA_Moved));
    Dialog->show();
    Dialog->setGeometry(120, 90, Dialog->width() + 40, Dialog->height() + 30);
    Placed = Dialog->geometry();
  }
  EXPECT_EQ(StoredPlacement(), Placed);
  auto Again = CreateForm<TUISampleDialog>();
  EXPECT_EQ(Again->Position(), poDefault);
  EXPECT_EQ(Again->geometry(), Placed);
}

TEST_F(Forms, PlacementOffEveryScreenKeepsOnlyTheSize) {
  {
    TWriterIniFile Ini;
    const std::pair<const char *, int> Stored[] = {{"WindowLeft", -5000},
                                                   {"WindowTop", -5000},
                                                   {"WindowRight", -4000},
                                                   {"WindowBottom", -4300}};
    for (const auto &[Ident, Value] : Stored)
      Ini.WriteInteger(SampleSection, QString::fromLatin1(Ident), Value);
  }
  auto Dialog = CreateForm<TUISampleDialog>();
  EXPECT_EQ(Dialog->size(), QSize(1000, 700));
  EXPECT_FALSE(Dialog->testAttribute(Qt::WA_Moved));
}

TEST_F(Forms, DialogWithoutSavePositionNeitherRestoresNorStores) {
  {
    auto Dialog = CreateForm<TUISampleDialog>(false);
    Dialog->show();
    Dialog->move(40, 40);
  }
  EXPECT_FALSE(TReaderIniFile().KeyExists(SampleSection));
}

TEST_F(Forms, CanActuallyFocus) {
  TUISampleDialog Form;
  auto *Disabled = new QLineEdit(&Form);
  Disabled->setEnabled(false);
  auto *NoFocus = new QLineEdit(&Form);
  NoFocus->setFocusPolicy(Qt::NoFocus);
  auto *Hidden = new QLineEdit(&Form);
  Hidden->hide();
  auto *Other = new QLineEdit(&Form);
  EXPECT_FALSE(TForm::CanActuallyFocus(nullptr));
  EXPECT_FALSE(TForm::CanActuallyFocus(Form.Edit)) << "form hidden";
  Form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  const std::pair<QWidget *, bool> Cases[] = {
      {Disabled, false}, {NoFocus, false}, {Hidden, false}, {Other, true}};
  for (const auto &[Control, bExpected] : Cases)
    EXPECT_EQ(TForm::CanActuallyFocus(Control), bExpected) << Control;
  Other->setFocus();
  EXPECT_FALSE(TForm::CanActuallyFocus(Other)) << "already focused";
  Form.setEnabled(false);
  EXPECT_FALSE(TForm::CanActuallyFocus(Form.Edit)) << "form disabled";
}

} // namespace

#include "FormsTest.moc"
