// Work run side by side: the thread count, and RunInOrder's promise that calls, shared
// random draws and failures come out as a one-thread run gives them.
#include "base/parallel_render.h"

#include <gtest/gtest.h>
#include <tbb/task_arena.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/host.h"
#include "base/render_arena.h"
#include "base/runtime_random.h"

namespace lumi {
namespace {

class RunInOrderTest : public ::testing::Test {
 protected:
  ~RunInOrderTest() override { SetRenderThreadCount(0); }
};

TEST_F(RunInOrderTest, ThreadCountComesFromTheSettingThenTheEnvironment) {
  setenv("LUMI_THREADS", "3", 1);
  EXPECT_EQ(RenderThreadCount(), 3);
  SetRenderThreadCount(5);
  EXPECT_EQ(RenderThreadCount(), 5);
  SetRenderThreadCount(0);
  for (const char* unusable : {"0", "many", "300", ""}) {
    setenv("LUMI_THREADS", unusable, 1);
    EXPECT_GE(RenderThreadCount(), 1) << unusable;
    EXPECT_NE(RenderThreadCount(), 300) << unusable;
  }
  unsetenv("LUMI_THREADS");
}

// More threads than cores must really run side by side: the 8-thread runs of the other
// tests would otherwise compare one thread count with itself on a 2-core machine. Every
// task waits until all of them have started, which only that many threads can do.
TEST_F(RunInOrderTest, ThreadsBeyondTheCoresAllRunAtOnce) {
  for (int threads : {2, 8, 3}) {
    SetRenderThreadCount(threads);
    std::atomic<int> started{0}, saw_all{0}, arena_size{0};
    ParallelFor(static_cast<std::size_t>(threads), [&](std::size_t) {
      arena_size = tbb::this_task_arena::max_concurrency();
      ++started;
      const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (started.load() < threads && std::chrono::steady_clock::now() < give_up)
        std::this_thread::yield();
      if (started.load() == threads) ++saw_all;
    });
    EXPECT_EQ(saw_all.load(), threads) << threads << " threads";
    EXPECT_EQ(arena_size.load(), threads) << threads << " threads";
  }
}

// Work with one thread runs where it is called and leaves the arena of the count before
// alone: an export with one thread between two renders with two must not make the next
// render start its threads again.
TEST_F(RunInOrderTest, OneThreadWorkKeepsTheArenaOfTheCountBefore) {
  SetRenderThreadCount(2);
  const std::weak_ptr<RenderArena> two_threads = RenderArenaFor(2);
  SetRenderThreadCount(1);
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id ran_on;
  OnRenderThreads([&] { ran_on = std::this_thread::get_id(); });
  EXPECT_EQ(ran_on, caller);
  EXPECT_FALSE(two_threads.expired());
}

// What one run leaves: the host's log and the values the tasks drew.
struct Outcome {
  std::vector<std::string> log;
  std::vector<int> drawn;
  std::string error;
};

// Tasks of every kind: plain messages, shared random draws (announced and not), a
// question, and a failure at task 9 that stops the run.
Outcome RunMixedTasks(int threads) {
  SetRenderThreadCount(threads);
  SeedRandom(77);
  RecordingHost host;
  host.QueueAnswer(Answer::Yes);
  Outcome out;
  out.drawn.assign(12, -1);
  try {
    RunInOrder(12, host, [&](std::size_t i, Host& h) {
      WaitCursor wait(h);
      h.Message("task " + std::to_string(i));
      if (i % 3 == 1) out.drawn[i] = Rand() + Rand();  // 4 and 10 unannounced
      if (i == 5) h.Message(h.Ask("go on?", AskButtons::YesNo) == Answer::Yes ? "yes" : "no");
      if (i == 9) throw std::runtime_error("task 9 failed");
      h.StatusText(0, "done " + std::to_string(i));
    }, [](std::size_t i) { return i == 1 || i == 7; });
  } catch (const std::runtime_error& e) {
    out.error = e.what();
  }
  out.log = host.Log();
  return out;
}

TEST_F(RunInOrderTest, CallsDrawsAndFailuresAreThoseOfOneThread) {
  const Outcome one = RunMixedTasks(1);
  ASSERT_EQ(one.error, "task 9 failed");
  ASSERT_GE(one.log.size(), 2u);
  EXPECT_EQ(one.log[one.log.size() - 2], "message: task 9");
  EXPECT_EQ(one.drawn[10], -1) << "nothing after the failure runs on one thread";
  for (int threads : {2, 8}) {
    const Outcome many = RunMixedTasks(threads);
    EXPECT_EQ(many.log, one.log) << threads << " threads";
    EXPECT_EQ(many.error, one.error);
    for (std::size_t i = 0; i <= 9; ++i) EXPECT_EQ(many.drawn[i], one.drawn[i]) << "task " << i;
  }
}

TEST_F(RunInOrderTest, RowsAreCoveredOnceWhateverTheThreads) {
  for (int threads : {1, 2, 8}) {
    SetRenderThreadCount(threads);
    for (int rows : {0, 1, 7, 64, 1001}) {
      std::vector<std::atomic<int>> seen(static_cast<std::size_t>(rows));
      ParallelRows(rows, 4, [&](int first, int last) {
        for (int y = first; y < last; ++y) ++seen[static_cast<std::size_t>(y)];
      });
      for (int y = 0; y < rows; ++y) ASSERT_EQ(seen[static_cast<std::size_t>(y)], 1) << rows << " rows, row " << y;
    }
  }
}

// Objects rendered at once keep their row loops whole while other objects wait for a
// thread; the last one to start splits its rows again so no thread idles at the end.
// Either way every row is done once.
TEST_F(RunInOrderTest, RowLoopsInsideTasksCoverTheirRowsOnceAndTheLastTaskSplitsThem) {
  constexpr std::size_t kTasks = 40;
  constexpr int kRows = 1001;
  for (int threads : {2, 8}) {
    SetRenderThreadCount(threads);
    SilentHost host;
    std::atomic<int> started{0};
    std::vector<int> start_order(kTasks), pieces(kTasks);
    std::vector<std::vector<std::atomic<int>>> seen(kTasks);
    for (auto& rows : seen) rows = std::vector<std::atomic<int>>(kRows);
    RunInOrder(kTasks, host, [&](std::size_t i, Host&) {
      start_order[i] = started++;
      std::atomic<int> calls{0};
      ParallelRows(kRows, 4, [&](int first, int last) {
        ++calls;
        for (int y = first; y < last; ++y) ++seen[i][static_cast<std::size_t>(y)];
      });
      pieces[i] = calls;
    });
    for (std::size_t i = 0; i < kTasks; ++i) {
      for (int y = 0; y < kRows; ++y) {
        ASSERT_EQ(seen[i][static_cast<std::size_t>(y)], 1) << "task " << i << ", row " << y;
      }
      if (start_order[i] == static_cast<int>(kTasks) - 1) {
        EXPECT_GT(pieces[i], 1) << threads << " threads: the last task to start did not split its rows";
      }
    }
  }
}

}  // namespace
}  // namespace lumi
