#pragma once

#include <httplib.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The server's workers, one per open connection: a thread is added whenever
// a connection arrives and none is free, up to a ceiling far above what the
// client and its players keep open. A fixed pool let a few clients that
// trickle their headers hold every worker while the others queued.
class ConnectionPool : public httplib::TaskQueue
{
public:
    explicit ConnectionPool(size_t maxThreads);
    ~ConnectionPool() override;

    void enqueue(std::function<void()> fn) override;
    void shutdown() override;

private:
    void work();

    const size_t m_max;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::vector<std::thread> m_threads;
    size_t m_idle = 0;
    bool m_stopping = false;
};
