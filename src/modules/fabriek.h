// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Builds a module of the kind a catalogue entry names.
#pragma once

#include "app/modulesoort.h"

#include <functional>

class TfKwintelvlak;
class TModule;

// The new module, not yet numbered, placed or on the board; nullptr for a
// kind this program cannot build.
TModule* maakModuleVanSoort(TfKwintelvlak* owner, PModuleSoort entry);

// Plug-in modules (kind 20) are built by the plug-in subsystem, which installs
// its builder here. Until one is installed, kind 20 cannot be built and
// maakModuleVanSoort returns nullptr for it, as for any unknown kind. An
// empty function removes the builder again.
// A builder that refuses to make a module, after telling the user why,
// throws this; maakModule then makes nothing and adds no message of its own.
struct TModuleGeweigerd {};

using ZwenkelBouwer = std::function<TModule*(TfKwintelvlak* owner, PModuleSoort entry)>;
void zetZwenkelBouwer(ZwenkelBouwer bouwer);
