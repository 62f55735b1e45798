#include "mode/FileIO.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace vel {

namespace fs = std::filesystem;

std::string SystemError(int err) {
    if (err == 0) return "unknown error";
    return std::strerror(err);
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = "\"" + path + "\" is a folder, not a file.";
        return false;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "The file \"" + path + "\" could not be opened: " + SystemError(errno) + ".";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) {
        error = "The file \"" + path + "\" could not be read.";
        return false;
    }
    bytes.resize(size_t(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = "The file \"" + path + "\" could not be read: " + SystemError(errno) + ".";
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    fs::path target(path);
    // Write through a link to the file it names, so the link stays a link.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) {
        error = "\"" + path + "\" is a folder; a mode cannot be saved in its place.";
        return false;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) {
        error = "The folder \"" + folder.string() + "\" does not exist.";
        return false;
    }
    std::random_device rd;
    fs::path temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
        if (!fs::exists(temp, ec)) break;
    }
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "The file \"" + path + "\" could not be written: " + SystemError(errno) + ".";
            return false;
        }
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            const int err = errno;
            out.close();
            fs::remove(temp, ec);
            error = "The file \"" + path + "\" could not be written: " + SystemError(err) + ".";
            return false;
        }
    }
    if (fs::exists(target, ec)) {
        // Keep the old file's permissions for the new one.
        const auto perms = fs::status(target, ec).permissions();
        if (!ec) fs::permissions(temp, perms, ec);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        error = "The file \"" + path + "\" could not be replaced: " + ec.message() + ".";
        return false;
    }
    return true;
}

}  // namespace vel
