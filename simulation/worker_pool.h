#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

// A fixed set of helper threads that run one job at a time beside the thread
// that owns the pool. The threads are made once and sleep between jobs, so a
// job costs one wake-up, never a thread creation.
class WorkerPool {
public:
    // job(context, helper) runs on every helper, helper = 0 .. HelperCount()-1.
    // It must not throw.
    using Job = void (*)(void* context, int helper);

    explicit WorkerPool(int helperCount);
    // Stops and joins the helpers; no job may be running.
    ~WorkerPool();

    int HelperCount() const { return static_cast<int>(helpers_.size()); }

    // Hands job to every helper and returns at once. Call Wait before the next
    // Start.
    void Start(Job job, void* context);
    // Blocks until every helper has returned from the job last started.
    void Wait();

    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

private:
    void Serve(std::stop_token stop, int helper);

    std::mutex mutex_;
    std::condition_variable_any wake_;  // a new job, or stop
    std::condition_variable finished_;  // running_ reached 0
    Job job_ = nullptr;
    void* context_ = nullptr;
    std::uint64_t generation_ = 0;       // counts Start calls
    int running_ = 0;                    // helpers still inside the current job
    std::vector<std::jthread> helpers_;  // last, so it is joined before the state above goes
};
