// How far a load or a save has got, for a progress bar.
#pragma once

namespace velmor {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setProgressRange(int lower, int upper) = 0;
    virtual void setProgressPosition(int position) = 0;
};

// For callers that show no progress.
inline ProgressSink& IgnoredProgress() {
    struct Ignored final : ProgressSink {
        void setProgressRange(int, int) override {}
        void setProgressPosition(int) override {}
    };
    static Ignored ignored;
    return ignored;
}

}  // namespace velmor
