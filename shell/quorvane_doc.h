#pragma once

// CQuorvaneDoc: the document the single-document model asks for. It holds
// no data: a new document is the base's, and reading one changes nothing in
// the simulation.

#include "platform/ui/document.h"

class CQuorvaneDoc : public CDocument {};
