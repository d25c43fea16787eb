// Scratch folders and running the built srcmorph as a user would.
#pragma once

#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace srcmorph::testing {

// A fresh folder under the system's temporary folder, removed with all its
// contents at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void write_file(const std::filesystem::path& path, const std::string& bytes);
std::string read_file(const std::filesystem::path& path);

struct RunResult {
    int status = -1; // exit status, or -1 when ended by a signal
    std::string out;
    std::string err;
};

// Limits set in the child before it runs the program.
struct ChildLimits {
    rlim_t file_size = RLIM_INFINITY;    // a write past it fails (SIGXFSZ ignored)
    rlim_t address_space = RLIM_INFINITY;
};

// Runs `program` with `args` in the folder `cwd` and collects what it prints.
RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd, ChildLimits limits = {});

// The srcmorph executable under test.
RunResult run_srcmorph(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                       ChildLimits limits = {});

} // namespace srcmorph::testing
