#pragma once
// The task arena the render threads work in: one for the process, made again only when
// the thread count changes, so that every loop runs with the count it was given.
#include <tbb/task_arena.h>
#include <tbb/task_scheduler_observer.h>

#include <memory>

namespace lumi {

class RenderArena {
 public:
  explicit RenderArena(int threads);
  ~RenderArena();
  RenderArena(const RenderArena&) = delete;
  RenderArena& operator=(const RenderArena&) = delete;

  int Threads() const { return threads_; }
  template <class Work>
  void Execute(Work&& work) {
    arena_.execute(work);
  }

 private:
  // Tells each thread while it works in this arena (see OnARenderThread).
  class Membership final : public tbb::task_scheduler_observer {
   public:
    explicit Membership(tbb::task_arena& arena) : tbb::task_scheduler_observer(arena) {}
    void on_scheduler_entry(bool is_worker) override;
    void on_scheduler_exit(bool is_worker) override;
  };

  int threads_;
  tbb::task_arena arena_;
  Membership membership_;
};

// The arena for `threads` threads, made now if the last one had another count. Work
// still running in an earlier arena keeps it alive.
std::shared_ptr<RenderArena> RenderArenaFor(int threads);

// True on a thread taking part in a render arena: the caller of its Execute, or a worker
// running its tasks.
bool OnARenderThread();

}  // namespace lumi
