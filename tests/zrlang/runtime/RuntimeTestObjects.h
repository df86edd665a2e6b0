#pragma once

// Objects and helpers shared by the run-time tests: components with every
// kind of property an entry tree walks, and a small settings dialog that is
// localized the way the program's own forms are.

#include "CompEntries.h"
#include "LanguageController.h"
#include "LanguageManager.h"

#include <QAction>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString &S, std::ostream *Os) {
  *Os << '"' << S.toStdString() << '"';
}
inline void PrintTo(const QByteArray &B, std::ostream *Os) {
  *Os << B.toHex(' ').toStdString();
}
inline void PrintTo(const QStringList &L, std::ostream *Os) {
  *Os << '[' << L.join(QStringLiteral(" | ")).toStdString() << ']';
}

// A font-like helper object; the class name is the one font walking skips.
class TFont : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Name MEMBER Name)
public:
  using QObject::QObject;
  QString Name = QStringLiteral("Tahoma");
};

// Derived from TFont but with a class name of its own, so it is walked.
class TDerivedFont : public TFont {
  Q_OBJECT
public:
  using TFont::TFont;
};

class TColumn : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Text MEMBER Text)
public:
  TColumn(QObject *Parent, const QString &AText) : QObject(Parent), Text(AText) {}
  QString Text;
};

// A non-visual component with strings (one not stored, one read-only), a
// string list, a helper object, a collection and an object reference.
class TTestPanel : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption MEMBER Caption)
  Q_PROPERTY(QString Hint MEMBER Hint STORED false)
  Q_PROPERTY(QString Derived READ Derived)
  Q_PROPERTY(QStringList Lines MEMBER Lines)
  Q_PROPERTY(TFont *Font MEMBER Font)
  Q_PROPERTY(QObjectList Columns MEMBER Columns)
  Q_PROPERTY(QObject *Buddy MEMBER Buddy)
public:
  TTestPanel(QObject *Parent, const QString &Name, bool bDerivedFont = false) : QObject(Parent) {
    setObjectName(Name);
    Font = bDerivedFont ? new TDerivedFont(this) : new TFont(this);
  }
  QString Derived() const { return Caption + u'!'; }
  TColumn *Column(int I) const { return static_cast<TColumn *>(Columns[I]); }
  QString Caption, Hint;
  QStringList Lines;
  TFont *Font;
  QObjectList Columns;
  QObject *Buddy = nullptr;
};

// A settings dialog built in code: a named group box holding a label and a
// button, an unnamed frame holding a label, two buttons, an action, an
// unnamed label and unnamed layouts. The controller reads LangData when
// given, then the form reports itself loaded.
class TSettingsDialog : public QDialog {
  Q_OBJECT
public:
  explicit TSettingsDialog(const QByteArray &LangData = {},
                           const std::function<void(TSettingsDialog &)> &BeforeLoad = {}) {
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("Settings"));
    auto *Layout = new QVBoxLayout(this);
    TotalsGroupBox = new QGroupBox(QStringLiteral("Totals"), this);
    TotalsGroupBox->setObjectName(QStringLiteral("TotalsGroupBox"));
    auto *GroupLayout = new QHBoxLayout(TotalsGroupBox);
    CountLabel = Named(new QLabel(QStringLiteral("Count:"), TotalsGroupBox), u"CountLabel");
    ResetButton = Named(new QPushButton(QStringLiteral("&Reset"), TotalsGroupBox), u"ResetButton");
    GroupLayout->addWidget(CountLabel);
    GroupLayout->addWidget(ResetButton);
    auto *Frame = new QFrame(this);
    HintLabel = Named(new QLabel(QStringLiteral("Changes apply at once."), Frame), u"HintLabel");
    OKButton = Named(new QPushButton(QStringLiteral("OK"), this), u"OKButton");
    CancelButton = Named(new QPushButton(QStringLiteral("Cancel"), this), u"CancelButton");
    RefreshAction = new QAction(QStringLiteral("Refresh"), this);
    RefreshAction->setObjectName(QStringLiteral("RefreshAction"));
    addAction(RefreshAction);
    Layout->addWidget(TotalsGroupBox);
    Layout->addWidget(Frame);
    Layout->addWidget(new QLabel(QStringLiteral("Not localized"), this));
    if (BeforeLoad)
      BeforeLoad(*this);

    LangController = new TZrLanguageController(this, true);
    // Qt derives these from the action's text.
    LangController->SetIgnoreList({QStringLiteral("*.toolTip"), QStringLiteral("*.iconText")});
    if (!LangData.isEmpty()) {
      QBuffer Buffer;
      Buffer.setData(LangData);
      Buffer.open(QIODevice::ReadOnly);
      LangController->ReadLangData(Buffer);
    }
    LangController->Loaded();
  }

  QByteArray LangData() {
    QBuffer Buffer;
    Buffer.open(QIODevice::WriteOnly);
    LangController->WriteLangData(Buffer);
    return Buffer.data();
  }
  QStringList SourceLines() const {
    QStringList Lines;
    LangController->WriteSourceLines(Lines, {});
    return Lines;
  }
  // The texts the user sees, in a fixed order.
  QStringList Texts() const {
    return {windowTitle(),        TotalsGroupBox->title(), CountLabel->text(),
            ResetButton->text(),  HintLabel->text(),       OKButton->text(),
            CancelButton->text(), RefreshAction->text()};
  }

  QGroupBox *TotalsGroupBox;
  QLabel *CountLabel;
  QPushButton *ResetButton;
  QLabel *HintLabel;
  QPushButton *OKButton;
  QPushButton *CancelButton;
  QAction *RefreshAction;
  TZrLanguageController *LangController;

private:
  template <typename W> static W *Named(W *Widget, QStringView Name) {
    Widget->setObjectName(Name.toString());
    return Widget;
  }
};

// Tests that register languages with the process-wide manager: each starts
// in the default language with nothing registered and leaves it that way.
class TLanguageTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    ASSERT_EQ(LangManager().LanguageID(), 1033);
    ASSERT_EQ(LangManager().LanguageCount(), 1);
  }
  void TearDown() override {
    try {
      LangManager().SetLanguageID(1033);
    } catch (const std::exception &E) {
      ADD_FAILURE() << E.what();
    }
    while (LangManager().LanguageCount() > 1)
      LangManager().UnregisterLangResource(LangManager().LanguageIDs(1));
  }
  // A translation file in UTF-8 with its byte-order mark.
  QString WriteFile(const QString &RelPath, const QString &Text) const {
    const QString Path = FDir.filePath(RelPath);
    QDir().mkpath(QFileInfo(Path).absolutePath());
    QFile F(Path);
    if (!F.open(QIODevice::WriteOnly))
      ADD_FAILURE() << "cannot write " << Path.toStdString();
    F.write("\xEF\xBB\xBF");
    F.write(Text.toUtf8());
    return Path;
  }
  QString Path(const QString &RelPath) const { return FDir.filePath(RelPath); }

private:
  QTemporaryDir FDir;
};

// Counts the notifications of one controller.
struct TEventCounter {
  explicit TEventCounter(TZrLanguageController *C) {
    QObject::connect(C, &TZrLanguageController::OnLanguageChanging, C,
                     [this](TZrLanguageController *) { ++Changing; });
    QObject::connect(C, &TZrLanguageController::OnLanguageChanged, C,
                     [this](TZrLanguageController *) { ++Changed; });
  }
  int Changing = 0;
  int Changed = 0;
};
