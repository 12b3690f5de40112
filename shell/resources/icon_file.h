#pragma once

// The application icon, read at run time from the generated picture
// "Data/icon.png" (found by the media search, like the models).

#include <optional>
#include <string>

#include "platform/ui/resources/resource_table.h"

// Name of the icon picture for the media search.
inline constexpr const char* kIconFileName = "Data\\icon.png";

// Decodes the picture at path into RGBA pixels, top row first; nothing when
// the file is missing or is not a complete PNG or JPEG picture, with why in
// plain words in *reason when reason is given.
std::optional<IconImage> LoadIconFile(const std::string& path, std::string* reason = nullptr);

// Finds kIconFileName and decodes it. When it cannot be found or used, one
// warning on standard error names the file and why, and nothing is returned:
// the program runs without an icon.
std::optional<IconImage> LoadApplicationIcon();
