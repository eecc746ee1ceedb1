#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

// A home of its own for the built program, as a new user's: HOME, the XDG folders, a private
// runtime folder and a documents folder under one temporary folder, a bin folder put first on
// PATH (for stand-ins of desktop tools) and the controls report the program writes for tests.
// Several starts of the program may share one home; the folder is removed at the end.
class ProgramHome {
public:
    ProgramHome();
    ~ProgramHome();
    ProgramHome(const ProgramHome&) = delete;
    ProgramHome& operator=(const ProgramHome&) = delete;

    const std::string& Folder() const { return fFolder; }
    std::string Home() const { return fFolder + "/home"; }
    std::string Bin() const { return fFolder + "/bin"; }
    std::string Report() const { return fFolder + "/controls.txt"; }
    // The test's environment with this home's settings in place of its own, then `extra`
    // (NAME=value entries); the test's own SONALYX_ settings are not passed on.
    std::vector<std::string> Environment(const std::vector<std::string>& extra) const;

private:
    std::string fFolder;
};

// The built program (build/app/sonalyx beside build/tests/) in a process of its own, started
// with the files to open; killed at the end when still running.
class ProgramProcess {
public:
    ProgramProcess(const ProgramHome& home, const std::vector<std::string>& files = {},
                   const std::vector<std::string>& environment = {});
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return fPid > 0 || fEnded; }
    pid_t Pid() const { return fPid; }
    // False once the program has ended; its exit status is then kept.
    bool Alive();
    int Status() const { return fStatus; }
    void Kill();

    static std::string Path();

private:
    pid_t fPid = -1;
    bool fEnded = false;
    int fStatus = 0;
};
