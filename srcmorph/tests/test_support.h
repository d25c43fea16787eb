// Scratch folders and running the built srcmorph as a user would.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
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

struct Account {
    uid_t uid;
    gid_t gid;
};

// Limits set in the child before it runs the program.
struct ChildLimits {
    rlim_t file_size = RLIM_INFINITY;    // a write past it fails (SIGXFSZ ignored)
    rlim_t address_space = RLIM_INFINITY;
    std::optional<Account> account = {}; // runs the program as this user (needs root)
};

// Runs `program` with `args` in the folder `cwd` and collects what it prints.
RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd, ChildLimits limits = {});

// The srcmorph executable under test.
RunResult run_srcmorph(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                       ChildLimits limits = {});

// A user whom file permissions bind, for the cases of unreadable files and
// folders: the tests' own user, or, when the tests run as root (who reads and
// writes anywhere, as CI does), the machine's unprivileged account "nobody".
class UnprivilegedUser {
public:
    UnprivilegedUser();

    // False when running as root on a machine without such an account.
    bool available() const { return available_; }

    // Hands the folder and everything in it to the user (nothing to do when
    // the tests' own user is that user).
    void take(const std::filesystem::path& dir) const;

    // Runs srcmorph as the user, from a copy the user may run.
    RunResult run_srcmorph(const std::vector<std::string>& args, const std::filesystem::path& cwd);

private:
    bool available_ = true;
    std::optional<Account> account_;
    std::optional<TempDir> program_dir_;
};

} // namespace srcmorph::testing
