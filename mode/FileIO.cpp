#include "mode/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vel {

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
// The C runtime's names for the same calls; Windows has no FIFOs in the
// file system, no owners to keep and no folder to flush.
using StatBuf = struct _stat64;
int StatPath(const char* path, StatBuf* st) { return _stat64(path, st); }
int StatFd(int fd, StatBuf* st) { return _fstat64(fd, st); }
int OpenForReading(const char* path) { return _open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT); }
int CreateExclusive(const char* path, int mode) {
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, mode);
}
std::ptrdiff_t ReadFd(int fd, char* buf, size_t n) { return _read(fd, buf, unsigned(std::min<size_t>(n, 1u << 30))); }
std::ptrdiff_t WriteFd(int fd, const char* buf, size_t n) {
    return _write(fd, buf, unsigned(std::min<size_t>(n, 1u << 30)));
}
int SyncFd(int fd) { return _commit(fd); }
int CloseFd(int fd) { return _close(fd); }
bool IsRegular(const StatBuf& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
bool IsFolder(const StatBuf& st) { return (st.st_mode & _S_IFMT) == _S_IFDIR; }
bool MayWrite(const StatBuf& st) { return (st.st_mode & _S_IWRITE) != 0; }
void KeepOwnerAndMode(int, const StatBuf&) {}
void SyncFolder(const fs::path&) {}
constexpr int kPrivateMode = _S_IREAD | _S_IWRITE;
constexpr int kNewFileMode = _S_IREAD | _S_IWRITE;
#else
using StatBuf = struct stat;
int StatPath(const char* path, StatBuf* st) { return ::stat(path, st); }
int StatFd(int fd, StatBuf* st) { return ::fstat(fd, st); }
// Non-blocking only for the open itself: a FIFO swapped in after the check
// must not hang the open; fstat then refuses it.
int OpenForReading(const char* path) { return ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }
int CreateExclusive(const char* path, int mode) {
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode_t(mode));
}
std::ptrdiff_t ReadFd(int fd, char* buf, size_t n) { return ::read(fd, buf, n); }
std::ptrdiff_t WriteFd(int fd, const char* buf, size_t n) { return ::write(fd, buf, n); }
int SyncFd(int fd) { return ::fsync(fd); }
int CloseFd(int fd) { return ::close(fd); }
bool IsRegular(const StatBuf& st) { return S_ISREG(st.st_mode); }
bool IsFolder(const StatBuf& st) { return S_ISDIR(st.st_mode); }

bool InGroup(gid_t gid) {
    if (gid == getegid()) return true;
    const int n = getgroups(0, nullptr);
    if (n <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int got = getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[size_t(i)] == gid) return true;
    return false;
}

// The permission bits, not access(2): that lets root write anything, and a
// file made read-only must stay so for every user.
bool MayWrite(const StatBuf& st) {
    const uid_t uid = geteuid();
    if (uid == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (st.st_uid == uid) return (st.st_mode & S_IWUSR) != 0;
    if (InGroup(st.st_gid)) return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

// Owner and group first: a change of owner would clear bits set before it.
void KeepOwnerAndMode(int fd, const StatBuf& st) {
    if (st.st_uid != geteuid() || st.st_gid != getegid()) {
        if (fchown(fd, st.st_uid, st.st_gid) != 0 && fchown(fd, uid_t(-1), st.st_gid) != 0) {
            // Not allowed to give the file away: it stays the saver's.
        }
    }
    fchmod(fd, st.st_mode & 07777);
}

// The rename lives in the folder's entry; where the system allows it, flush
// that too, so the new name survives a power cut.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
constexpr int kPrivateMode = 0600;
constexpr int kNewFileMode = 0666;  // less the umask, as any new file
#endif

WriteStep g_failStep = WriteStep::None;
int g_failErr = 0;

// True (with errno set) when a test asked this step to fail.
bool Injected(WriteStep step) {
    if (g_failStep != step) return false;
    g_failStep = WriteStep::None;
    errno = g_failErr;
    return true;
}

std::string Quote(const std::string& path) { return "\"" + path + "\""; }

std::string NotRegularSentence(const std::string& path, bool folder) {
    if (folder) return Quote(path) + " is a folder, not a file.";
    return Quote(path) + " is not a regular file but a device, a FIFO or a socket, so it is not read.";
}

uint32_t NameHash(std::string_view name) {
    uint32_t h = 2166136261u;  // FNV-1a
    for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

constexpr std::string_view kTempPrefix = ".vel-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr size_t kTempRandom = 6;
constexpr std::string_view kTempAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

std::string TempStem(std::string_view targetName) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", unsigned(NameHash(targetName)));
    return std::string(kTempPrefix) + hex + "-";
}

void RemoveStaleTemporaries(const fs::path& folder, const std::string& targetName) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    std::vector<fs::path> stale;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code sec;
        if (IsTemporaryFor(name, targetName) && fs::is_regular_file(it->symlink_status(sec)))
            stale.push_back(it->path());
    }
    for (const fs::path& p : stale) fs::remove(p, ec);
}

}  // namespace

std::string SystemError(int err) {
    if (err == 0) return "unknown error";
    return std::strerror(err);
}

void FailNextWrite(WriteStep step, int err) {
    g_failStep = step;
    g_failErr = err;
}

bool IsTemporaryFor(std::string_view fileName, std::string_view targetName) {
    const std::string stem = TempStem(targetName);
    if (fileName.size() != stem.size() + kTempRandom + kTempSuffix.size()) return false;
    if (!fileName.starts_with(stem) || !fileName.ends_with(kTempSuffix)) return false;
    for (const char c : fileName.substr(stem.size(), kTempRandom))
        if (kTempAlphabet.find(c) == std::string_view::npos) return false;
    return true;
}

// ---------------------------------------------------------------- reading

InputFile::~InputFile() {
    if (fd_ >= 0) CloseFd(fd_);
}

OpenResult InputFile::Open(const std::string& path, std::string& error) {
    if (fd_ >= 0) CloseFd(fd_);
    fd_ = -1;
    size_ = 0;
    path_ = path;
    if (path.empty()) {
        error = "No file name was given.";
        return OpenResult::Missing;
    }
    // Refuse what is not a regular file before opening it: opening some
    // devices already does something.
    StatBuf st;
    if (StatPath(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) {
            error = "The file " + Quote(path) + " does not exist.";
            return OpenResult::Missing;
        }
        error = "The file " + Quote(path) + " could not be opened: " + SystemError(err) + ".";
        return OpenResult::Failed;
    }
    if (!IsRegular(st)) {
        error = NotRegularSentence(path, IsFolder(st));
        return OpenResult::NotRegular;
    }
    const int fd = OpenForReading(path.c_str());
    if (fd < 0) {
        error = "The file " + Quote(path) + " could not be opened: " + SystemError(errno) + ".";
        return OpenResult::Failed;
    }
    // Checked again on what was opened, in case the name changed meanwhile.
    if (StatFd(fd, &st) != 0 || !IsRegular(st)) {
        CloseFd(fd);
        error = NotRegularSentence(path, IsFolder(st));
        return OpenResult::NotRegular;
    }
#if !defined(_WIN32)
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#endif
    fd_ = fd;
    size_ = st.st_size > 0 ? uint64_t(st.st_size) : 0;
    return OpenResult::Ok;
}

std::ptrdiff_t InputFile::Read(char* buffer, size_t size, std::string& error) {
    if (fd_ < 0) {
        error = "The file " + Quote(path_) + " is not open.";
        return -1;
    }
    for (;;) {
        const std::ptrdiff_t n = ReadFd(fd_, buffer, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        error = "The file " + Quote(path_) + " could not be read: " + SystemError(errno) + ".";
        return -1;
    }
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error, uint64_t maxBytes) {
    bytes.clear();
    InputFile in;
    if (in.Open(path, error) != OpenResult::Ok) return false;
    const auto tooLarge = [&] {
        error = "The file " + Quote(path) + " is too large: it holds more than " + std::to_string(maxBytes) + " bytes.";
        bytes.clear();
        return false;
    };
    if (in.Size() > maxBytes) return tooLarge();
    try {
        bytes.reserve(size_t(in.Size()));
        char chunk[1 << 16];
        for (;;) {
            const std::ptrdiff_t n = in.Read(chunk, sizeof chunk, error);
            if (n < 0) return false;
            if (n == 0) return true;
            if (bytes.size() + size_t(n) > maxBytes) return tooLarge();  // it grew while being read
            bytes.append(chunk, size_t(n));
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        bytes.shrink_to_fit();
        error = "The file " + Quote(path) + " is too large to load.";
        return false;
    }
}

// ---------------------------------------------------------------- writing

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    const auto fail = [&](const std::string& why) {
        error = "The file " + Quote(path) + " was not written: " + why;
        return false;
    };
    if (path.empty()) return fail("no file name was given.");
    std::error_code ec;
    fs::path target(path);
    // Write through a link to the file it names, so the link stays a link;
    // a link to nowhere is refused rather than turned into a file.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::canonical(target, ec);
        if (ec) return fail("it is a link that leads to no file (" + ec.message() + ").");
        target = resolved;
    }
    StatBuf st;
    bool exists = false;
    if (StatPath(target.string().c_str(), &st) == 0) {
        exists = true;
        if (IsFolder(st)) return fail("it is a folder; a file cannot be saved in its place.");
        if (!IsRegular(st)) return fail("it is not a regular file but a device, a FIFO or a socket, so it is kept.");
        if (!MayWrite(st)) return fail("it is read-only (its permissions do not let you change it).");
    } else if (errno != ENOENT && errno != ENOTDIR) {
        return fail(SystemError(errno) + ".");
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) return fail("the folder " + Quote(folder.string()) + " does not exist.");

    const std::string targetName = target.filename().string();
    RemoveStaleTemporaries(folder, targetName);

    // Private from the start when it replaces a file whose bits are known.
    const int createMode = exists ? kPrivateMode : kNewFileMode;
    std::random_device seed;
    std::mt19937 rng(seed());
    std::uniform_int_distribution<size_t> pick(0, kTempAlphabet.size() - 1);
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = TempStem(targetName);
        for (size_t i = 0; i < kTempRandom; ++i) name += kTempAlphabet[pick(rng)];
        name += kTempSuffix;
        temp = folder / name;
        fd = CreateExclusive(temp.string().c_str(), createMode);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return fail(SystemError(errno) + ".");

    const auto abandon = [&](int err, bool closed) {
        if (!closed) CloseFd(fd);
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fail(SystemError(err) + ".");
    };
    for (size_t done = 0; done < bytes.size();) {
        const std::ptrdiff_t n =
            Injected(WriteStep::Write) ? -1 : WriteFd(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon(errno, false);
        }
        if (n == 0) return abandon(EIO, false);
        done += size_t(n);
    }
    if (Injected(WriteStep::Killed)) {
        CloseFd(fd);
        return fail("stopped as if killed.");
    }
    if (exists) KeepOwnerAndMode(fd, st);
    // On the disk before it takes the old file's name.
    if (Injected(WriteStep::Sync) || SyncFd(fd) != 0) return abandon(errno, false);
    int closed = CloseFd(fd);
    if (Injected(WriteStep::Close)) closed = -1;
    if (closed != 0) return abandon(errno, true);
    if (Injected(WriteStep::Rename)) return abandon(errno, true);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fail("it could not be replaced: " + ec.message() + ".");
    }
    SyncFolder(folder);
    return true;
}

}  // namespace vel
