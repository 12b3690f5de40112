#pragma once

// CQuorvaneDoc: the document the single-document model asks for. It holds
// no data: a new document is the base's, and reading one changes nothing in
// the simulation. It is also where the views tell each other about the
// engine (UpdateAllViews with the hints below).

#include "platform/ui/document.h"
#include "platform/ui/ui_types.h"

// Hints of UpdateAllViews between the shell's views.
enum QuorvaneUpdateHint : LPARAM {
    kHintRefresh = 0,        // the live engine is (newly) in place: show its values
    kHintEngineDeleted = 1,  // the engine and its behaviours are gone: forget them
};

class CQuorvaneDoc : public CDocument {};
