#pragma once

// Preset files: the six behaviours' parameters as a TOML document.
//
//   version = 1
//   [alignment_behavior]         one table per page, named after its tab
//   behavior_gain = 1.0          one key per field, named after its label
//   turn_rate = 0.1
//
// Tables and keys come from BehaviorPages(), so the format follows the pages.
// Every table and every key must be present; integers are accepted where a
// float is expected. The cruising chances are written as the page shows
// them (three chances adding to at most 1); the behaviour keeps them as
// running sums, and reading gives back the same sums bit for bit.
//
// A file is checked whole before anything is changed: on any fault the
// behaviours keep their values and error holds one line naming the file,
// the line and the key and what is wrong. Free of the windowing toolkit, so
// a program without windows can use it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class cBehavior;

// The version this program reads and writes.
inline constexpr long long kPresetVersion = 1;
// Larger files are refused unread: a preset is a few hundred bytes.
inline constexpr std::uintmax_t kPresetFileLimit = 1 << 20;

// Every field's float as the behaviour stores it (the cruising chances as
// their running sums), page by page in BehaviorPages() order.
struct PresetValues {
    std::vector<std::vector<float>> pages;
};

// The values of behaviors, which must hold one behaviour of each page's
// class; otherwise nothing and error says which is missing.
std::optional<PresetValues> CapturePreset(const std::vector<cBehavior*>& behaviors,
                                          std::string& error);
// Writes values into behaviors; false (nothing written) when a page's
// behaviour is missing.
bool ApplyPreset(const PresetValues& values, const std::vector<cBehavior*>& behaviors,
                 std::string& error);

// Parses and checks a preset document; source names it in messages.
std::optional<PresetValues> ParsePreset(std::string_view text, const std::string& source,
                                        std::string& error);
// The document for values: version, then the tables in page order. Floats
// are written in the shortest form that reads back to the same bits.
std::string FormatPreset(const PresetValues& values);

// Reads, checks, then applies the file at path to behaviors. False with a
// message and nothing changed on any fault.
bool ReadPreset(const std::filesystem::path& path, const std::vector<cBehavior*>& behaviors,
                std::string& error);
// Writes behaviors' values to path through a temporary file in the same
// folder renamed over it, so an old file is never left half-written. False
// with a message naming the path and the reason when it cannot be written.
bool WritePreset(const std::filesystem::path& path, const std::vector<cBehavior*>& behaviors,
                 std::string& error);

// The name a preset is shown by: the file name without its extension.
std::string PresetDisplayName(const std::filesystem::path& path);
