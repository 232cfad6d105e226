#pragma once
// Work on several threads with the results handed back in input order: the items are collected
// into chunks, worker threads turn each chunk into texts, and the calling thread writes the texts
// of finished chunks in the order the items came. A bounded number of chunks is in flight, so
// memory stays flat however many items pass. With one job everything runs on the calling thread.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

template <class Item>
class TOrderedJobs {
public:
    // Turns an item into its text; runs on the worker threads.
    using TWorkFn = std::function<std::string(const Item&)>;
    // Takes the texts in input order; runs on the calling thread.
    using TWriteFn = std::function<void(std::string&&)>;

    TOrderedJobs(unsigned jobs, TWorkFn work, TWriteFn write)
        : work_(std::move(work)), write_(std::move(write)), current_(std::make_unique<TChunk>())
    {
        if (jobs > 1)
            for (unsigned i = 0; i < jobs; ++i) workers_.emplace_back([this] { Work(); });
        limit_ = 4 * (jobs > 1 ? jobs : 1);
    }

    ~TOrderedJobs()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : workers_) t.join();
    }

    TOrderedJobs(const TOrderedJobs&) = delete;
    TOrderedJobs& operator=(const TOrderedJobs&) = delete;

    void Add(Item item)
    {
        current_->Items.push_back(std::move(item));
        if (current_->Items.size() == kChunkSize) Submit();
    }

    // Processes what is left and writes every remaining text. Rethrows an exception of the work.
    void Finish()
    {
        if (!current_->Items.empty()) Submit();
        while (!inFlight_.empty()) WriteHead(true);
    }

private:
    static constexpr std::size_t kChunkSize = 64;

    struct TChunk {
        std::vector<Item> Items;
        std::vector<std::string> Texts;
        std::exception_ptr Error;
        bool Done = false;
    };

    void Process(TChunk& chunk)
    {
        try {
            chunk.Texts.reserve(chunk.Items.size());
            for (const Item& item : chunk.Items) chunk.Texts.push_back(work_(item));
        } catch (...) {
            chunk.Error = std::current_exception();
        }
    }

    void Submit()
    {
        std::shared_ptr<TChunk> chunk(std::move(current_));
        current_ = std::make_unique<TChunk>();
        if (workers_.empty()) {
            Process(*chunk);
            Write(*chunk);
            return;
        }
        {
            std::lock_guard lock(mutex_);
            inFlight_.push_back(chunk);
            queue_.push_back(chunk);
        }
        wake_.notify_one();
        // Write what is finished; wait only when too much is in flight.
        while (!inFlight_.empty() && WriteHead(inFlight_.size() > limit_)) {}
    }

    // Writes the oldest chunk if it is done (waiting for it when `wait`); true if written.
    bool WriteHead(bool wait)
    {
        std::shared_ptr<TChunk> head;
        {
            std::unique_lock lock(mutex_);
            if (wait) done_.wait(lock, [&] { return inFlight_.front()->Done; });
            if (!inFlight_.front()->Done) return false;
            head = inFlight_.front();
            inFlight_.pop_front();
        }
        Write(*head);
        return true;
    }

    void Write(TChunk& chunk)
    {
        if (chunk.Error) std::rethrow_exception(chunk.Error);
        for (std::string& text : chunk.Texts) write_(std::move(text));
    }

    void Work()
    {
        for (;;) {
            std::shared_ptr<TChunk> chunk;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stop_ || !queue_.empty(); });
                if (queue_.empty()) return;
                chunk = queue_.front();
                queue_.pop_front();
            }
            Process(*chunk);
            {
                std::lock_guard lock(mutex_);
                chunk->Done = true;
            }
            done_.notify_one();
        }
    }

    TWorkFn work_;
    TWriteFn write_;
    std::unique_ptr<TChunk> current_;
    std::size_t limit_ = 4;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::deque<std::shared_ptr<TChunk>> inFlight_;  // oldest first; only the calling thread uses it
    std::deque<std::shared_ptr<TChunk>> queue_;     // waiting for a worker
    bool stop_ = false;
};
