#include "repair/repair_action.h"

#include "repair/delete_registry_tree.h"

namespace quellbrin {

void RunRepair(Registry& registry, RepairUi& ui, bool& fixedBefore) {
  const bool ok = DeleteRegistryTree(registry, kLocalMachine, kOleDeletePath);

  // Re-created whatever the deletion did; its result changes nothing.
  {
    ScopedRegKey created(registry);
    registry.CreateKey(kLocalMachine, kOleCreatePath, kAccessAll, created.put());
  }

  if (fixedBefore) {
    ui.ShowStatus(kStatusAlreadyFixed);
  } else if (!ok) {
    ui.ShowStatus(kStatusFailed);
  } else {
    ui.ShowStatus(kStatusFixed);
    fixedBefore = true;
    if (ui.AskRestart(kRestartQuestion)) ui.RequestRestart();
  }
}

}  // namespace quellbrin
