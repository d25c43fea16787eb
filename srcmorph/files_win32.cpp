#include "files.h"

#include <cstdint>
#include <new>
#include <windows.h>

namespace srcmorph {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    // False when closing fails, which can be the first sign of a failed write.
    bool close()
    {
        const bool ok = !valid() || ::CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// ReadFile and WriteFile take a 32-bit count: a gibibyte at a time.
constexpr std::size_t kChunk = std::size_t{1} << 30;

bool read_exactly(HANDLE h, unsigned char* buffer, std::size_t n)
{
    while (n > 0) {
        DWORD got = 0;
        if (!::ReadFile(h, buffer, static_cast<DWORD>(n < kChunk ? n : kChunk), &got, nullptr) || got == 0)
            return false;
        buffer += got;
        n -= got;
    }
    return true;
}

bool write_exactly(HANDLE h, const unsigned char* data, std::size_t n)
{
    while (n > 0) {
        DWORD put = 0;
        if (!::WriteFile(h, data, static_cast<DWORD>(n < kChunk ? n : kChunk), &put, nullptr) || put == 0)
            return false;
        data += put;
        n -= put;
    }
    return true;
}

// The folder part of a name, with its separator: "" for a bare name, "C:"
// for a name relative to a drive's current folder.
std::wstring folder_of(const std::wstring& path)
{
    const std::size_t cut = path.find_last_of(L"/\\");
    if (cut != std::wstring::npos)
        return path.substr(0, cut + 1);
    if (path.size() >= 2 && path[1] == L':')
        return path.substr(0, 2);
    return std::wstring();
}

// Creates a new file of our own in the folder of `path` and names it in
// `temp`; another program's file of the same name is skipped, never opened.
HANDLE create_temporary_beside(const std::wstring& path, std::wstring& temp)
{
    const std::wstring stem = folder_of(path) + L".srcmorph-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temp = stem + std::to_wstring(attempt) + L".tmp";
        const HANDLE h =
            ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || (::GetLastError() != ERROR_FILE_EXISTS &&
                                           ::GetLastError() != ERROR_ALREADY_EXISTS))
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

ReadResult read_source(const PathString& path, InputText& text)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A folder cannot be opened this way, as on POSIX systems.
    if (!file.valid())
        return ReadResult::cant_open;
    // A pipe, a console or a device such as NUL has no size to measure.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return ReadResult::not_measurable;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size))
        return ReadResult::read_error;
    if (size.QuadPart < 0)
        return ReadResult::not_measurable;
    if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
        throw std::bad_alloc();
    InputText loaded(static_cast<std::size_t>(size.QuadPart));
    if (!read_exactly(file.get(), loaded.data(), loaded.size()))
        return ReadResult::read_error;
    text = std::move(loaded);
    return ReadResult::ok;
}

bool write_file_replacing(const PathString& path, const unsigned char* data, std::size_t n)
{
    std::wstring temp;
    FileHandle file(create_temporary_beside(path, temp));
    if (!file.valid())
        return false;
    bool ok = write_exactly(file.get(), data, n);
    ok = file.close() && ok;
    ok = ok && ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok)
        ::DeleteFileW(temp.c_str());
    return ok;
}

} // namespace srcmorph
