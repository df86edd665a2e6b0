// The find bar driven through its keys and buttons inside a host window, and
// its captions as the main window's language controller sees them.
#include "FindBar.h"
#include "LanguageController.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString &V, std::ostream *Os) {
  *Os << '"' << V.toStdString() << '"';
}

namespace {

// A stand-in for the main window with the bar as its child.
class FindBarTest : public testing::Test {
protected:
  void SetUp() override {
    Host.setObjectName(QStringLiteral("HostForm"));
    auto *Layout = new QVBoxLayout(&Host);
    Layout->addWidget(new QLineEdit(&Host));
    Bar = new TFindBar(&Host);
    Layout->addWidget(Bar);
    Host.resize(784, 300);
    Host.show();
    QApplication::setActiveWindow(&Host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Host));
    connect(Bar, &TFindBar::FindRequested, [this](bool Backward) {
      Signals.append(Backward ? QStringLiteral("FindPrevious") : QStringLiteral("FindNext"));
    });
    connect(Bar, &TFindBar::ReplaceRequested,
            [this] { Signals.append(QStringLiteral("Replace")); });
    connect(Bar, &TFindBar::ReplaceAllRequested,
            [this] { Signals.append(QStringLiteral("ReplaceAll")); });
    connect(Bar, &TFindBar::CloseRequested, [this] { Signals.append(QStringLiteral("Close")); });
  }

  template <class T> T *Child(const char *Name) {
    T *W = Bar->findChild<T *>(QLatin1StringView(Name));
    EXPECT_NE(W, nullptr) << Name;
    return W;
  }

  static void connect(TFindBar *Sender, auto Signal, auto Slot) {
    QObject::connect(Sender, Signal, Sender, Slot);
  }

  QWidget Host;
  TFindBar *Bar = nullptr;
  QStringList Signals;
};

TEST_F(FindBarTest, StartsHiddenAndShowsTheFindModeWithItsDefaults) {
  EXPECT_FALSE(Bar->isVisible());
  Bar->ShowFind();
  EXPECT_TRUE(Bar->isVisible());
  EXPECT_FALSE(Bar->IsReplaceMode());
  EXPECT_EQ(Bar->FindFields(), ffSource | ffTranslated);
  EXPECT_FALSE(Bar->MatchCase() || Bar->WholeWords() || Bar->RegularExpression());
  for (const char *Name : {"ReplaceLabel", "ReplaceEdit", "ReplaceButton", "ReplaceAllButton"})
    EXPECT_FALSE(Child<QWidget>(Name)->isVisible()) << Name;
  EXPECT_TRUE(Child<QWidget>("FindEdit")->isVisible());
}

TEST_F(FindBarTest, ReplaceModeShowsTheReplaceRowUntilFindModeAgain) {
  Bar->ShowReplace();
  EXPECT_TRUE(Bar->IsReplaceMode());
  for (const char *Name : {"ReplaceLabel", "ReplaceEdit", "ReplaceButton", "ReplaceAllButton"})
    EXPECT_TRUE(Child<QWidget>(Name)->isVisible()) << Name;
  Bar->ShowFind();
  EXPECT_FALSE(Bar->IsReplaceMode());
  EXPECT_FALSE(Child<QWidget>("ReplaceEdit")->isVisible());
}

TEST_F(FindBarTest, ShowingFocusesTheFindFieldWithItsTextSelected) {
  for (const bool Replace : {true, false}) {
    Bar->SetPattern(QStringLiteral("Öffnen"));
    Child<QLineEdit>("ReplaceEdit")->setFocus();
    Replace ? Bar->ShowReplace() : Bar->ShowFind();
    auto *Find = Child<QLineEdit>("FindEdit");
    EXPECT_EQ(QApplication::focusWidget(), Find);
    EXPECT_EQ(Find->selectedText(), QStringLiteral("Öffnen"));
    EXPECT_EQ(Bar->Pattern(), QStringLiteral("Öffnen"));
  }
}

TEST_F(FindBarTest, FieldsAndOptionsComeBackAsSetAndMakeTheMatcher) {
  Bar->SetFindFields(ffNames | ffDisplay);
  EXPECT_EQ(Bar->FindFields(), ffNames | ffDisplay);
  EXPECT_TRUE(Child<QCheckBox>("NamesCheck")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>("SourceValuesCheck")->isChecked());

  Bar->SetPattern(QStringLiteral("a+"));
  Child<QCheckBox>("MatchCaseCheck")->setChecked(true);
  Child<QCheckBox>("RegularExpressionCheck")->setChecked(true);
  const TTextMatcher M = Bar->Matcher();
  EXPECT_EQ(M.Pattern(), QStringLiteral("a+"));
  EXPECT_EQ(M.Options(), tmoMatchCase | tmoRegularExpression);
  EXPECT_EQ(M.Find(QStringLiteral("AAaa"), 0), (TTextMatch{2, 2}));
}

struct TKeyCase {
  const char *Name;
  bool Replace;
  const char *Target;
  std::function<void(QWidget *)> Press;
  QStringList Signals;
  bool StaysVisible;
};

class FindBarKeys : public FindBarTest, public testing::WithParamInterface<TKeyCase> {};

TEST_P(FindBarKeys, SendTheirRequests) {
  const TKeyCase &C = GetParam();
  Bar->SetPattern(QStringLiteral("text"));
  C.Replace ? Bar->ShowReplace() : Bar->ShowFind();
  QWidget *Target = Child<QWidget>(C.Target);
  Target->setFocus();
  C.Press(Target);
  EXPECT_EQ(Signals, C.Signals);
  EXPECT_EQ(Bar->isVisible(), C.StaysVisible);
  EXPECT_TRUE(Host.isVisible());
}

void Key(QWidget *W, Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) {
  QTest::keyClick(W, K, M);
}

const QStringList Close = {QStringLiteral("Close")};

INSTANTIATE_TEST_SUITE_P(
    Bar, FindBarKeys,
    testing::Values(TKeyCase{"EnterInFind",
                             false,
                             "FindEdit",
                             [](QWidget *W) { Key(W, Qt::Key_Return); },
                             {QStringLiteral("FindNext")},
                             true},
                    TKeyCase{"KeypadEnterInFind",
                             false,
                             "FindEdit",
                             [](QWidget *W) { Key(W, Qt::Key_Enter, Qt::KeypadModifier); },
                             {QStringLiteral("FindNext")},
                             true},
                    TKeyCase{"ShiftEnterInFind",
                             true,
                             "FindEdit",
                             [](QWidget *W) { Key(W, Qt::Key_Return, Qt::ShiftModifier); },
                             {QStringLiteral("FindPrevious")},
                             true},
                    TKeyCase{"EnterInReplacement",
                             true,
                             "ReplaceEdit",
                             [](QWidget *W) { Key(W, Qt::Key_Return); },
                             {QStringLiteral("Replace")},
                             true},
                    TKeyCase{"EscapeInFind", false, "FindEdit",
                             [](QWidget *W) { Key(W, Qt::Key_Escape); }, Close, false},
                    TKeyCase{"EscapeInReplacement", true, "ReplaceEdit",
                             [](QWidget *W) { Key(W, Qt::Key_Escape); }, Close, false},
                    TKeyCase{"EscapeOnACheckBox", false, "TranslatedValuesCheck",
                             [](QWidget *W) { Key(W, Qt::Key_Escape); }, Close, false},
                    TKeyCase{"EscapeOnAButton", true, "ReplaceAllButton",
                             [](QWidget *W) { Key(W, Qt::Key_Escape); }, Close, false},
                    TKeyCase{"FindPreviousButton",
                             false,
                             "FindPreviousButton",
                             [](QWidget *W) { QTest::mouseClick(W, Qt::LeftButton); },
                             {QStringLiteral("FindPrevious")},
                             true},
                    TKeyCase{"FindNextButton",
                             false,
                             "FindNextButton",
                             [](QWidget *W) { QTest::mouseClick(W, Qt::LeftButton); },
                             {QStringLiteral("FindNext")},
                             true},
                    TKeyCase{"ReplaceButton",
                             true,
                             "ReplaceButton",
                             [](QWidget *W) { QTest::mouseClick(W, Qt::LeftButton); },
                             {QStringLiteral("Replace")},
                             true},
                    TKeyCase{"ReplaceAllButton",
                             true,
                             "ReplaceAllButton",
                             [](QWidget *W) { QTest::mouseClick(W, Qt::LeftButton); },
                             {QStringLiteral("ReplaceAll")},
                             true},
                    TKeyCase{"CloseButton", true, "CloseButton",
                             [](QWidget *W) { QTest::mouseClick(W, Qt::LeftButton); }, Close,
                             false}),
    [](const testing::TestParamInfo<TKeyCase> &Info) { return Info.param.Name; });

TEST_F(FindBarTest, EscapeOutsideTheBarLeavesItOpen) {
  Bar->ShowFind();
  QWidget *Outside = Host.findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
  Outside->setFocus();
  Key(Outside, Qt::Key_Escape);
  EXPECT_TRUE(Bar->isVisible());
  EXPECT_TRUE(Signals.isEmpty());
}

TEST_F(FindBarTest, BadRegularExpressionTintsTheFindFieldAndExplainsItself) {
  Bar->ShowFind();
  auto *Find = Child<QLineEdit>("FindEdit");
  const QColor Normal = Find->palette().color(QPalette::Base);
  Bar->SetPattern(QStringLiteral("(a"));
  EXPECT_TRUE(Find->toolTip().isEmpty()) << "a literal text is never bad";
  Child<QCheckBox>("RegularExpressionCheck")->setChecked(true);
  const QColor Tinted = Find->palette().color(QPalette::Base);
  EXPECT_NE(Tinted, Normal);
  EXPECT_EQ(Find->toolTip(), Bar->InvalidPatternHint() + u'\n' + Bar->Matcher().ErrorString());
  // The language controller writes the property; the tooltip follows.
  Bar->setProperty("InvalidPatternHint", QStringLiteral("Ungültiger Ausdruck:"));
  EXPECT_TRUE(Find->toolTip().startsWith(QStringLiteral("Ungültiger Ausdruck:\n")));
  Key(Find, Qt::Key_End);
  Key(Find, Qt::Key_B);
  EXPECT_EQ(Find->palette().color(QPalette::Base), Tinted);
  Key(Find, Qt::Key_ParenRight);
  EXPECT_EQ(Bar->Pattern(), QStringLiteral("(ab)"));
  EXPECT_EQ(Find->palette().color(QPalette::Base), Normal);
  EXPECT_TRUE(Find->toolTip().isEmpty());
}

// The bar's captions as the language tool writes them into the language
// source: "Path=ID,Text".
QMap<QString, QString> SourceTexts(QWidget &Host) {
  auto *Controller = new TZrLanguageController(&Host);
  EXPECT_TRUE(Controller->UpdateSourceEntries());
  QStringList Lines;
  Controller->WriteSourceLines(Lines, {});
  delete Controller;
  QMap<QString, QString> Texts;
  static const QRegularExpression Line(QStringLiteral("^(FindBar\\.[^=]+)=\\d+,(.*)$"));
  for (const QString &L : std::as_const(Lines))
    if (const QRegularExpressionMatch M = Line.match(L); M.hasMatch())
      Texts.insert(M.captured(1), M.captured(2));
  return Texts;
}

TEST_F(FindBarTest, CloseButtonShowsItsTranslatedCaptionAsTooltip) {
  Bar->ShowFind();
  auto *Close = Child<QToolButton>("CloseButton");
  Close->setText(QStringLiteral("Schließen"));
  QHelpEvent Help(QEvent::ToolTip, QPoint(2, 2), Close->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(Close, &Help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Schließen"));
}

TEST_F(FindBarTest, EveryWidgetHasAName) {
  for (const QWidget *W : Bar->findChildren<QWidget *>())
    EXPECT_FALSE(W->objectName().isEmpty()) << W->metaObject()->className();
}

// The bar lives in the main window's splitter; the program's language source
// gives each of its captions an ID in the main window's section, and every
// shipped translation has a text of its own for each.
class FindBarTranslation : public FindBarTest, public testing::WithParamInterface<const char *> {};

TEST_P(FindBarTranslation, HasATextForEveryCaption) {
  QFile SourceFile(QStringLiteral(LINGROVE_SOURCE_DIR "/languages/Lingrove.zrlang"));
  ASSERT_TRUE(SourceFile.open(QIODevice::ReadOnly));
  const QString SourceText = QString::fromUtf16(
      reinterpret_cast<const char16_t *>(SourceFile.readAll().constData()) + 1,
      SourceFile.size() / 2 - 1);
  QMap<QString, QString> IDs;
  static const QRegularExpression SourceLine(
      QStringLiteral("^MainSplitter\\.(FindBar\\.[^=]+)=(\\d{8}),"));
  for (const QString &L : SourceText.split(u'\n'))
    if (const QRegularExpressionMatch M = SourceLine.match(L.trimmed()); M.hasMatch())
      IDs.insert(M.captured(1), M.captured(2));

  QFile File(QStringLiteral(LINGROVE_SOURCE_DIR "/languages/") + QLatin1StringView(GetParam()));
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  QMap<QString, QString> Translated;
  bool InMainForm = false;
  for (const QString &L : QString::fromUtf8(File.readAll()).split(u'\n')) {
    const QString Line = L.trimmed();
    if (Line.startsWith(u'['))
      InMainForm = Line == QStringLiteral("[Application.MainForm]");
    else if (InMainForm && Line.contains(u'='))
      Translated.insert(Line.section(u'=', 0, 0), Line.section(u'=', 1));
  }
  const QMap<QString, QString> Source = SourceTexts(Host);
  EXPECT_EQ(IDs.keys().join(u' '), Source.keys().join(u' '));
  for (auto It = Source.cbegin(); It != Source.cend(); ++It) {
    const QString Text = Translated.value(IDs.value(It.key()));
    EXPECT_FALSE(Text.isEmpty()) << It.key().toStdString();
    EXPECT_NE(Text, It.value()) << It.key().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, FindBarTranslation,
                         testing::Values("German.lng", "Russian.lng"));

} // namespace
