#pragma once

// Why the last file load of this layer failed, for callers that tell the
// user. Each loader (texture, .x hierarchy) writes one line to standard error
// on failure, "Loader: name: reason", and keeps the same reason here until
// its next call on the same thread: plain words first ("no such file", "is a
// directory", "empty", "truncated", "not a PNG/JPEG image", "not a model
// file"), or "damaged" with the details in parentheses.

#include <string>

// The reason of the last failed load on this thread; empty when the last
// load succeeded or there was none.
const std::string& D3DXGetLastLoadFailure();

// For the loaders: forgets the last reason (a load starts).
void D3DXClearLoadFailure();
// For the loaders: writes "loader: name: reason" to standard error and keeps
// reason.
void D3DXReportLoadFailure(const char* loader, const char* name, const std::string& reason);
