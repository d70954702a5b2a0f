#pragma once
// Starting the engine: found in the working directory, then beside this program, then on the
// search path; started detached in a terminal emulator when one is installed, so its console
// and its waits for Enter are visible, otherwise detached without a console. It inherits the
// working directory, where joken.dat was just written.

#include <QString>
#include <QStringList>

#include <functional>

// "orvcalc", or "orvcalc.exe" on Windows.
QString engineFileName();

// The engine's absolute path, or empty when it is in none of the three places.
// searchPath is the PATH value (entries separated by the platform's list separator).
QString findEngine(const QString& workingDirectory, const QString& applicationDirectory,
                   const QString& searchPath);

// The first installed terminal emulator (x-terminal-emulator, then xterm), or empty.
QString findTerminal(const QString& searchPath);

struct EngineStart {
    QString program;
    QStringList arguments;
    QString workingDirectory;
    friend bool operator==(const EngineStart&, const EngineStart&) = default;
};

// The shell command that runs the engine ($0) in the terminal and, when it fails, keeps the
// terminal open until Enter.
extern const char* const engineFailureHold;

// What to start: the terminal running the engine, or the engine alone.
EngineStart engineStart(const QString& enginePath, const QString& terminalPath,
                        const QString& workingDirectory);

// Starts a process without waiting; returns false with the reason when it cannot.
using ProcessStarter = std::function<bool(const EngineStart& start, QString* reason)>;
bool startDetached(const EngineStart& start, QString* reason);

// Finds and starts the engine for the current directory. Returns false with the reason (the
// engine not found, or why it could not be started).
bool launchEngine(QString* reason, const ProcessStarter& starter = startDetached);
