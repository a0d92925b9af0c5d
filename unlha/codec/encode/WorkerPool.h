#pragma once
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace unlha::encode {

// One piece of work for a WorkerPool; reusable once waited for.
class PoolJob {
private:
    friend class WorkerPool;
    std::function<void()> work_;
    bool done_ = true;
    std::exception_ptr error_;
};

// Threads that run posted jobs in the order posted, each on the first thread
// free. The destructor lets running jobs finish and drops the others.
class WorkerPool {
public:
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // `job` must not be posted and not yet waited for.
    void post(PoolJob& job, std::function<void()> work);
    // Blocks until `job` is done and rethrows what it threw; returns at once
    // for a job never posted.
    void wait(PoolJob& job);
    // Waits like wait(), dropping what the job threw.
    void drain(PoolJob& job) noexcept;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable posted_;
    std::condition_variable finished_;
    std::deque<PoolJob*> queue_;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace unlha::encode
