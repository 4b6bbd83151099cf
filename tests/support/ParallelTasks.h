#ifndef KORVANE_TESTS_SUPPORT_PARALLELTASKS_H
#define KORVANE_TESTS_SUPPORT_PARALLELTASKS_H

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Runs the tasks on a few threads, each task once, in no given order.
inline void runParallel(std::vector<std::function<void()>>& tasks, unsigned threads)
{
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            for (std::size_t i = next++; i < tasks.size(); i = next++)
                tasks[i]();
        });
    for (std::thread& t : pool)
        t.join();
}

#endif
