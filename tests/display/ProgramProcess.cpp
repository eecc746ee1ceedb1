#include "tests/display/ProgramProcess.h"

#include "platform/window/ControlsReport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ProgramHome::ProgramHome()
{
    std::string pattern = ::testing::TempDir() + "sonalyx-home-XXXXXX";
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "no temporary folder for the program's home";
    fFolder = pattern;
    // A person's home has a desktop folder; the program never makes one, and the file panels'
    // places list it before the documents folder.
    for (const char* sub : {"/home", "/home/Desktop", "/config", "/data", "/run", "/bin", "/Documents"})
        std::filesystem::create_directories(fFolder + sub);
    chmod((fFolder + "/run").c_str(), 0700); // a runtime folder must be private
}

ProgramHome::~ProgramHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(fFolder, ignored);
}

std::vector<std::string> ProgramHome::Environment(const std::vector<std::string>& extra) const
{
    std::vector<std::string> env;
    std::string path = "/usr/bin:/bin";
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (name == "PATH")
            path = entry.substr(5);
        else if (name != "HOME" && name.rfind("XDG_", 0) != 0 && name.rfind("SONALYX_", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("HOME=" + Home());
    env.push_back("XDG_CONFIG_HOME=" + fFolder + "/config");
    env.push_back("XDG_DATA_HOME=" + fFolder + "/data");
    env.push_back("XDG_RUNTIME_DIR=" + fFolder + "/run");
    env.push_back("XDG_DOCUMENTS_DIR=" + fFolder + "/Documents");
    env.push_back("PATH=" + Bin() + ":" + path);
    env.push_back(std::string(plat::ControlsReport::kVariable) + "=" + Report());
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

ProgramProcess::ProgramProcess(const ProgramHome& home, const std::vector<std::string>& files,
                               const std::vector<std::string>& environment)
{
    std::vector<std::string> env = home.Environment(environment);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> args{Path()};
    args.insert(args.end(), files.begin(), files.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&fPid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        fPid = -1;
}

ProgramProcess::~ProgramProcess()
{
    Kill();
}

bool ProgramProcess::Alive()
{
    if (fPid <= 0)
        return false;
    if (waitpid(fPid, &fStatus, WNOHANG) == fPid) {
        fPid = -1;
        fEnded = true;
        return false;
    }
    return true;
}

void ProgramProcess::Kill()
{
    if (fPid <= 0)
        return;
    kill(fPid, SIGKILL);
    waitpid(fPid, &fStatus, 0);
    fPid = -1;
    fEnded = true;
}

std::string ProgramProcess::Path()
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path(self, size_t(n > 0 ? n : 0));
    return path.substr(0, path.rfind('/')) + "/../app/sonalyx";
}
