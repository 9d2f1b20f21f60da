// The editor is built on the store: its names are the editor's own.
#pragma once
#include "store/Handover.h"
#include "store/IniNumbers.h"
#include "store/Options.h"
#include "store/PathRules.h"
#include "store/Store.h"

namespace corvane::app {
using namespace corvane::store;
} // namespace corvane::app
