#pragma once
// Starting the system's own system-information program from the About
// window. The registry, the file test, the PATH lookup and the start of a
// program come from a small platform layer, so tests inject all four and
// never start a real program or read a real registry.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vel {

// The registry calls GetKeyValue makes: RegOpenKeyExA, RegQueryValueExA and
// RegCloseKey, with their Win32 meaning.
class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    // Opens key under root with the access mask; false on failure. handle
    // is set either way and always handed to Close.
    virtual bool Open(std::uint32_t root, const std::string& key, std::uint32_t access, std::uintptr_t& handle) = 0;
    // Queries a value into buffer; size holds the buffer's size on the way
    // in and the count of bytes written on the way out. False on failure.
    virtual bool Query(std::uintptr_t handle, const std::string& value, std::uint32_t& type, std::vector<char>& buffer,
                       std::uint32_t& size) = 0;
    virtual void Close(std::uintptr_t handle) = 0;
};

inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyAccess = 0x2003F;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kValueBufferSize = 1024;

// Reads the value SubKeyRef of KeyName under KeyRoot. A string value comes
// back whole (the terminator dropped), a 32-bit number as "&h" and the hex
// digits of its bytes from the last to the first; another type leaves
// KeyVal as it was. On failure KeyVal is empty and the result false.
bool GetKeyValue(RegistryApi& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

struct SysInfoPlatform {
    RegistryApi* registry = nullptr;  // the Windows registry; null on other systems
    std::function<bool(const QString& path)> fileExists;
    std::function<QString(const QString& program)> findExecutable;  // full path on the PATH, or empty
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
};

// The desktop programs tried in this order where there is no registry: the
// program's name, then its arguments.
QList<QStringList> SysInfoPrograms();

// The system's own platform layer.
SysInfoPlatform SystemPlatform();

// With a registry: the program named by "PATH" of "SOFTWARE\Microsoft\Shared
// Tools\MSINFO", else "MSINFO32.EXE" in the folder named by "MSINFO" of
// "SOFTWARE\Microsoft\Shared Tools Location", both under HKEY_LOCAL_MACHINE.
// Without: the first program of SysInfoPrograms on the PATH that starts.
// True when a program was started.
bool LaunchSystemInfo(const SysInfoPlatform& platform);

}  // namespace vel
