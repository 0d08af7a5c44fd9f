#pragma once
// The render threads: how many there are, loops over objects and over rows that use them,
// and a way to run independent pieces of work at once while whatever they tell the user
// still arrives in the order a one-thread run would give.
//
// Every piece of work writes only its own output, so the results do not depend on the
// number of threads. What renders share in a fixed order (the random generator, the
// texture bank) is left to work that runs in its turn (see RunInOrder).
#include <cstddef>
#include <functional>

namespace lumi {

class Host;

// The threads rendering may use: the count set by SetRenderThreadCount, else the
// environment variable LUMI_THREADS (1 to 256), else one per core.
int RenderThreadCount();
// 0 goes back to the environment or the core count.
void SetRenderThreadCount(int threads);

// Runs `work` on this thread inside the render threads' arena, so that the task groups and
// loops it starts use them.
void OnRenderThreads(const std::function<void()>& work);

// body(i) for every i below n, on the render threads; in index order on the calling
// thread when there is one thread or one item.
void ParallelFor(std::size_t n, const std::function<void(std::size_t)>& body);

// body(first, last) over row ranges covering [0, rows). Images below `min_rows` rows (or
// with one render thread) are done in one call, where splitting costs more than it gains;
// so are the rows of a RunInOrder task while other tasks still wait for a thread.
void ParallelRows(int rows, int min_rows, const std::function<void(int, int)>& body);

// The fewest rows of `width` pixels worth splitting across the render threads: a row
// loop over fewer than about 64K pixels is done in one piece.
int MinRowsToSplit(int width);

// Runs task(i, host_i) for every i below n on the render threads. Each task gets a Host
// of its own that keeps every call back; afterwards the calls are replayed into `host`
// in task order, so messages reach the user once each, in the order of the tasks.
// Tasks for which `in_turn(i)` is true (those that draw from the shared random
// generator or use the texture bank) run on this thread with `host` itself when their
// turn comes, so the generator and the bank give every task what a one-thread run gives.
// So does a task that asks a question or reaches either unannounced (NeedsItsTurn): it
// is run again in its turn. When
// a task throws, the calls of the tasks before it are replayed and the exception is
// thrown again, as a one-thread run would.
void RunInOrder(std::size_t n, Host& host, const std::function<void(std::size_t, Host&)>& task,
                const std::function<bool(std::size_t)>& in_turn = {});

}  // namespace lumi
