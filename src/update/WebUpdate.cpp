#include "WebUpdate.h"

TWebUpdate::TWebUpdate(QObject *Owner) : QObject(Owner) {}

TWebUpdate::~TWebUpdate() = default;

bool TWebUpdate::NewVersionAvailable() { return false; }

bool TWebUpdate::DoUpdate() { return false; }
