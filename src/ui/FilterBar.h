#pragma once

#include "EntryFilter.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

class QComboBox;
class QLineEdit;
class TEntryTreeModel;
class TEntryTreeView;

// The bar above the entry grid that filters it: a text field and a choice of
// translation states. Typing applies the filter once the typing pauses for
// TypingDelayMs; Enter applies it at once; Escape empties the field (and
// applies), or in an empty field gives the grid the focus. Another state
// applies at once.
//
// Applying commits an open in-place edit, sets the model's filter, expands
// every shown row and keeps the grid's current row when it is still shown;
// otherwise the first shown entry becomes current.
class TFilterBar : public QWidget {
  Q_OBJECT
  // The captions of the state choice in TEntryStateFilter order, a form
  // property so that they are translated with the window.
  Q_PROPERTY(QStringList StateCaptions READ StateCaptions WRITE SetStateCaptions)

public:
  static constexpr int TypingDelayMs = 200;

  // Model and View must outlive the bar; View shows Model.
  TFilterBar(TEntryTreeModel &Model, TEntryTreeView &View, QWidget *Parent = nullptr);

  QStringList StateCaptions() const;
  // Captions beyond the states are ignored; missing ones keep theirs.
  void SetStateCaptions(const QStringList &Captions);

  // The filter the controls describe.
  TEntryFilter Filter() const;
  void Apply();
  // Gives the text field the focus with its text selected.
  void FocusText();

Q_SIGNALS:
  // The model's filter was set and the grid's current row chosen.
  void Applied();

protected:
  bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
  TEntryTreeModel &FModel;
  TEntryTreeView &FView;
  QLineEdit *FilterEdit;
  QComboBox *StateCombo;
  QTimer FTypingTimer;
};
