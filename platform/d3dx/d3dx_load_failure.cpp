#include "platform/d3dx/d3dx_load_failure.h"

#include <cstdio>

namespace {
// Per thread, like errno: a load on another thread never overwrites it.
thread_local std::string lastFailure;
}  // namespace

const std::string& D3DXGetLastLoadFailure() {
    return lastFailure;
}

void D3DXClearLoadFailure() {
    lastFailure.clear();
}

void D3DXReportLoadFailure(const char* loader, const char* name, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", loader, name, reason.c_str());
    lastFailure = reason;
}
