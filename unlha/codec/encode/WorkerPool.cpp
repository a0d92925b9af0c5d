#include "unlha/codec/encode/WorkerPool.h"

#include <utility>

namespace unlha::encode {

WorkerPool::WorkerPool(int threads)
{
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { run(); });
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        for (PoolJob* job : queue_) job->done_ = true;
        queue_.clear();
    }
    posted_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void WorkerPool::post(PoolJob& job, std::function<void()> work)
{
    {
        std::lock_guard lock(mutex_);
        job.work_ = std::move(work);
        job.done_ = false;
        job.error_ = nullptr;
        queue_.push_back(&job);
    }
    posted_.notify_one();
}

void WorkerPool::wait(PoolJob& job)
{
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return job.done_; });
    if (job.error_) std::rethrow_exception(std::exchange(job.error_, nullptr));
}

void WorkerPool::drain(PoolJob& job) noexcept
{
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return job.done_; });
    job.error_ = nullptr;
}

void WorkerPool::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        posted_.wait(lock, [this] { return quit_ || !queue_.empty(); });
        if (quit_) return;
        PoolJob& job = *queue_.front();
        queue_.pop_front();
        lock.unlock();
        std::exception_ptr error;
        try {
            job.work_();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        job.error_ = error;
        job.done_ = true;
        finished_.notify_all();
    }
}

}  // namespace unlha::encode
