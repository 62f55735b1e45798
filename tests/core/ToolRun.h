#pragma once
// Runs velloran-mode as a script would: arguments, standard input, and
// optionally standard output into a file; gives the exit code and output.
#include <QProcess>
#include <QStringList>

namespace vel::test {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline Run Tool(const QStringList& args, const QByteArray& input = {}, const QString& outputFile = {}) {
    QProcess p;
    if (!outputFile.isEmpty()) p.setStandardOutputFile(outputFile);
    p.start(QStringLiteral(VELLORAN_TOOL_PATH), args);
    p.waitForStarted();
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace vel::test
