// Builds a module of the kind a catalogue entry names.
#pragma once

#include "app/modulesoort.h"

class TfKwintelvlak;
class TModule;

// The new module, not yet numbered, placed or on the board; nullptr for a
// kind this program cannot build.
TModule* maakModuleVanSoort(TfKwintelvlak* owner, PModuleSoort entry);
