#include "codetools/AssemblerRun.h"

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "frame/NumberText.h"
#include "frame/Prompt.h"

namespace quorvel {

namespace {

// How long asm.sh may take to end after its marker before it is stopped.
constexpr std::chrono::milliseconds kEndGrace{2000};
// The tail of asm.sh's output that is kept for a message.
constexpr qsizetype kOutputKept = 4096;
constexpr qsizetype kMessageLineLength = 200;

QString Seconds(std::chrono::milliseconds span) {
    return QString::number(double(span.count()) / 1000.0, 'g', 3) + QStringLiteral(" s");
}

QString InParentheses(const QString& text) {
    return QLatin1Char('(') + text + QLatin1Char(')');
}

// asm.sh as a process of its own group, so that stopping it also stops
// whatever it started (as11). Its output is kept for messages.
class ScriptProcess {
public:
    ScriptProcess() {
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] {
            output_.append(process_.readAllStandardOutput());
            if (output_.size() > kOutputKept) output_.remove(0, output_.size() - kOutputKept);
        });
    }
    ~ScriptProcess() { Stop(); }
    ScriptProcess(const ScriptProcess&) = delete;
    ScriptProcess& operator=(const ScriptProcess&) = delete;

    // Without arguments, in `folder`. A script that is not executable runs through /bin/sh.
    bool Start(const QString& script, const QString& folder, QString& error) {
        if (QFileInfo(script).isExecutable()) {
            process_.setProgram(script);
        } else {
            process_.setProgram(QStringLiteral("/bin/sh"));
            process_.setArguments({script});
        }
        process_.setWorkingDirectory(folder);
        process_.setStandardInputFile(QProcess::nullDevice());
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setChildProcessModifier([] { ::setpgid(0, 0); });
        process_.start();
        if (process_.waitForStarted()) return true;
        error = process_.errorString();
        return false;
    }

    bool Running() const { return process_.state() != QProcess::NotRunning; }

    void Stop() {
        if (!Running()) return;
        const qint64 pid = process_.processId();
        if (pid > 0) ::kill(-static_cast<pid_t>(pid), SIGKILL);
        process_.kill();
        process_.waitForFinished(int(kEndGrace.count()));
    }

    // The last line the script or the assembler printed, shortened.
    QString LastLine() {
        output_.append(process_.readAllStandardOutput());
        const QStringList lines =
            QString::fromLocal8Bit(output_).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
            const QString line = it->trimmed();
            if (!line.isEmpty()) return line.left(kMessageLineLength);
        }
        return {};
    }

private:
    QProcess process_;
    QByteArray output_;
};

class WaitingScope {
public:
    explicit WaitingScope(const std::function<void(bool)>& waiting) : waiting_(waiting) {
        if (waiting_) waiting_(true);
    }
    ~WaitingScope() {
        if (waiting_) waiting_(false);
    }
    WaitingScope(const WaitingScope&) = delete;
    WaitingScope& operator=(const WaitingScope&) = delete;

private:
    const std::function<void(bool)>& waiting_;
};

// Waits for asm.sh's marker, then deletes it, trying again while that fails;
// at the end asm.sh and whatever it left running are stopped. No result may be
// read before the marker exists. The text of a failure, or empty.
QString AwaitMarker(ScriptProcess& script, const QString& marker, std::chrono::milliseconds timeout,
                    const std::function<void()>& pause) {
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(marker)) {
        if (!script.Running()) {
            if (QFileInfo::exists(marker)) break;
            const QString said = script.LastLine();
            return TwoLines(kAsmScript + QStringLiteral(" Did Not Finish !"),
                            InParentheses(QStringLiteral("It ended without ") + kTempMarker +
                                          (said.isEmpty() ? QString() : QStringLiteral(": ") + said)));
        }
        if (clock.elapsed() >= timeout.count()) {
            script.Stop();
            return TwoLines(kAsmScript + QStringLiteral(" Did Not Finish !"),
                            InParentheses(QStringLiteral("No ") + kTempMarker + QStringLiteral(" after ") +
                                          Seconds(timeout)));
        }
        pause();
    }

    clock.restart();
    while (QFileInfo::exists(marker) && !QFile::remove(marker)) {
        if (clock.elapsed() >= timeout.count()) {
            script.Stop();
            return TwoLines(QStringLiteral("Can't Delete ") + kTempMarker + QStringLiteral(" !"),
                            InParentheses(QStringLiteral("Still there after ") + Seconds(timeout)));
        }
        pause();
    }

    // Creating the marker was asm.sh's last act.
    clock.restart();
    while (script.Running() && clock.elapsed() < kEndGrace.count())
        pause();
    script.Stop();
    return {};
}

} // namespace

ResultNames ResultNamesOf(const QString& assembleSource) {
    QString name;
    QString extension;
    SplitFileName(assembleSource, name, extension);
    return {name + QStringLiteral(".lst"), name + QStringLiteral(".err"), name + QStringLiteral(".s19")};
}

bool ResultReplacesSource(const QString& assembleSource) {
    const ResultNames names = ResultNamesOf(assembleSource);
    return assembleSource == names.SymbolFileTitle || assembleSource == names.ErrorFileName ||
           assembleSource == names.DownloadFileName;
}

QString MachineCodeToDownload(const AssembleOutcome& outcome, const QString& sourceFolder) {
    if (!outcome.Finished) return {};
    const QString path = QDir(sourceFolder).filePath(outcome.Names.DownloadFileName);
    if (!outcome.SRecords && QFileInfo::exists(path)) return {};
    return path;
}

AssemblerRun::AssemblerRun(Prompt& prompt) : prompt_(prompt) {}

void AssemblerRun::Fail(const QString& text) {
    prompt_.Message(DravikTitle(kAssembleErrorOperation), text, PromptIcon::Exclamation);
}

bool AssemblerRun::ToolsPresent() {
    const QDir program(Options.ProgramFolder);
    for (const QString& tool : {kAs11Program, kAsmScript}) {
        if (!QFileInfo(program.filePath(tool)).isFile()) {
            Fail(QStringLiteral("Can't Find ") + tool + QStringLiteral(" !"));
            return false;
        }
    }
    return true;
}

// Lets timers, painting and the process's own notifications run for one
// poll interval; user input waits until the run is over.
void AssemblerRun::Pause() {
    QEventLoop loop;
    QTimer::singleShot(Options.PollInterval, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

AssembleOutcome AssemblerRun::Run(const QString& sourceFolder, const QString& assembleSource) {
    AssembleOutcome out;
    if (busy_) return out;

    // The tools, and a source its results would not overwrite.
    if (!ToolsPresent()) return out;
    if (ResultReplacesSource(assembleSource)) {
        Fail(TwoLines(QStringLiteral("Can't Assemble ") + assembleSource + QStringLiteral(" !"),
                      QStringLiteral("(Its results would replace it)")));
        return out;
    }
    busy_ = true;
    struct BusyReset {
        bool& busy;
        ~BusyReset() { busy = false; }
    } busyReset{busy_};

    out.Names = ResultNamesOf(assembleSource);
    out.Started = true;

    // A fresh private working folder: no temporary file of an earlier run is in it.
    const QString root = Options.TempRoot.isEmpty() ? QDir::tempPath() : Options.TempRoot;
    QTemporaryDir workFolder(QDir(root).filePath(QStringLiteral("quorvel-asm-XXXXXX")));
    if (!workFolder.isValid()) {
        Fail(TwoLines(QStringLiteral("Can't Assemble ") + assembleSource + QStringLiteral(" !"),
                      InParentheses(QStringLiteral("No working folder in ") + root + QStringLiteral(": ") +
                                    workFolder.errorString())));
        return out;
    }
    const QDir work(workFolder.path());

    const QDir source(sourceFolder);
    const QString sourcePath = source.filePath(assembleSource);
    QFile sourceFile(sourcePath);
    if (!sourceFile.copy(work.filePath(kTempSource))) {
        Fail(TwoLines(QStringLiteral("Can't Read ") + sourcePath + QStringLiteral(" !"),
                      InParentheses(sourceFile.errorString())));
        return out;
    }

    // asm.sh, without arguments, in the working folder.
    ScriptProcess script;
    QString error;
    if (!script.Start(QDir(Options.ProgramFolder).filePath(kAsmScript), work.path(), error)) {
        Fail(TwoLines(QStringLiteral("Can't Start ") + kAsmScript + QStringLiteral(" !"),
                      InParentheses(error)));
        return out;
    }

    QString failure;
    {
        WaitingScope waiting(Waiting);
        failure = AwaitMarker(script, work.filePath(kTempMarker), Options.Timeout, [this] { Pause(); });
    }
    if (!failure.isEmpty()) {
        Fail(failure);
        return out;
    }
    out.Finished = true;

    // The results of an earlier run go.
    for (const QString& name :
         {out.Names.SymbolFileTitle, out.Names.ErrorFileName, out.Names.DownloadFileName}) {
        QFile old(source.filePath(name));
        if (old.exists() && !old.remove())
            Fail(TwoLines(QStringLiteral("Can't Delete ") + old.fileName() + QStringLiteral(" !"),
                          InParentheses(old.errorString())));
    }

    // The new results move next to the source.
    bool moveFailed = false;
    const auto moveResult = [&](const QString& temp, const QString& name) {
        QFile file(work.filePath(temp));
        if (!file.exists()) return false;
        const QString target = source.filePath(name);
        if (file.rename(target)) return true;
        moveFailed = true;
        Fail(TwoLines(QStringLiteral("Can't Move ") + temp + QStringLiteral(" to ") + target +
                          QStringLiteral(" !"),
                      InParentheses(file.errorString())));
        return false;
    };
    out.SRecords = moveResult(kTempSRecords, out.Names.DownloadFileName);
    out.Listing = moveResult(kTempListing, out.Names.SymbolFileTitle);
    out.Errors = moveResult(kTempErrors, out.Names.ErrorFileName);

    // A run that leaves nothing to show says so instead of passing in silence.
    if (!out.Listing && !out.Errors && !moveFailed) {
        const QString said = script.LastLine();
        Fail(TwoLines(QStringLiteral("Can't Assemble ") + assembleSource + QStringLiteral(" !"),
                      InParentheses(said.isEmpty()
                                        ? kAsmScript + QStringLiteral(" left no listing and no error file")
                                        : said)));
    }
    return out;
}

} // namespace quorvel
