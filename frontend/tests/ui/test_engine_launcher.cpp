// Finding and starting the engine, without ever starting a process: the search order, the
// terminal emulator, and the plan handed to the process starter.

#include "ui_test_support.h"

#include "engine_launcher.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

QString makeExecutable(const QString& directory, const QString& name)
{
    QDir().mkpath(directory);
    const QString path = directory + "/" + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class TestEngineLauncher : public QObject {
    Q_OBJECT
private slots:
    void searchesWorkingDirectoryThenProgramDirectoryThenPath()
    {
        ScratchWorkingDirectory scratch;
        const QString root = scratch.path();
        const QString work = root + "/work", app = root + "/app", bin = root + "/bin";
        const QString path = root + "/empty" + QDir::listSeparator() + bin;
        QDir().mkpath(work);
        QDir().mkpath(app);
        QVERIFY(findEngine(work, app, path).isEmpty());

        const QString onPath = makeExecutable(bin, engineFileName());
        QCOMPARE(findEngine(work, app, path), onPath);
        const QString beside = makeExecutable(app, engineFileName());
        QCOMPARE(findEngine(work, app, path), beside);
        const QString inWork = makeExecutable(work, engineFileName());
        QCOMPARE(findEngine(work, app, path), inWork);

        // A file that is not executable does not count.
        QFile::setPermissions(inWork, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(findEngine(work, app, path), beside);
    }

    void prefersTheDebianTerminalAlternative()
    {
        ScratchWorkingDirectory scratch;
        const QString bin = scratch.path() + "/bin";
        QDir().mkpath(bin);
        QVERIFY(findTerminal(bin).isEmpty());
        const QString xterm = makeExecutable(bin, "xterm");
        QCOMPARE(findTerminal(bin), xterm);
        const QString alternative = makeExecutable(bin, "x-terminal-emulator");
        QCOMPARE(findTerminal(bin), alternative);
    }

    void runsTheEngineInTheTerminalOrAlone()
    {
        QCOMPARE(engineStart("/w/orvcalc", "/usr/bin/xterm", "/w"),
                 (EngineStart{"/usr/bin/xterm", {"-e", "/bin/sh", "-c", engineFailureHold, "/w/orvcalc"},
                              "/w"}));
        QCOMPARE(engineStart("/w/orvcalc", "", "/w"), (EngineStart{"/w/orvcalc", {}, "/w"}));
    }

    void failureHoldKeepsTheTerminalOnlyAfterAFailure()
    {
        // Run the shell command itself with stand-in engines and closed input.
        ScratchWorkingDirectory scratch;
        const auto run = [&](const QString& engine) {
            QProcess shell;
            shell.setStandardInputFile(QProcess::nullDevice());
            shell.start("/bin/sh", {"-c", engineFailureHold, engine});
            shell.waitForFinished(5000);
            return QString::fromUtf8(shell.readAllStandardOutput());
        };
        QCOMPARE(run("/bin/true"), QString());
        QVERIFY(run("/bin/false").contains("orvcalc stopped (status 1). Press Enter to close."));
        QVERIFY(run(scratch.path() + "/with space/none").contains("status 127"));
    }

    void launchHandsTheWorkingDirectoryEngineToTheStarter()
    {
        ScratchWorkingDirectory scratch;
        const QString engine = makeExecutable(scratch.path(), engineFileName());
        EngineStart started;
        QString reason;
        QVERIFY(launchEngine(&reason, [&](const EngineStart& start, QString*) {
            started = start;
            return true;
        }));
        QCOMPARE(started.workingDirectory, scratch.path());
        // The window tests run on the offscreen platform, where no terminal can be shown.
        QCOMPARE(started.program, engine);
        QVERIFY(started.arguments.isEmpty());

        QVERIFY(!launchEngine(&reason, [](const EngineStart&, QString* why) {
            *why = "cannot start";
            return false;
        }));
        QCOMPARE(reason, "cannot start");
    }

    void missingProgramIsReportedWithItsName()
    {
        ScratchWorkingDirectory scratch;
        QString reason;
        QVERIFY(!startDetached({scratch.path() + "/no-such-program", {}, scratch.path()}, &reason));
        QVERIFY(reason.contains("no-such-program"));
    }
};

QTEST_MAIN(TestEngineLauncher)
#include "test_engine_launcher.moc"
