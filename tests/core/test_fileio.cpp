// Safe saving closed on every side: what a save refuses, what a failed step
// leaves, the temporaries; and reads that refuse what is not a file.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "mode/FileIO.h"

using namespace vel;
namespace fs = std::filesystem;

namespace {

void Spit(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Temporaries(const std::string& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) n += e.path().filename().string().starts_with(".vel-") ? 1 : 0;
    return n;
}

mode_t Bits(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

class TestFileIO : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Path(const std::string& name) { return dir_.path().toStdString() + "/" + name; }

private slots:
    // Each target is kept as it was, of its kind, with a reason given.
    void refusedTargets_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file (even for root)") << "readonly";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("device node (made as root)") << "device";
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("link loop") << "loop";
        QTest::newRow("folder") << "folder";
    }
    void refusedTargets() {
        QFETCH(QString, kind);
        const std::string target = Path("target-" + kind.toStdString());
        if (kind == "readonly") {
            Spit(target, "old");
            fs::permissions(target, fs::perms(0444));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(target.c_str(), 0644), 0);
        } else if (kind == "device") {
            // A node of its own like /dev/null's, never the system's.
            if (geteuid() != 0) QSKIP("only root makes device nodes");
            QCOMPARE(::mknod(target.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        } else if (kind == "dangling") {
            fs::create_symlink(Path("nowhere"), target);
        } else if (kind == "loop") {
            fs::create_symlink(target, target);
        } else {
            fs::create_directory(target);
        }
        const fs::file_type type = fs::symlink_status(target).type();
        std::string error;
        QVERIFY(!WriteFileAtomically(target, "new", error));
        QVERIFY2(error.find("was not written: ") != std::string::npos, error.c_str());
        QCOMPARE(fs::symlink_status(target).type(), type);
        if (kind == "readonly") {
            QCOMPARE(Slurp(target), std::string("old"));
            QCOMPARE(Bits(target), mode_t(0444));
        }
        QVERIFY(!fs::exists(Path("nowhere")));
        QCOMPARE(Temporaries(dir_.path().toStdString()), 0);
    }

    void writesThroughALinkAndKeepsPermissions() {
        const std::string file = Path("private.mod"), link = Path("link.mod");
        Spit(file, "old");
        fs::permissions(file, fs::perms(0600));
        fs::create_symlink(file, link);
        std::string error;
        QVERIFY2(WriteFileAtomically(link, "new", error), error.c_str());
        QVERIFY(fs::is_symlink(link));
        QCOMPARE(Slurp(file), std::string("new"));
        QCOMPARE(Bits(file), mode_t(0600));
        fs::permissions(file, fs::perms(0640));
        QVERIFY(WriteFileAtomically(file, "newer", error));
        QCOMPARE(Bits(file), mode_t(0640));
    }

    // Root may replace another user's file it has no class bit for, as long
    // as someone may write it, and the file stays that user's.
    void rootKeepsTheOwner() {
        if (geteuid() != 0) QSKIP("needs root to give a file away");
        const std::string file = Path("theirs.mod");
        Spit(file, "old");
        QCOMPARE(::chown(file.c_str(), 65534, 65534), 0);
        fs::permissions(file, fs::perms(0604));
        std::string error;
        QVERIFY2(WriteFileAtomically(file, "new", error), error.c_str());
        struct stat st {};
        ::stat(file.c_str(), &st);
        QCOMPARE(int(st.st_uid), 65534);
        QCOMPARE(int(st.st_gid), 65534);
        QCOMPARE(Bits(file), mode_t(0604));
    }

    // A failure at any step leaves the old file whole and no temporary.
    void failedStepsLeaveTheOldFile_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("err");
        QTest::newRow("write: disk full") << int(WriteStep::Write) << ENOSPC;
        QTest::newRow("flush to the disk") << int(WriteStep::Sync) << EIO;
        QTest::newRow("close") << int(WriteStep::Close) << EIO;
        QTest::newRow("rename") << int(WriteStep::Rename) << EACCES;
    }
    void failedStepsLeaveTheOldFile() {
        QFETCH(int, step);
        QFETCH(int, err);
        const std::string target = Path("steps.mod");
        Spit(target, "old");
        FailNextWrite(WriteStep(step), err);
        std::string error;
        QVERIFY(!WriteFileAtomically(target, "new content", error));
        QVERIFY2(error.find(std::strerror(err)) != std::string::npos, error.c_str());
        QCOMPARE(Slurp(target), std::string("old"));
        QCOMPARE(Temporaries(dir_.path().toStdString()), 0);
        QVERIFY(WriteFileAtomically(target, "new content", error));  // the failure was for one write only
        QCOMPARE(Slurp(target), std::string("new content"));
    }

    void temporariesArePrivateShortAndCleanedUp() {
        // The longest name the system allows can be saved.
        std::string error;
        QVERIFY2(WriteFileAtomically(Path(std::string(255, 'n')), "x", error), error.c_str());

        QDir().mkpath(dir_.path() + "/stale");
        const std::string folder = Path("stale"), a = folder + "/a.mod", b = folder + "/b.mod";
        Spit(a, "old a");
        fs::permissions(a, fs::perms(0600));
        FailNextWrite(WriteStep::Killed, 0);
        QVERIFY(!WriteFileAtomically(a, "secret", error));
        FailNextWrite(WriteStep::Killed, 0);
        QVERIFY(!WriteFileAtomically(b, "b", error));
        Spit(folder + "/.vel-notours.tmp", "");
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(folder)) left.push_back(e.path().filename().string());
        QCOMPARE(left.size(), size_t(4));
        for (const std::string& name : left) {
            if (!IsTemporaryFor(name, "a.mod")) continue;
            QCOMPARE(name.size(), size_t(24));
            QCOMPARE(Bits(folder + "/" + name), mode_t(0600));  // never readable by others, even left behind
        }

        // The next save of a.mod removes a.mod's leftover only.
        QVERIFY(WriteFileAtomically(a, "new a", error));
        int forA = 0, forB = 0;
        for (const auto& e : fs::directory_iterator(folder)) {
            forA += IsTemporaryFor(e.path().filename().string(), "a.mod") ? 1 : 0;
            forB += IsTemporaryFor(e.path().filename().string(), "b.mod") ? 1 : 0;
        }
        QCOMPARE(forA, 0);
        QCOMPARE(forB, 1);
        QVERIFY(fs::exists(folder + "/.vel-notours.tmp"));
        QCOMPARE(Slurp(a), std::string("new a"));
    }

    void readsRefuseWhatIsNotAFile() {
        const std::string fifo = Path("reader.fifo");
        QCOMPARE(::mkfifo(fifo.c_str(), 0644), 0);
        std::string bytes, error;
        QVERIFY(!ReadFileBytes(fifo, bytes, error));  // returns at once: no writer is waited for
        QVERIFY2(error.find("not a regular file") != std::string::npos, error.c_str());
        QVERIFY(!ReadFileBytes("/dev/zero", bytes, error));
        QVERIFY(!ReadFileBytes(dir_.path().toStdString(), bytes, error));
        QVERIFY(error.find("is a folder") != std::string::npos);
        InputFile in;
        QCOMPARE(in.Open(Path("missing"), error), OpenResult::Missing);

        const std::string file = Path("capped");
        Spit(file, "12345");
        QVERIFY(ReadFileBytes(file, bytes, error, 5));
        QCOMPARE(bytes, std::string("12345"));
        QVERIFY(!ReadFileBytes(file, bytes, error, 4));
        QVERIFY(error.find("too large") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestFileIO)
#include "test_fileio.moc"
