#include "dialogs/SystemInfo.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

#include "mode/ByteCodec.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace vel {

namespace {

#ifdef Q_OS_WIN
class WindowsRegistry : public RegistryApi {
public:
    bool Open(std::uint32_t root, const std::string& key, std::uint32_t access, std::uintptr_t& handle) override {
        // Predefined roots are negative LONGs widened to a handle.
        const HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(rootKey, key.c_str(), 0, static_cast<REGSAM>(access), &opened);
        handle = reinterpret_cast<std::uintptr_t>(opened);
        return rc == ERROR_SUCCESS;
    }
    bool Query(std::uintptr_t handle, const std::string& value, std::uint32_t& type, std::vector<char>& buffer,
               std::uint32_t& size) override {
        DWORD valueType = 0;
        DWORD bytes = size;
        const LONG rc = RegQueryValueExA(reinterpret_cast<HKEY>(handle), value.c_str(), nullptr, &valueType,
                                         reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        type = valueType;
        size = bytes;
        return rc == ERROR_SUCCESS;
    }
    void Close(std::uintptr_t handle) override {
        if (handle) RegCloseKey(reinterpret_cast<HKEY>(handle));
    }
};
#endif

bool Start(const SysInfoPlatform& platform, const QString& program, const QStringList& arguments = {}) {
    return !program.isEmpty() && platform.startDetached && platform.startDetached(program, arguments);
}

}  // namespace

bool GetKeyValue(RegistryApi& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal) {
    std::uintptr_t key = 0;
    if (!registry.Open(KeyRoot, KeyName, kKeyAccess, key)) {
        KeyVal.clear();
        registry.Close(key);
        return false;
    }
    std::vector<char> buffer(kValueBufferSize, '\0');
    std::uint32_t size = kValueBufferSize;
    std::uint32_t type = 0;
    if (!registry.Query(key, SubKeyRef, type, buffer, size)) {
        KeyVal.clear();
        registry.Close(key);
        return false;
    }
    std::string value(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    if (!value.empty() && value.back() == '\0') value.pop_back();
    if (type == kRegSz) {
        KeyVal = value;
    } else if (type == kRegDword) {
        std::string digits = "&h";
        for (auto b = value.rbegin(); b != value.rend(); ++b) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(static_cast<unsigned char>(*b)));
            digits += hex;
        }
        KeyVal = digits;
    }
    registry.Close(key);
    return true;
}

QList<QStringList> SysInfoPrograms() {
    return {
        {QStringLiteral("hardinfo2")},   {QStringLiteral("hardinfo")},
        {QStringLiteral("kinfocenter")}, {QStringLiteral("gnome-control-center"), QStringLiteral("info-overview")},
        {QStringLiteral("xfce4-about")},
    };
}

SysInfoPlatform SystemPlatform() {
    SysInfoPlatform platform;
#ifdef Q_OS_WIN
    static WindowsRegistry registry;
    platform.registry = &registry;
#endif
    platform.fileExists = [](const QString& path) { return QFileInfo(path).isFile(); };
    platform.findExecutable = [](const QString& program) { return QStandardPaths::findExecutable(program); };
    platform.startDetached = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    return platform;
}

bool LaunchSystemInfo(const SysInfoPlatform& platform) {
    if (RegistryApi* registry = platform.registry) {
        std::string path;
        // A path found here is started as it is; a failed start ends the search.
        if (GetKeyValue(*registry, kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path))
            return Start(platform, BytesToQString(path));
        if (GetKeyValue(*registry, kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)) {
            const QString file = BytesToQString(path) + QStringLiteral("\\MSINFO32.EXE");
            if (platform.fileExists && platform.fileExists(file)) return Start(platform, file);
        }
        return false;
    }
    if (!platform.findExecutable) return false;
    for (const QStringList& entry : SysInfoPrograms()) {
        const QString found = platform.findExecutable(entry.front());
        if (!found.isEmpty() && Start(platform, found, entry.mid(1))) return true;
    }
    return false;
}

}  // namespace vel
