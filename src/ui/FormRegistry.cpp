#include "FormRegistry.h"

std::vector<TFormDescriptor> LingroveForms() { return {}; }
