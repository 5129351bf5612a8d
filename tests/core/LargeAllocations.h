#pragma once
// How many blocks of at least a given size the test program has taken from the free store,
// counted by the program's own operator new (LargeAllocations.cpp). It lets a test see
// memory that a piece of the core takes afresh where it should reuse what it holds. The same
// operator new can fail an allocation on purpose.
#include <cstddef>

namespace testsupport {

// Counts, while it lives, every allocation of `bytes` or more.
class LargeAllocations {
public:
    explicit LargeAllocations(std::size_t bytes);
    ~LargeAllocations();
    LargeAllocations(const LargeAllocations&) = delete;
    LargeAllocations& operator=(const LargeAllocations&) = delete;

    std::size_t Count() const;
};

// While it lives, lets the next `allowed` allocations through and fails the one after them
// (operator new throws std::bad_alloc), then lets everything through again: a test walks
// `allowed` up from 0 until the step it makes no longer fails, so that every allocation the
// step makes has failed once.
class FailingAllocation {
public:
    explicit FailingAllocation(std::size_t allowed);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    bool Failed() const;
};

}  // namespace testsupport
