#include "kernel/platform/task_pool.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace voxel {

void run_tasks(int tasks, int threads, const std::function<void(int)>& begin,
               const std::function<void(int)>& work, const std::function<void(int)>& end) {
    std::mutex lock;
    int next = 0;
    std::exception_ptr failure;
    auto worker = [&] {
        try {
            for (;;) {
                int k;
                {
                    const std::lock_guard<std::mutex> guard(lock);
                    if (next >= tasks || failure) return;
                    k = next++;
                    begin(k);
                }
                work(k);
                const std::lock_guard<std::mutex> guard(lock);
                end(k);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(lock);
            if (!failure) failure = std::current_exception();
        }
    };
    const int helpers = std::max(0, std::min(threads, tasks) - 1);
    std::vector<std::thread> pool;
    for (int h = 0; h < helpers; ++h) pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace voxel
