#pragma once
// How many blocks of at least a given size the test program has taken from the free store,
// counted by the program's own operator new (LargeAllocations.cpp). It lets a test see
// memory that a piece of the core takes afresh where it should reuse what it holds.
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

}  // namespace testsupport
