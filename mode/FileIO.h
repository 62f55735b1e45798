#pragma once
// File reads that cannot block or run away, and safe whole-file writes,
// shared by the mode file, the templates and the command-line tool.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vel {

enum class OpenResult { Ok, Missing, NotRegular, Failed };

// A regular file opened for reading. A folder, a FIFO, a device or a socket
// is refused when opened, without waiting on it: a FIFO without a writer
// would block a reader forever and a device such as /dev/zero never ends.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Anything but Ok comes with a sentence in error.
    OpenResult Open(const std::string& path, std::string& error);
    // Up to size bytes: the count, 0 at the end of the file, -1 on a read
    // error (with a sentence in error).
    std::ptrdiff_t Read(char* buffer, size_t size, std::string& error);
    // The file's size when it was opened.
    uint64_t Size() const { return size_; }

private:
    int fd_ = -1;
    uint64_t size_ = 0;
    std::string path_;
};

// Reads a whole regular file; false with a reason on failure, for anything
// but a regular file, and for a file of more than maxBytes.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error,
                   uint64_t maxBytes = std::numeric_limits<uint64_t>::max());

// Writes bytes to path through a temporary file in the same folder that
// replaces the old file only once it is complete and on the disk, so a
// failure or a power cut leaves the old file or the new one, never a torn
// one. A link is written through, so it stays a link.
//
// Refused as a failed write, the old file untouched: a target that exists
// and is not a regular file (after following links), a dangling or looping
// link, a missing folder, and a target whose permission bits do not let the
// current user write it: the owner's, group's or others' write bit,
// whichever class the user is in; for root any write bit, so a file nobody
// may write (chmod 444) stays read-only for root too.
//
// The temporary is private to its owner while it is written and gets the
// old file's permission bits (and, where allowed, its owner and group) just
// before it replaces it. Its name is short and of fixed length,
// ".vel-HHHHHHHH-RRRRRR.tmp" with a hash of the target's name and a random
// part, so every name that loads can be saved, and the temporaries a killed
// save left for the same target are removed by the next save.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Whether a file name is one of WriteFileAtomically's temporaries for the
// target file name.
bool IsTemporaryFor(std::string_view fileName, std::string_view targetName);

// For tests: the next WriteFileAtomically fails at this step with the error
// number err, as a full disk or a failing device would make it; Killed
// stops it once the bytes are written and leaves the temporary behind, as a
// save killed there would.
enum class WriteStep { None, Write, Killed, Sync, Close, Rename };
void FailNextWrite(WriteStep step, int err);

// The system's text for an errno value.
std::string SystemError(int err);

}  // namespace vel
