#pragma once

#include <QAction>
#include <QMenu>

// An action of the program's command vocabulary. Its hint is shown in the
// status bar and as the tooltip of toolbar buttons; the category groups
// actions for the toolbar customizer and is never translated.
class TAction : public QAction {
  Q_OBJECT
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
  Q_PROPERTY(QString Category READ Category WRITE SetCategory)

public:
  using QAction::QAction;

  const QString &Hint() const { return FHint; }
  void SetHint(const QString &Value);
  const QString &Category() const { return FCategory; }
  void SetCategory(const QString &Value) { FCategory = Value; }

private:
  QString FHint;
  QString FCategory;
};

// A submenu with a hint for the status bar.
class TMenu : public QMenu {
  Q_OBJECT
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
  using QMenu::QMenu;

  QString Hint() const { return menuAction()->statusTip(); }
  void SetHint(const QString &Value) { menuAction()->setStatusTip(Value); }
};
