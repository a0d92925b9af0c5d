#include "unlha/codec/encode/BackgroundWorker.h"

#include <utility>

namespace unlha::encode {

BackgroundWorker::~BackgroundWorker()
{
    if (!thread_.joinable()) return;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !busy_; });
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWorker::start(std::function<void()> job)
{
    {
        std::lock_guard lock(mutex_);
        job_ = std::move(job);
        busy_ = true;
    }
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
    else
        changed_.notify_all();
}

void BackgroundWorker::wait()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void BackgroundWorker::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || quit_; });
        if (quit_ && !busy_) return;
        std::function<void()> job = std::move(job_);
        lock.unlock();
        std::exception_ptr error;
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        error_ = error;
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace unlha::encode
