#pragma once
// Work that runs beside other work (objects rendered at once) must not touch what all of
// them share in a fixed order: the shared random generator and the texture bank, whose
// state each use leaves for the next. Such work sets the flag below; touching either
// then throws NeedsItsTurn, and the work is run again when its turn comes.
namespace lumi {

struct NeedsItsTurn {};

inline thread_local bool t_running_beside_others = false;

inline void RequireOwnTurn() {
  if (t_running_beside_others) throw NeedsItsTurn{};
}

}  // namespace lumi
