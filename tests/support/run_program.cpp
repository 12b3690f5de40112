#include "tests/support/run_program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

RunResult RunProgram(const std::string& program, const std::string& arguments,
                     const std::string& environment, const std::string& folder) {
    char errorPath[] = "/tmp/quorvane_run_XXXXXX";
    const int errorFile = mkstemp(errorPath);
    if (errorFile < 0) {
        ADD_FAILURE() << "mkstemp failed";
        return {};
    }
    close(errorFile);

    std::string command;
    if (!folder.empty()) {
        command += "cd '" + folder + "' && ";
    }
    command += environment + (environment.empty() ? "" : " ") + "'" + program + "' " + arguments +
               " </dev/null 2>" + errorPath;
    RunResult result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            result.out.append(buffer, count);
        }
        const int status = pclose(pipe);
        if (status != -1 && WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        }
    } else {
        ADD_FAILURE() << "popen failed for " << command;
    }
    std::ifstream errorStream(errorPath);
    result.err.assign(std::istreambuf_iterator<char>(errorStream), {});
    std::remove(errorPath);
    return result;
}
