#include "files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace srcmorph {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The mode an ordinary open-for-writing would leave: an existing file keeps
// its own, a new one gets the usual one, not a temporary file's owner-only mode.
mode_t output_mode(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool read_all(int fd, unsigned char* buffer, std::size_t n)
{
    while (n > 0) {
        const ssize_t got = ::read(fd, buffer, n);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        buffer += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool write_all(int fd, const unsigned char* data, std::size_t n)
{
    while (n > 0) {
        const ssize_t put = ::write(fd, data, n);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        n -= static_cast<std::size_t>(put);
    }
    return true;
}

ReadResult read_source(const PathString& path, InputText& text)
{
    // Non-blocking so that opening a pipe does not wait for a writer.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return ReadResult::cant_open;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return ReadResult::read_error;
    if (S_ISDIR(st.st_mode))
        return ReadResult::cant_open;
    if (!S_ISREG(st.st_mode) || st.st_size < 0)
        return ReadResult::not_measurable;
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return ReadResult::read_error;

    const auto size = static_cast<unsigned long long>(st.st_size);
    if (size > SIZE_MAX)
        throw std::bad_alloc();
    InputText loaded(static_cast<std::size_t>(size));
    if (!read_all(fd.get(), loaded.data(), loaded.size()))
        return ReadResult::read_error;
    text = std::move(loaded);
    return ReadResult::ok;
}

bool write_file_replacing(const PathString& path, const unsigned char* data, std::size_t n)
{
    const std::size_t slash = path.rfind('/');
    std::string temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
    temp += ".srcmorph-XXXXXX";

    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, output_mode(path)) == 0;
    ok = ok && write_all(fd, data, n);
    // A failed close can be the first sign of a failed write.
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

} // namespace srcmorph
