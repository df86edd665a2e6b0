#pragma once

#include "BaseDialog.h"

#include <QList>

class QCheckBox;
class QGroupBox;
class QListWidget;
class TLogListView;
class TZrLanguageController;

// Shows what the structure comparison changed in an opened translation: the
// log of added and deleted entries and a table of totals. It only informs;
// closing it changes nothing.
//
// Use, with the log and the nine counters of the comparison in its order:
//   TUIDifferencesDialog::Execute(this, Log, AddedComps, AddedProps,
//       AddedConsts, RemovedComps, RemovedProps, RemovedConsts, Comps,
//       Props, Consts);
// or with the counters in a list of nine: Execute(this, Log, Counts).
class TUIDifferencesDialog : public TUIBaseDialog {
  Q_OBJECT

public:
  explicit TUIDifferencesDialog(QWidget *AOwner = nullptr);
  ~TUIDifferencesDialog() override;

  static void Execute(QWidget *AOwner, const QString &Log, int CntAddedComps, int CntAddedProps,
                      int CntAddedConsts, int CntRemovedComps, int CntRemovedProps,
                      int CntRemovedConsts, int CntComps, int CntProps, int CntConsts);
  // The same with the nine counters as a list, in the comparison's order.
  // With bCanAutoTranslate (the memory holds the translation's language
  // pair) the user may ask for the untranslated entries to be filled from
  // the memory; the answer is remembered in the settings (AutoTranslateOnOpen)
  // and returned. Without, the check is off and unavailable.
  static bool Execute(QWidget *AOwner, const QString &Log, const QList<int> &Counts,
                      bool bCanAutoTranslate = false);

  // Shows the log, a line a row, without its leading and trailing blanks
  // and line breaks.
  void SetLog(const QString &Log);
  QString Log() const;
  // Fills the totals table: a heading row, then the rows Added, Removed and
  // Total, each with the columns Components, Properties and Constants.
  void SetTotals(int CntAddedComps, int CntAddedProps, int CntAddedConsts, int CntRemovedComps,
                 int CntRemovedProps, int CntRemovedConsts, int CntComps, int CntProps,
                 int CntConsts);
  // The same with the nine counters as a list; missing ones count 0.
  void SetTotals(const QList<int> &Counts);
  // The rows of the totals table, columns separated by tabs.
  QStringList Totals() const;
  // Where the columns of the totals table start, in pixels.
  int TotalsTabStop() const;

  TLogListView *LogMemo;
  QGroupBox *TotalsGroupBox;
  QListWidget *TotalsListBox;
  QCheckBox *AutoTranslateCheck;

protected:
  void UpdateCaptions() override;
  void UpdateSize() override;

private:
  void CreateLangController();

  TZrLanguageController *ZrLanguageController = nullptr;
};
