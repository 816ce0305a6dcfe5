// A switch for the test process's operator new: while it is on, every
// allocation through new throws std::bad_alloc (the nothrow forms answer
// null). The modules a test loads allocate through the same operator new,
// so their answer to running out of memory can be seen from outside.
#pragma once

namespace quenta::testing {

// Allocations fail from construction to destruction.
class FailingAllocation {
public:
    FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
    ~FailingAllocation();
};

}  // namespace quenta::testing
