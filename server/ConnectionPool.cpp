#include "ConnectionPool.h"

ConnectionPool::ConnectionPool(size_t maxThreads)
    : m_max(maxThreads)
{
}

ConnectionPool::~ConnectionPool()
{
    shutdown();
}

void ConnectionPool::enqueue(std::function<void()> fn)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stopping)
        return;
    m_jobs.push_back(std::move(fn));
    // Free workers are counted as they wait; one is spoken for by each job
    // already queued.
    if (m_idle < m_jobs.size() && m_threads.size() < m_max)
        m_threads.emplace_back([this] { work(); });
    else
        m_wake.notify_one();
}

void ConnectionPool::shutdown()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping && m_threads.empty())
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    // Workers finish the connections they serve; the threads are joined
    // once, outside the lock.
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        threads.swap(m_threads);
    }
    for (std::thread &t : threads)
        t.join();
}

void ConnectionPool::work()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            ++m_idle;
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            --m_idle;
            if (m_jobs.empty())
                return; // stopping
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}
