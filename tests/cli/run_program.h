// Runs a program of the build as a child process, with its standard input
// taken from a string and its standard output and error caught, on Linux
// and on Windows alike.
#ifndef MX_RUN_PROGRAM_H
#define MX_RUN_PROGRAM_H

#include <string>
#include <vector>

struct ProgramRun {
    std::string out;
    std::string err;
    int status;  // the exit status; -1 when the program did not end normally
};

// The path of program `name` in the folder of this test program, where the
// build puts every program.
std::string ProgramBeside(const std::string &name);

// Runs `program` with `args` and `input` on its standard input, waits for it
// to end and returns what it wrote.
ProgramRun RunProgram(const std::string &program, const std::vector<std::string> &args,
                      const std::string &input);

// A file with `contents` in the temporary folder, deleted with the object.
class TempFile {
public:
    explicit TempFile(const std::string &contents);
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

#endif
