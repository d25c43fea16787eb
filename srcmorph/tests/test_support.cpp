#include "test_support.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace srcmorph::testing {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "srcmorph-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void write_file(const fs::path& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path.string());
}

std::string read_file(const fs::path& path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

RunResult run_program(const std::string& program, const std::vector<std::string>& args, const fs::path& cwd,
                      ChildLimits limits)
{
    const TempDir capture;
    const fs::path out_path = capture / "stdout";
    const fs::path err_path = capture / "stderr";

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
            ::_exit(127);
        // The group first: once the user is changed, it cannot be.
        if (limits.account && (::setgroups(0, nullptr) != 0 || ::setgid(limits.account->gid) != 0 ||
                               ::setuid(limits.account->uid) != 0))
            ::_exit(127);
        if (::chdir(cwd.c_str()) != 0)
            ::_exit(127);
        if (limits.file_size != RLIM_INFINITY) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limits.file_size, limits.file_size};
            ::setrlimit(RLIMIT_FSIZE, &r);
        }
        if (limits.address_space != RLIM_INFINITY) {
            const rlimit r{limits.address_space, limits.address_space};
            ::setrlimit(RLIMIT_AS, &r);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    RunResult r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = read_file(out_path);
    r.err = read_file(err_path);
    return r;
}

RunResult run_srcmorph(const std::vector<std::string>& args, const fs::path& cwd, ChildLimits limits)
{
    return run_program(SRCMORPH_EXE, args, cwd, limits);
}

UnprivilegedUser::UnprivilegedUser()
{
    if (::geteuid() != 0)
        return;
    const passwd* pw = ::getpwnam("nobody");
    if (!pw || pw->pw_uid == 0) {
        available_ = false;
        return;
    }
    account_ = Account{pw->pw_uid, pw->pw_gid};
    // The build folder may be closed to other users: a copy of the program
    // in a folder of the user's own.
    program_dir_.emplace();
    fs::copy_file(SRCMORPH_EXE, program_dir_->path() / "srcmorph");
    take(program_dir_->path());
}

void UnprivilegedUser::take(const fs::path& dir) const
{
    if (!account_)
        return;
    const auto give = [this](const fs::path& p) {
        if (::lchown(p.c_str(), account_->uid, account_->gid) != 0)
            throw std::runtime_error("cannot hand " + p.string() + " to the unprivileged user");
    };
    give(dir);
    for (const auto& e : fs::recursive_directory_iterator(dir))
        give(e.path());
}

RunResult UnprivilegedUser::run_srcmorph(const std::vector<std::string>& args, const fs::path& cwd)
{
    if (!account_)
        return testing::run_srcmorph(args, cwd);
    return run_program((program_dir_->path() / "srcmorph").string(), args, cwd, {.account = account_});
}

} // namespace srcmorph::testing
