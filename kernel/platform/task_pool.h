// Independent numbered tasks shared among threads.
#pragma once

#include <functional>

namespace voxel {

// Runs work(k) for k = 0 ... tasks - 1 on up to `threads` threads, the
// calling thread among them; the tasks are taken in order of k. begin(k)
// runs under a lock as task k is taken, so the begin calls come in order of
// k, each before its task; end(k) runs under the same lock once task k is
// done. The first exception a call throws stops the taking of tasks and is
// thrown again here once every thread has finished.
void run_tasks(int tasks, int threads, const std::function<void(int)>& begin,
               const std::function<void(int)>& work, const std::function<void(int)>& end);

}  // namespace voxel
