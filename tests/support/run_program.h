#pragma once

// Runs one of the project's programs as a user would, for the tests that
// check exit status and output.

#include <string>

struct RunResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs "'program' arguments" through the shell (arguments are shell words,
// quoted by the caller where needed), with environment assignments in front
// when environment is not empty (for example "env -u DISPLAY"), in folder
// when it is not empty. Standard input is empty.
RunResult RunProgram(const std::string& program, const std::string& arguments,
                     const std::string& environment = "", const std::string& folder = "");
