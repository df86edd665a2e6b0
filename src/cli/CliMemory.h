#pragma once

#include "CliCommand.h"

#include <memory>

class TTranslationMemory;

// The --memory option of the commands that use the translation memory.
TCliOption CliMemoryOption();

// The memory --memory names, else the user's. With bCreate false the user's
// memory is used only when it exists (null otherwise): a command that just
// keeps removed translations creates none.
std::unique_ptr<TTranslationMemory> OpenCliMemory(const TCliArguments &Args, bool bCreate);
