#include "tests/cli/run_program.h"

#include <stdio.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

std::string Contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifdef _WIN32

// A program must not run longer than this under test.
const DWORD TIME_LIMIT_MS = 60000;

// One argument as the C runtime's command-line parser reads it back:
// quoted when it holds blanks or quotes or is empty; backslashes doubled
// only where they come before a quote.
std::string Quoted(const std::string &arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos)
        return arg;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + '"';
}

HANDLE Inheritable(const std::string &path, bool write)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    return file;
}

#endif

}  // namespace

#ifdef _WIN32

std::string ProgramBeside(const std::string &name)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self(path, length);
    return self.substr(0, self.find_last_of("\\/") + 1) + name + ".exe";
}

TempFile::TempFile(const std::string &contents)
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    if (!GetTempFileNameA(folder, "mx", 0, path))
        throw std::runtime_error("cannot make a temporary file");
    path_ = path;
    std::ofstream(path_, std::ios::binary) << contents;
}

TempFile::~TempFile() { DeleteFileA(path_.c_str()); }

ProgramRun RunProgram(const std::string &program, const std::vector<std::string> &args,
                      const std::string &input)
{
    TempFile in(input), out(""), err("");
    std::string commandLine = Quoted(program);
    for (const std::string &arg : args)
        commandLine += ' ' + Quoted(arg);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(in.path(), false);
    startup.hStdOutput = Inheritable(out.path(), true);
    startup.hStdError = Inheritable(err.path(), true);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(startup.hStdInput);
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (!started)
        throw std::runtime_error("cannot start " + program);

    DWORD status = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, TIME_LIMIT_MS) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
    else
        TerminateProcess(process.hProcess, status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {Contents(out.path()), Contents(err.path()), static_cast<int>(status)};
}

#else

std::string ProgramBeside(const std::string &name)
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    std::string self(path, length > 0 ? length : 0);
    return self.substr(0, self.find_last_of('/') + 1) + name;
}

TempFile::TempFile(const std::string &contents)
{
    const char *folder = getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/mx-XXXXXX";
    int file = mkstemp(&pattern[0]);
    if (file < 0)
        throw std::runtime_error("cannot make a temporary file");
    close(file);
    path_ = pattern;
    std::ofstream(path_, std::ios::binary) << contents;
}

TempFile::~TempFile() { unlink(path_.c_str()); }

ProgramRun RunProgram(const std::string &program, const std::vector<std::string> &args,
                      const std::string &input)
{
    TempFile in(input), out(""), err("");
    std::vector<char *> argv = {const_cast<char *>(program.c_str())};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        const struct {
            const std::string &path;
            int flags, target;
        } streams[] = {{in.path(), O_RDONLY, 0},
                       {out.path(), O_WRONLY | O_TRUNC, 1},
                       {err.path(), O_WRONLY | O_TRUNC, 2}};
        for (const auto &s : streams) {
            int file = open(s.path.c_str(), s.flags);
            if (file < 0 || dup2(file, s.target) < 0)
                _exit(127);
            close(file);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {Contents(out.path()), Contents(err.path()), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

#endif
