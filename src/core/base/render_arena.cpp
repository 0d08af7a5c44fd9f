#include "base/render_arena.h"

#include <tbb/global_control.h>
#include <tbb/info.h>

#include <cstddef>
#include <mutex>

namespace lumi {

namespace {

thread_local int t_arenas_entered = 0;

// The task library keeps no more threads than the machine has cores unless told to: a
// larger count (8 threads on a 2-core machine) would otherwise leave the arena's extra
// places empty and quietly run with fewer.
std::unique_ptr<tbb::global_control> WorkerLimitFor(int threads) {
  if (threads <= tbb::info::default_concurrency()) return nullptr;
  return std::make_unique<tbb::global_control>(tbb::global_control::max_allowed_parallelism,
                                               static_cast<std::size_t>(threads));
}

}  // namespace

void RenderArena::Membership::on_scheduler_entry(bool) {
  ++t_arenas_entered;
}
void RenderArena::Membership::on_scheduler_exit(bool) {
  --t_arenas_entered;
}

RenderArena::RenderArena(int threads) : threads_(threads), arena_(threads), membership_(arena_) {
  membership_.observe(true);
}

RenderArena::~RenderArena() {
  membership_.observe(false);
}

std::shared_ptr<RenderArena> RenderArenaFor(int threads) {
  static std::mutex mutex;
  static std::unique_ptr<tbb::global_control> limit;
  static std::shared_ptr<RenderArena> current;
  const std::lock_guard lock(mutex);
  if (!current || current->Threads() != threads) {
    current.reset();
    limit = WorkerLimitFor(threads);
    current = std::make_shared<RenderArena>(threads);
  }
  return current;
}

bool OnARenderThread() {
  return t_arenas_entered > 0;
}

}  // namespace lumi
