#include "shell/preset_file.h"

#include <bit>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include <toml++/toml.h>

#include "shell/behavior_fields.h"
#include "shell/resources/behavior_page_ids.h"
#include "simulation/individual_behaviors.h"

// Sections: names and numbers; the cruising chances; capture and apply;
// parsing and checking; formatting; files.

namespace {

// "Turn Rate" -> "turn_rate"; "Alignment Behavior" -> "alignment_behavior".
std::string SnakeCase(std::string_view label) {
    std::string name;
    for (char c : label) {
        name += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

std::string TableName(const BehaviorPageFields& page) {
    return SnakeCase(page.caption);
}
std::string KeyName(const BehaviorField& field) {
    return SnakeCase(field.label);
}

// The shortest text of value that from_chars gives back exactly.
std::string ShortestText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ShortestText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double ParsedDouble(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// A TOML float: integers gain ".0" so that they read back as floats.
std::string TomlFloat(std::string text) {
    if (text.find_first_of(".en") == std::string::npos) {
        text += ".0";
    }
    return text;
}

// ---- The cruising chances ----------------------------------------------
//
// The page shows three chances; the behaviour keeps their running sums
// (x, x + y, x + y + z). This is the one place that converts between them.
// A sum is rebuilt as float(previous sum + chance) in double precision; a
// chance is written in the shortest text that rebuilds its sum exactly.

bool IsCruisingChance(const BehaviorField& field) {
    return field.member == nullptr;
}

float* RunningSumOf(cBehavior& behavior, int controlId) {
    auto* cruising = dynamic_cast<cCruisingBehavior*>(&behavior);
    if (cruising == nullptr) {
        return nullptr;
    }
    switch (controlId) {
        case IDC_MOVE_X_SLIDER:
            return &cruising->moveXThreshold;
        case IDC_MOVE_Y_SLIDER:
            return &cruising->moveYThreshold;
        case IDC_MOVE_Z_SLIDER:
            return &cruising->moveZThreshold;
        default:
            return nullptr;
    }
}

float SumAfterChance(float previousSum, double chance) {
    return static_cast<float>(static_cast<double>(previousSum) + chance);
}

std::string ChanceText(float previousSum, float sum) {
    const double chance = static_cast<double>(sum) - static_cast<double>(previousSum);
    const std::string shortFloat = ShortestText(static_cast<float>(chance));
    if (SameBits(SumAfterChance(previousSum, ParsedDouble(shortFloat)), sum)) {
        return shortFloat;
    }
    return ShortestText(chance);  // exact or within a double's rounding: rebuilds sum
}

// ---- Capture and apply -------------------------------------------------

float* FieldTarget(const BehaviorField& field, cBehavior& behavior) {
    return IsCruisingChance(field) ? RunningSumOf(behavior, field.controlId)
                                   : field.member(behavior);
}

// The behaviour of page's class in behaviors; every page's first field (the
// gain) belongs to its class alone.
cBehavior* PageBehavior(const BehaviorPageFields& page, const std::vector<cBehavior*>& behaviors) {
    for (cBehavior* behavior : behaviors) {
        if (behavior != nullptr && page.fields.front().member(*behavior) != nullptr) {
            return behavior;
        }
    }
    return nullptr;
}

bool FindPageBehaviors(const std::vector<cBehavior*>& behaviors, std::vector<cBehavior*>& found,
                       std::string& error) {
    for (const BehaviorPageFields& page : BehaviorPages()) {
        cBehavior* behavior = PageBehavior(page, behaviors);
        if (behavior == nullptr) {
            error = "there is no behaviour for the page " + std::string(page.caption);
            return false;
        }
        found.push_back(behavior);
    }
    return true;
}

// ---- Parsing and checking ----------------------------------------------

struct Fault {
    std::string message;
};

std::string AtLine(const std::string& source, std::size_t line, const std::string& what) {
    return source + ", line " + std::to_string(line) + ": " + what;
}

std::size_t LineOf(const toml::node& node) {
    return node.source().begin.line;
}

std::string TypeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::string:
            return "a string";
        case toml::node_type::boolean:
            return "a boolean";
        case toml::node_type::table:
            return "a table";
        case toml::node_type::array:
            return "an array";
        case toml::node_type::date:
        case toml::node_type::time:
        case toml::node_type::date_time:
            return "a date or time";
        default:
            return "a number";
    }
}

// The number a key holds, or a fault naming the key.
double NumberOf(const toml::node& node, const std::string& where) {
    if (const auto* real = node.as_floating_point()) {
        return real->get();
    }
    if (const auto* integer = node.as_integer()) {
        return static_cast<double>(integer->get());
    }
    throw Fault{where + " must be a number, not " + TypeName(node)};
}

void CheckVersion(const toml::table& document, const std::string& source) {
    const toml::node* version = document.get("version");
    if (version == nullptr) {
        throw Fault{source + ": the key version is missing (this program reads version = " +
                    std::to_string(kPresetVersion) + ")"};
    }
    const auto* number = version->as_integer();
    if (number == nullptr || number->get() != kPresetVersion) {
        throw Fault{
            AtLine(source, LineOf(*version), "version must be " + std::to_string(kPresetVersion))};
    }
}

void CheckTopLevelNames(const toml::table& document, const std::string& source) {
    for (const auto& [key, node] : document) {
        if (key.str() == "version") {
            continue;
        }
        bool known = false;
        for (const BehaviorPageFields& page : BehaviorPages()) {
            known = known || key.str() == TableName(page);
        }
        if (!known) {
            throw Fault{AtLine(source, key.source().begin.line,
                               "unknown table or key '" + std::string(key.str()) + "'")};
        }
        if (!node.is_table()) {
            throw Fault{AtLine(source, key.source().begin.line,
                               std::string(key.str()) + " must be a table, not " + TypeName(node))};
        }
    }
}

// The page's values from its table, each checked against its field's range.
std::vector<float> ParsePage(const BehaviorPageFields& page, const toml::table& table,
                             const std::string& source) {
    const std::string tableName = TableName(page);
    for (const auto& [key, node] : table) {
        bool known = false;
        for (const BehaviorField& field : page.fields) {
            known = known || key.str() == KeyName(field);
        }
        if (!known) {
            throw Fault{
                AtLine(source, key.source().begin.line,
                       "unknown key '" + std::string(key.str()) + "' in [" + tableName + "]")};
        }
    }
    std::vector<float> values;
    float runningSum = 0.0f;
    for (const BehaviorField& field : page.fields) {
        const std::string where = "[" + tableName + "] " + KeyName(field);
        const toml::node* node = table.get(KeyName(field));
        if (node == nullptr) {
            throw Fault{AtLine(source, LineOf(table), where + " is missing")};
        }
        const double value = NumberOf(*node, AtLine(source, LineOf(*node), where));
        if (!(value >= field.minimum && value <= field.maximum)) {
            throw Fault{AtLine(source, LineOf(*node),
                               where + " = " + ShortestText(value) + " is out of range (" +
                                   ShortestText(field.minimum) + " to " +
                                   ShortestText(field.maximum) + ")")};
        }
        if (IsCruisingChance(field)) {
            runningSum = SumAfterChance(runningSum, value);
            if (runningSum > 1.0f) {
                throw Fault{AtLine(source, LineOf(*node),
                                   "[" + tableName + "] the move chances add up to " +
                                       ShortestText(runningSum) + ", above 1")};
            }
            values.push_back(runningSum);
        } else {
            values.push_back(static_cast<float>(value));
        }
    }
    return values;
}

// Separation: the minimum percentage must stay below the maximum, as the
// page requires.
void CheckSeparationBounds(const BehaviorPageFields& page, const std::vector<float>& values,
                           const toml::table& table, const std::string& source) {
    if (page.templateId != IDD_SEPARATION_PAGE) {
        return;
    }
    std::optional<float> minimum;
    std::optional<float> maximum;
    for (std::size_t i = 0; i < page.fields.size(); ++i) {
        if (page.fields[i].controlId == IDC_MIN_SEPARATION_SLIDER) {
            minimum = values[i];
        } else if (page.fields[i].controlId == IDC_MAX_SEPARATION_SLIDER) {
            maximum = values[i];
        }
    }
    if (minimum && maximum && !(*minimum < *maximum)) {
        const toml::node* node = table.get("min_separation_percentage");
        throw Fault{AtLine(
            source, node != nullptr ? LineOf(*node) : LineOf(table),
            "[" + TableName(page) + "] min_separation_percentage (" + ShortestText(*minimum) +
                ") must be below max_separation_percentage (" + ShortestText(*maximum) + ")")};
    }
}

PresetValues ParseDocument(const toml::table& document, const std::string& source) {
    CheckVersion(document, source);
    CheckTopLevelNames(document, source);
    PresetValues values;
    for (const BehaviorPageFields& page : BehaviorPages()) {
        const toml::table* table = document.get_as<toml::table>(TableName(page));
        if (table == nullptr) {
            throw Fault{source + ": the table [" + TableName(page) + "] is missing"};
        }
        values.pages.push_back(ParsePage(page, *table, source));
        CheckSeparationBounds(page, values.pages.back(), *table, source);
    }
    return values;
}

// ---- Files -------------------------------------------------------------

std::string Reason(int error) {
    return std::strerror(error);
}

std::optional<std::string> ReadText(const std::filesystem::path& path, std::string& error) {
    std::error_code code;
    const auto status = std::filesystem::status(path, code);
    if (code || !std::filesystem::is_regular_file(status)) {
        const std::string reason = code                                    ? code.message()
                                   : std::filesystem::is_directory(status) ? "it is a folder"
                                                                           : "not a regular file";
        error = "cannot open '" + path.string() + "': " + reason;
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code) {
        error = "cannot open '" + path.string() + "': " + code.message();
        return std::nullopt;
    }
    if (size > kPresetFileLimit) {
        error = path.string() + ": " + std::to_string(size) +
                " bytes is too large for a preset (at most " + std::to_string(kPresetFileLimit) +
                ")";
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open '" + path.string() + "': " + Reason(errno);
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool WriteWhole(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
}

}  // namespace

std::optional<PresetValues> CapturePreset(const std::vector<cBehavior*>& behaviors,
                                          std::string& error) {
    std::vector<cBehavior*> pageBehaviors;
    if (!FindPageBehaviors(behaviors, pageBehaviors, error)) {
        return std::nullopt;
    }
    PresetValues values;
    const auto pages = BehaviorPages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::vector<float>& pageValues = values.pages.emplace_back();
        for (const BehaviorField& field : pages[p].fields) {
            pageValues.push_back(*FieldTarget(field, *pageBehaviors[p]));
        }
    }
    return values;
}

bool ApplyPreset(const PresetValues& values, const std::vector<cBehavior*>& behaviors,
                 std::string& error) {
    std::vector<cBehavior*> pageBehaviors;
    if (!FindPageBehaviors(behaviors, pageBehaviors, error)) {
        return false;
    }
    const auto pages = BehaviorPages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        for (std::size_t f = 0; f < pages[p].fields.size(); ++f) {
            *FieldTarget(pages[p].fields[f], *pageBehaviors[p]) = values.pages[p][f];
        }
    }
    return true;
}

std::optional<PresetValues> ParsePreset(std::string_view text, const std::string& source,
                                        std::string& error) {
    try {
        const toml::table document = toml::parse(text, source);
        return ParseDocument(document, source);
    } catch (const toml::parse_error& failure) {
        error = AtLine(source, failure.source().begin.line, std::string(failure.description()));
    } catch (const Fault& fault) {
        error = fault.message;
    }
    return std::nullopt;
}

std::string FormatPreset(const PresetValues& values) {
    std::string text = "version = " + std::to_string(kPresetVersion) + "\n";
    const auto pages = BehaviorPages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        text += "\n[" + TableName(pages[p]) + "]\n";
        float previousSum = 0.0f;
        for (std::size_t f = 0; f < pages[p].fields.size(); ++f) {
            const float value = values.pages[p][f];
            std::string number;
            if (IsCruisingChance(pages[p].fields[f])) {
                number = ChanceText(previousSum, value);
                previousSum = value;
            } else {
                number = ShortestText(value);
                if (!SameBits(static_cast<float>(ParsedDouble(number)), value)) {
                    number = ShortestText(static_cast<double>(value));
                }
            }
            text += KeyName(pages[p].fields[f]) + " = " + TomlFloat(number) + "\n";
        }
    }
    return text;
}

bool ReadPreset(const std::filesystem::path& path, const std::vector<cBehavior*>& behaviors,
                std::string& error) {
    const auto text = ReadText(path, error);
    if (!text) {
        return false;
    }
    const auto values = ParsePreset(*text, path.string(), error);
    return values && ApplyPreset(*values, behaviors, error);
}

bool WritePreset(const std::filesystem::path& path, const std::vector<cBehavior*>& behaviors,
                 std::string& error) {
    const auto values = CapturePreset(behaviors, error);
    if (!values) {
        return false;
    }
    const std::string text = FormatPreset(*values);
    std::filesystem::path temporary = path;
    temporary += ".saving";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write '" + path.string() + "': " + Reason(errno);
        return false;
    }
    const bool written = WriteWhole(file, text);
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write '" + path.string() + "': " + Reason(written ? errno : writeError);
        std::remove(temporary.c_str());
        return false;
    }
    std::error_code code;
    std::filesystem::rename(temporary, path, code);
    if (code) {
        error = "cannot write '" + path.string() + "': " + code.message();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::string PresetDisplayName(const std::filesystem::path& path) {
    return path.stem().string();
}
