#pragma once

#include "TextMatcher.h"

#include <QFlags>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The texts of an entry that a search looks at.
enum TFindField {
  ffNames = 1,
  ffSource = 2,
  ffDisplay = 4,
  ffTranslated = 8,
};
Q_DECLARE_FLAGS(TFindFields, TFindField)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFindFields)

// The main window's find and replace bar, named "FindBar". It only collects
// what to find and where and asks for the search through its signals; the
// window does the searching. Enter in the find field finds the next match,
// Shift+Enter the previous one, Enter in the replacement field replaces, and
// Escape anywhere in the bar closes it. A regular expression that does not
// compile tints the find field and explains itself in its tooltip.
class TFindBar : public QWidget {
  Q_OBJECT
  // Leads the tooltip of a find field that holds a bad regular expression.
  Q_PROPERTY(QString InvalidPatternHint READ InvalidPatternHint WRITE SetInvalidPatternHint)

public:
  explicit TFindBar(QWidget *Parent = nullptr);

  // Both show the bar and put the focus into the find field, its text selected.
  void ShowFind();
  void ShowReplace();
  bool IsReplaceMode() const;

  QString Pattern() const;
  void SetPattern(const QString &Value);
  QString Replacement() const;
  bool MatchCase() const;
  bool WholeWords() const;
  bool RegularExpression() const;
  TFindFields FindFields() const;
  void SetFindFields(TFindFields Value);
  // The matcher for the current pattern and options.
  TTextMatcher Matcher() const;

  const QString &InvalidPatternHint() const { return FInvalidPatternHint; }
  void SetInvalidPatternHint(const QString &Value);

Q_SIGNALS:
  void FindRequested(bool Backward);
  void ReplaceRequested();
  void ReplaceAllRequested();
  // The bar has hidden itself.
  void CloseRequested();

protected:
  bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
  void CreateControls();
  void ShowMode(bool Replace);
  void Close();
  void UpdatePatternState();

  QLineEdit *FindEdit;
  QLineEdit *ReplaceEdit;
  QToolButton *CloseButton;
  QCheckBox *MatchCaseCheck;
  QCheckBox *WholeWordsCheck;
  QCheckBox *RegularExpressionCheck;
  QCheckBox *NamesCheck;
  QCheckBox *SourceValuesCheck;
  QCheckBox *DisplayValuesCheck;
  QCheckBox *TranslatedValuesCheck;
  QList<QWidget *> FReplaceRow;
  QString FInvalidPatternHint;
};
