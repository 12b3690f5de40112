#pragma once

// The standard command line of a document application: without arguments a
// new, untitled document; a file name opens that file. Arguments starting
// with '-' are flags, offered to ParseParam without their dashes; the base
// ignores them, so a program can take its own options by overriding it.

#include <string>

#include "platform/ui/core/ui_types.h"

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileNothing };

    virtual ~CCommandLineInfo() = default;
    // One argument: param without its dashes when flag; last: it is the last one.
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);

    ShellCommand shellCommand = FileNew;
    std::string fileName;
};
