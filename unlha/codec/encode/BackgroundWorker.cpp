#include "unlha/codec/encode/BackgroundWorker.h"

#include <utility>

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#include <immintrin.h>
#endif

namespace unlha::encode {
namespace {
// About a third of a millisecond of pauses: more than the usual gap between
// two jobs, less than a job.
constexpr int kSpins = 1 << 13;

void pauseBriefly()
{
#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
    _mm_pause();
#else
    std::this_thread::yield();
#endif
}
}  // namespace

template <class Done> void BackgroundWorker::await(Done done)
{
    for (int i = 0; i < kSpins; ++i) {
        if (done()) return;
        pauseBriefly();
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, done);
}

void BackgroundWorker::set(State state)
{
    // The store is made under the lock so that a side about to sleep either
    // sees it or is woken by the notification.
    {
        std::lock_guard lock(mutex_);
        state_.store(state, std::memory_order_release);
    }
    changed_.notify_all();
}

BackgroundWorker::~BackgroundWorker()
{
    if (!thread_.joinable()) return;
    await([this] { return state_.load(std::memory_order_acquire) == kIdle; });
    set(kQuit);
    thread_.join();
}

void BackgroundWorker::start(std::function<void()> job)
{
    job_ = std::move(job);
    set(kPosted);
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
}

void BackgroundWorker::wait()
{
    await([this] { return state_.load(std::memory_order_acquire) == kIdle; });
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void BackgroundWorker::drain() noexcept
{
    await([this] { return state_.load(std::memory_order_acquire) == kIdle; });
    error_ = nullptr;
}

void BackgroundWorker::run()
{
    for (;;) {
        await([this] { return state_.load(std::memory_order_acquire) != kIdle; });
        if (state_.load(std::memory_order_acquire) == kQuit) return;
        try {
            job_();
        } catch (...) {
            error_ = std::current_exception();
        }
        set(kIdle);
    }
}

}  // namespace unlha::encode
