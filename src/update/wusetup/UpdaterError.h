#pragma once

#include "Exceptions.h"

// A fault of the updater run: a malformed hand-over command line, an unsafe
// component name, or a component that cannot be replaced.
class EUpdaterError : public Exception {
public:
  using Exception::Exception;
};
