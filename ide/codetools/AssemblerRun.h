// One run of the external assembler on a source file, from the checks to the
// result files next to the source:
//
//     AssemblerRun run(prompt);
//     run.Options.ProgramFolder = frame.ProgramFolder();   // holds as11 and asm.sh
//     AssembleOutcome out = run.Run("/home/me/src", "prog.asm");
//     if (out.Listing) ...   // /home/me/src/prog.lst is new: reload the symbols
//     if (out.Errors) ...    // /home/me/src/prog.err is new: show the error list
//
// The file contract with asm.sh: it is started without arguments in a working
// folder that holds the source copied to "Temp$$$.asm"; it leaves the listing
// "Temp$$$.lst", the S-records "Temp$$$.s19" and, when the source has errors,
// "Temp$$$.err" there and creates the marker "Temp$$$.$$$" when it is done. No
// result is read before the marker exists.
//
// The working folder is a private folder made for the run under the system's
// temporary folder (Options.TempRoot) and removed afterwards: the program
// folder of an installed program is not writable by its users, and fixed
// names in a shared folder would let two runs, or other users, interfere.
//
// The wait for the marker, and the retried deletion of the marker, keep
// timers and painting going but take no user input, and give up after
// Options.Timeout with a message; asm.sh and whatever it started are then
// stopped. Every problem is reported in a "Dravik - Assemble Error" message.
#pragma once

#include <chrono>
#include <functional>

#include <QString>

namespace quorvel {

class Prompt;

inline const QString kAs11Program = QStringLiteral("as11");
inline const QString kAsmScript = QStringLiteral("asm.sh");
inline const QString kTempSource = QStringLiteral("Temp$$$.asm");
inline const QString kTempListing = QStringLiteral("Temp$$$.lst");
inline const QString kTempSRecords = QStringLiteral("Temp$$$.s19");
inline const QString kTempErrors = QStringLiteral("Temp$$$.err");
inline const QString kTempMarker = QStringLiteral("Temp$$$.$$$");
inline const QString kAssembleErrorOperation = QStringLiteral("Assemble Error");

// The result files of a source, named after it up to its last ".".
struct ResultNames {
    QString SymbolFileTitle;  // prog.lst
    QString ErrorFileName;    // prog.err
    QString DownloadFileName; // prog.s19
};
ResultNames ResultNamesOf(const QString& assembleSource);
// True when a result file would have the source's own name (prog.lst assembled
// into prog.lst): the run would delete the source.
bool ResultReplacesSource(const QString& assembleSource);

struct AssembleOutcome {
    // The checks passed and the result names are known; the run went ahead.
    bool Started = false;
    // asm.sh finished (its marker came and went).
    bool Finished = false;
    // The result files now next to the source.
    bool Listing = false;
    bool SRecords = false;
    bool Errors = false;
    ResultNames Names;
};

// What Download offers after a run in `sourceFolder`: the run's S-record file
// by name ("prog.s19" in that folder), or nothing, so that Download asks for a
// file, when the run did not get as far as asm.sh finishing, or when the file
// of that name is an earlier run's (this run made none and could not remove it).
QString MachineCodeToDownload(const AssembleOutcome& outcome, const QString& sourceFolder);

struct AssemblerOptions {
    // The folder that holds as11 and asm.sh.
    QString ProgramFolder;
    // Where the run's working folder is made; empty: the system's temporary folder.
    QString TempRoot;
    // How long to wait for the marker, and for its deletion to succeed.
    std::chrono::milliseconds Timeout{60000};
    // How often the marker is looked for.
    std::chrono::milliseconds PollInterval{20};
};

class AssemblerRun {
public:
    explicit AssemblerRun(Prompt& prompt);

    AssemblerOptions Options;
    // Told true when the wait for asm.sh starts and false when it ends (the hourglass).
    std::function<void(bool)> Waiting;

    // Assembles sourceFolder/assembleSource. Every failure has been reported when it returns.
    AssembleOutcome Run(const QString& sourceFolder, const QString& assembleSource);
    bool Busy() const { return busy_; }

private:
    bool ToolsPresent();
    void Fail(const QString& text);
    void Pause();

    Prompt& prompt_;
    bool busy_ = false;
};

} // namespace quorvel
