#include "base/parallel_render.h"

#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>

#include "base/host.h"
#include "base/render_arena.h"
#include "base/work_turn.h"

namespace lumi {

namespace {

constexpr int kMaxThreads = 256;
std::atomic<int> g_thread_count{0};

int ThreadsFromEnvironment() {
  const char* text = std::getenv("LUMI_THREADS");
  if (!text || !*text) return 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 1 || value > kMaxThreads) return 0;
  return static_cast<int>(value);
}

// Runs `work` with the render threads: directly when already on one of them (a row loop
// inside an object's render) or when there is only one, otherwise in the arena of the
// thread count.
template <class Work>
void WithThreads(int threads, Work&& work) {
  if (OnARenderThread()) {
    // Isolated: a thread waiting here takes no other object's work, so a task holding a
    // lock is never entered by a second task on the same thread.
    tbb::this_task_arena::isolate(work);
    return;
  }
  if (threads <= 1) {
    // One thread needs no arena, and making one would let go of the arena of the count
    // used before, whose threads the next loop with that count would have to start again.
    work();
    return;
  }
  RenderArenaFor(threads)->Execute(work);
}

// Keeps every call back for a later replay; questions cannot be kept back.
class KeptCalls final : public Host {
 public:
  void Message(std::string_view text, MessageKind kind) override {
    calls_.push_back([t = std::string(text), kind](Host& h) { h.Message(t, kind); });
  }
  // A question needs the real host: the task runs again in its turn.
  Answer Ask(std::string_view, AskButtons) override { throw NeedsItsTurn{}; }
  void StatusText(int pane, std::string_view text) override {
    calls_.push_back([pane, t = std::string(text)](Host& h) { h.StatusText(pane, t); });
  }
  void ProgressStart(std::string_view title, int range) override {
    calls_.push_back([t = std::string(title), range](Host& h) { h.ProgressStart(t, range); });
  }
  void ProgressStep(int position) override {
    calls_.push_back([position](Host& h) { h.ProgressStep(position); });
  }
  void ProgressEnd() override {
    calls_.push_back([](Host& h) { h.ProgressEnd(); });
  }
  void BeginWaitCursor() override {
    calls_.push_back([](Host& h) { h.BeginWaitCursor(); });
  }
  void EndWaitCursor() override {
    calls_.push_back([](Host& h) { h.EndWaitCursor(); });
  }
  void ReplayInto(Host& host) const {
    for (const auto& call : calls_) call(host);
  }

 private:
  std::vector<std::function<void(Host&)>> calls_;
};

// The count of tasks of the RunInOrder loop this thread works for that no thread has
// started yet (none outside such a loop).
thread_local const std::atomic<std::size_t>* t_tasks_waiting = nullptr;

struct TaskOutcome {
  KeptCalls calls;
  std::exception_ptr error;
  bool needs_turn = false;  // runs on the calling thread in its turn
};

}  // namespace

int RenderThreadCount() {
  if (const int set = g_thread_count.load(); set > 0) return set;
  if (const int env = ThreadsFromEnvironment(); env > 0) return env;
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
}

void SetRenderThreadCount(int threads) {
  g_thread_count.store(std::clamp(threads, 0, kMaxThreads));
}

void OnRenderThreads(const std::function<void()>& work) {
  WithThreads(RenderThreadCount(), work);
}

void ParallelFor(std::size_t n, const std::function<void(std::size_t)>& body) {
  const int threads = RenderThreadCount();
  if (threads <= 1 || n <= 1) {
    for (std::size_t i = 0; i < n; ++i) body(i);
    return;
  }
  WithThreads(threads, [&] {
    tbb::parallel_for(std::size_t{0}, n, [&](std::size_t i) { body(i); });
  });
}

void ParallelRows(int rows, int min_rows, const std::function<void(int, int)>& body) {
  const int threads = RenderThreadCount();
  if (rows <= 0) return;
  // While other objects still wait for a thread, every thread has whole objects to
  // render: splitting one object's rows then only moves its pixels between the cores'
  // caches. The last objects split their rows again, so no thread waits at the end.
  const bool others_waiting = t_tasks_waiting && t_tasks_waiting->load(std::memory_order_relaxed) > 0;
  if (threads <= 1 || rows < std::max(min_rows, 2) || others_waiting) {
    body(0, rows);
    return;
  }
  // A few bands per thread even out rows of uneven cost.
  const int bands = std::min(rows, threads * 4);
  WithThreads(threads, [&] {
    tbb::parallel_for(0, bands, [&](int b) {
      const int first = static_cast<int>(static_cast<long long>(rows) * b / bands);
      const int last = static_cast<int>(static_cast<long long>(rows) * (b + 1) / bands);
      if (first < last) body(first, last);
    });
  });
}

int MinRowsToSplit(int width) {
  constexpr int kMinPixels = 1 << 16;
  return std::max(2, kMinPixels / std::max(width, 1));
}

void RunInOrder(std::size_t n, Host& host, const std::function<void(std::size_t, Host&)>& task,
                const std::function<bool(std::size_t)>& in_turn) {
  if (RenderThreadCount() <= 1 || n <= 1) {
    for (std::size_t i = 0; i < n; ++i) task(i, host);
    return;
  }
  std::vector<std::unique_ptr<TaskOutcome>> outcomes(n);
  for (auto& outcome : outcomes) outcome = std::make_unique<TaskOutcome>();
  std::atomic<std::size_t> waiting{n};
  ParallelFor(n, [&](std::size_t i) {
    waiting.fetch_sub(1, std::memory_order_relaxed);
    const std::atomic<std::size_t>* outer = std::exchange(t_tasks_waiting, &waiting);
    struct Restore {
      const std::atomic<std::size_t>* outer;
      ~Restore() { t_tasks_waiting = outer; }
    } restore{outer};
    TaskOutcome& outcome = *outcomes[i];
    if (in_turn && in_turn(i)) {
      outcome.needs_turn = true;
      return;
    }
    t_running_beside_others = true;
    try {
      task(i, outcome.calls);
    } catch (const NeedsItsTurn&) {
      outcome.needs_turn = true;
    } catch (...) {
      outcome.error = std::current_exception();
    }
    t_running_beside_others = false;
  });
  // The tasks that wait for their turn run now, each after the replay of those before.
  std::exception_ptr error;
  for (std::size_t i = 0; i < n && !error; ++i) {
    TaskOutcome& outcome = *outcomes[i];
    if (outcome.needs_turn) {
      // A task stopped early makes its calls again in this run.
      try {
        task(i, host);
      } catch (...) {
        error = std::current_exception();
      }
      continue;
    }
    outcome.calls.ReplayInto(host);
    error = outcome.error;
  }
  if (error) std::rethrow_exception(error);
}

}  // namespace lumi
