#pragma once
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace unlha::encode {

// One thread that runs one job at a time beside the caller: start() hands it a
// job, wait() blocks until the job is done and rethrows what it threw. The
// thread is created with the first job and ended by the destructor.
class BackgroundWorker {
public:
    BackgroundWorker() = default;
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // No job may be running.
    void start(std::function<void()> job);
    // Returns at once when no job was started.
    void wait();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;
    bool quit_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace unlha::encode
