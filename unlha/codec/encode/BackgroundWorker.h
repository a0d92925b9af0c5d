#pragma once
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace unlha::encode {

// One thread that runs one job at a time beside the caller: start() hands it a
// job, wait() blocks until the job is done and rethrows what it threw. The
// thread is created with the first job and ended by the destructor.
//
// Jobs are short and follow each other closely, so both sides spin for a
// moment before they sleep: waking a sleeping thread can take longer than a
// job's tail.
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
    // Waits like wait(), dropping what the job threw.
    void drain() noexcept;

private:
    enum State { kIdle, kPosted, kQuit };

    void run();
    // Waits until `done` holds, spinning first, then sleeping.
    template <class Done> void await(Done done);
    void set(State state);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<State> state_{kIdle};
    std::function<void()> job_;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace unlha::encode
