#include "savegame/FileFaults.h"

namespace velmor {
namespace {

struct Plan {
    std::array<int, kFileOperationCount> counts{};
    bool armed = false;
    FileOperation operation = FileOperation::open;
    int nth = 0;
};

// The editor runs its commands on one thread, so one plan for the process is enough.
Plan& CurrentPlan() {
    static Plan plan;
    return plan;
}

std::size_t Index(FileOperation operation) {
    return static_cast<std::size_t>(operation);
}

}  // namespace

void FileFaults::Arm(FileOperation operation, int nth) {
    CurrentPlan() = Plan{{}, true, operation, nth};
}

void FileFaults::Disarm() {
    CurrentPlan() = Plan{};
}

int FileFaults::Count(FileOperation operation) {
    return CurrentPlan().counts[Index(operation)];
}

bool FileFaults::Strike(FileOperation operation) {
    Plan& plan = CurrentPlan();
    const int count = ++plan.counts[Index(operation)];
    return plan.armed && plan.operation == operation && count == plan.nth;
}

}  // namespace velmor
