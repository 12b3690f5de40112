#include "platform/ui/docview/command_line_info.h"

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL /*last*/) {
    if (!flag && fileName.empty() && param != nullptr) {
        fileName = param;
        shellCommand = FileOpen;
    }
}
