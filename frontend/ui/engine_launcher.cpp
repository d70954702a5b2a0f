#include "engine_launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

namespace {

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString findOnPath(const QString& name, const QString& searchPath)
{
    for (const QString& directory : searchPath.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        const QString candidate = QDir(directory).absoluteFilePath(name);
        if (isExecutableFile(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

} // namespace

const char* const engineFailureHold =
    "\"$0\"; status=$?; if [ $status -ne 0 ]; then "
    "printf '\\n--- orvcalc stopped (status %s). Press Enter to close. ---\\n' $status; "
    "read line; fi";

QString engineFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("orvcalc.exe");
#else
    return QStringLiteral("orvcalc");
#endif
}

QString findEngine(const QString& workingDirectory, const QString& applicationDirectory,
                   const QString& searchPath)
{
    for (const QString& directory : {workingDirectory, applicationDirectory}) {
        if (directory.isEmpty())
            continue;
        const QString candidate = QDir(directory).absoluteFilePath(engineFileName());
        if (isExecutableFile(candidate))
            return QDir::cleanPath(candidate);
    }
    return findOnPath(engineFileName(), searchPath);
}

QString findTerminal(const QString& searchPath)
{
#ifdef Q_OS_WIN
    Q_UNUSED(searchPath);
    return {}; // a console program gets its own console window there
#else
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        const QString found = findOnPath(QString::fromLatin1(name), searchPath);
        if (!found.isEmpty())
            return found;
    }
    return {};
#endif
}

EngineStart engineStart(const QString& enginePath, const QString& terminalPath,
                        const QString& workingDirectory)
{
    if (terminalPath.isEmpty())
        return {enginePath, {}, workingDirectory};
    // "-e command..." is the one option every Debian terminal emulator accepts. The engine
    // reports a failure in one line and exits, which would close the terminal at once: the
    // shell keeps it open until Enter after a failure, so the line can be read.
    return {terminalPath,
            {QStringLiteral("-e"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
             QString::fromLatin1(engineFailureHold), enginePath},
            workingDirectory};
}

bool startDetached(const EngineStart& start, QString* reason)
{
    QProcess process;
    process.setProgram(start.program);
    process.setArguments(start.arguments);
    process.setWorkingDirectory(start.workingDirectory);
    // Without a terminal the engine's waits for Enter read end of input and go on.
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (reason)
        *reason = QStringLiteral("%1 could not be started: %2")
                      .arg(QDir::toNativeSeparators(start.program), process.errorString());
    return false;
}

bool launchEngine(QString* reason, const ProcessStarter& starter)
{
    const QString workingDirectory = QDir::currentPath();
    const QString searchPath = qEnvironmentVariable("PATH");
    const QString engine =
        findEngine(workingDirectory, QCoreApplication::applicationDirPath(), searchPath);
    if (engine.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("%1 was not found in %2, beside this program or on PATH.")
                          .arg(engineFileName(), QDir::toNativeSeparators(workingDirectory));
        return false;
    }
    // A terminal needs a display; on the offscreen platform the engine runs without one.
    const bool display = QGuiApplication::platformName() != QLatin1String("offscreen")
                         && (!qEnvironmentVariableIsEmpty("DISPLAY")
                             || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
    const QString terminal = display ? findTerminal(searchPath) : QString();
    return starter(engineStart(engine, terminal, workingDirectory), reason);
}
