// The test program's operator new and delete: the usual ones (malloc and free, which the
// address sanitizer still watches) with a count of large blocks for LargeAllocations and one
// failure on purpose for FailingAllocation.
#include "LargeAllocations.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t threshold = 0;  // 0: not counting
std::size_t counted = 0;
bool failing = false;  // an allocation is to fail, after allowedBeforeFailing more
std::size_t allowedBeforeFailing = 0;
bool failed = false;

void* Allocate(std::size_t bytes) noexcept
{
    if (failing) {
        if (allowedBeforeFailing == 0) {
            failing = false;
            failed = true;
            return nullptr;
        }
        --allowedBeforeFailing;
    }
    if (threshold != 0 && bytes >= threshold) ++counted;
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void* AllocateOrThrow(std::size_t bytes)
{
    void* block = Allocate(bytes);
    if (!block) throw std::bad_alloc();
    return block;
}

}  // namespace

namespace testsupport {

LargeAllocations::LargeAllocations(std::size_t bytes)
{
    threshold = bytes;
    counted = 0;
}

LargeAllocations::~LargeAllocations() { threshold = 0; }

std::size_t LargeAllocations::Count() const { return counted; }

FailingAllocation::FailingAllocation(std::size_t allowed)
{
    allowedBeforeFailing = allowed;
    failing = true;
    failed = false;
}

FailingAllocation::~FailingAllocation() { failing = false; }

bool FailingAllocation::Failed() const { return failed; }

}  // namespace testsupport

void* operator new(std::size_t bytes) { return AllocateOrThrow(bytes); }
void* operator new[](std::size_t bytes) { return AllocateOrThrow(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
