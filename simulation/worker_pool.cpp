#include "worker_pool.h"

WorkerPool::WorkerPool(int helperCount) {
    helpers_.reserve(helperCount > 0 ? static_cast<std::size_t>(helperCount) : 0u);
    for (int helper = 0; helper < helperCount; ++helper) {
        helpers_.emplace_back([this, helper](std::stop_token stop) { Serve(stop, helper); });
    }
}

// The jthreads request stop and join as helpers_ is destroyed; the stop wakes
// any helper waiting for a job.
WorkerPool::~WorkerPool() = default;

void WorkerPool::Start(Job job, void* context) {
    {
        std::lock_guard lock(mutex_);
        job_ = job;
        context_ = context;
        running_ = HelperCount();
        ++generation_;
    }
    wake_.notify_all();
}

void WorkerPool::Wait() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return running_ == 0; });
}

void WorkerPool::Serve(std::stop_token stop, int helper) {
    std::uint64_t seen = 0;
    for (;;) {
        Job job = nullptr;
        void* context = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [&] { return generation_ != seen; })) {
                return;
            }
            seen = generation_;
            job = job_;
            context = context_;
        }
        job(context, helper);
        std::lock_guard lock(mutex_);
        if (--running_ == 0) {
            finished_.notify_all();
        }
    }
}
