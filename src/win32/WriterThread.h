#pragma once
// A thread of its own that does slow work (writing files) in the order it is handed over, so
// that the window that hands it over never waits. Work handed over under a key replaces work
// of the same key still waiting: only the newest state of a thing is written.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace win {

class WriterThread {
public:
    using Work = std::function<void()>;

    // Starts the thread, with COM set up on it.
    WriterThread();
    // Does what is still waiting, then ends the thread.
    ~WriterThread();
    WriterThread(const WriterThread&) = delete;
    WriterThread& operator=(const WriterThread&) = delete;

    // Queues `work` behind what waits, dropping waiting work of the same key. An exception out
    // of the work is counted and goes no further.
    void Post(std::uint64_t key, Work work);
    // The same, dropping everything that waits.
    void PostInsteadOfAll(Work work);
    // Returns once everything handed over so far is done.
    void WaitUntilIdle();
    // How many pieces of work ended in an exception so far.
    unsigned Failures() const;

private:
    struct Item {
        std::uint64_t key;
        Work work;
    };
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    unsigned failures_ = 0;
    std::thread thread_;  // last: started once the rest is ready, joined before it goes
};

}  // namespace win
