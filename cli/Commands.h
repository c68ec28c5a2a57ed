// The subcommands of velmor-save. Each answers its exit status: 0 when all went well, 1 when diff
// finds a difference or verify finds something unusual, 2 on any error.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace velmor::cli {

struct Output {
    std::ostream& out;
    std::ostream& errors;
};

inline constexpr int kSuccess = 0;
inline constexpr int kFound = 1;
inline constexpr int kFailure = 2;

int RunInfo(const std::filesystem::path& game, Output output);
int RunDump(const std::filesystem::path& game, Output output);
int RunSet(const std::filesystem::path& game, const std::vector<std::string>& assignments,
           bool dryRun, Output output);
int RunApply(const std::filesystem::path& game, const std::filesystem::path& changes, bool dryRun,
             Output output);
int RunDiff(const std::filesystem::path& a, const std::filesystem::path& b, Output output);
int RunVerify(const std::filesystem::path& game, Output output);
int RunDemo(const std::filesystem::path& out, bool replace, Output output);

}  // namespace velmor::cli
