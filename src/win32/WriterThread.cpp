#include "win32/WriterThread.h"

#include <windows.h>

#include <algorithm>

#include "win32/Com.h"

namespace win {

WriterThread::WriterThread() : thread_([this] { Run(); }) {}

WriterThread::~WriterThread()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void WriterThread::Post(std::uint64_t key, Work work)
{
    {
        std::lock_guard lock(mutex_);
        std::erase_if(waiting_, [key](const Item& item) { return item.key == key; });
        waiting_.push_back({key, std::move(work)});
    }
    changed_.notify_all();
}

void WriterThread::PostInsteadOfAll(Work work)
{
    {
        std::lock_guard lock(mutex_);
        waiting_.clear();
        waiting_.push_back({~std::uint64_t{0}, std::move(work)});
    }
    changed_.notify_all();
}

void WriterThread::WaitUntilIdle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
}

unsigned WriterThread::Failures() const
{
    std::lock_guard lock(mutex_);
    return failures_;
}

void WriterThread::Run()
{
    ComScope com;  // the image codecs are COM objects
    // Writing in the background gives way to the windows.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;  // stopping, with nothing left to do
        Work work = std::move(waiting_.front().work);
        waiting_.pop_front();
        busy_ = true;
        lock.unlock();
        bool failed = false;
        // Nobody on this thread could report an error: it is counted, and the next state of
        // the same thing is written as usual.
        try {
            work();
        } catch (...) {
            failed = true;
        }
        work = nullptr;  // what it held goes before the next is taken
        lock.lock();
        busy_ = false;
        if (failed) ++failures_;
        changed_.notify_all();
    }
}

}  // namespace win
