#include "modules/fabriek.h"

#include "modules/module.h"

TModule* maakModuleVanSoort(TfKwintelvlak* owner, PModuleSoort entry) {
    (void)owner;
    switch (entry->soort) {
    default:
        return nullptr;
    }
}
