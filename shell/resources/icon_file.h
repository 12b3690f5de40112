#pragma once

// The application icon, read at run time from the generated picture
// "Data/icon.png" (found by the media search, like the models).

#include <optional>
#include <string>

#include "platform/ui/resource_table.h"

// Name of the icon picture for the media search.
inline constexpr const char* kIconFileName = "Data\\icon.png";

// Decodes the picture at path into RGBA pixels, top row first; nothing when
// the file is missing or is not a picture.
std::optional<IconImage> LoadIconFile(const std::string& path);

// Finds kIconFileName and decodes it; nothing when it cannot be found or
// read (the program then simply has no icon).
std::optional<IconImage> LoadApplicationIcon();
