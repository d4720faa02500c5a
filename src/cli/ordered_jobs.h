#pragma once
// A fixed number of worker threads running jobs in the order they were handed in; each job's
// result is collected through its future, so the caller keeps its own order.
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace tessavin::cli {

template <typename T> class OrderedJobs {
  public:
    explicit OrderedJobs(int workers) {
        for (int i = 0; i < workers; ++i)
            threads_.emplace_back([this] { Work(); });
    }
    ~OrderedJobs() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            closing_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : threads_)
            t.join();
    }
    OrderedJobs(const OrderedJobs&) = delete;
    OrderedJobs& operator=(const OrderedJobs&) = delete;

    std::future<T> Submit(std::function<T()> job) {
        std::packaged_task<T()> task(std::move(job));
        std::future<T> result = task.get_future();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(std::move(task));
        }
        wake_.notify_one();
        return result;
    }

  private:
    void Work() {
        for (;;) {
            std::packaged_task<T()> task;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [this] { return closing_ || !queue_.empty(); });
                if (queue_.empty()) return;
                task = std::move(queue_.front());
                queue_.pop_front();
            }
            task();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<T()>> queue_;
    bool closing_ = false;
    std::vector<std::thread> threads_;
};

} // namespace tessavin::cli
