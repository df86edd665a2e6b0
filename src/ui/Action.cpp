#include "Action.h"

void TAction::SetHint(const QString &Value) {
  FHint = Value;
  setStatusTip(Value);
  // Without a hint the toolbar shows the caption, as Qt does by default.
  setToolTip(Value);
}
