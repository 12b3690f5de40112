#include "platform/cli/command_line.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace {

std::string Describe(std::string_view option, std::string_view text, std::string_view problem) {
    return std::string(option) + ": '" + std::string(text) + "' " + std::string(problem);
}

template <class Number>
std::string Format(Number value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

template <class Number>
std::optional<Number> Parse(std::string_view option, std::string_view text, Number minimum,
                            Number maximum, std::string_view kind, std::string& error) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    if (!text.empty() && status == std::errc::result_out_of_range && stop == end) {
        error = Describe(option, text,
                         "is out of range (" + Format(minimum) + " to " + Format(maximum) + ")");
        return std::nullopt;
    }
    if (text.empty() || status != std::errc() || stop != end) {
        error = Describe(option, text, std::string("is not ") + std::string(kind));
        return std::nullopt;
    }
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) {
            error = Describe(option, text, "is not a finite number");
            return std::nullopt;
        }
    }
    if (value < minimum || value > maximum) {
        error = Describe(option, text,
                         "is out of range (" + Format(minimum) + " to " + Format(maximum) + ")");
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<long long> ParseInteger(std::string_view option, std::string_view text,
                                      long long minimum, long long maximum, std::string& error) {
    return Parse<long long>(option, text, minimum, maximum, "a whole number", error);
}

std::optional<double> ParseReal(std::string_view option, std::string_view text, double minimum,
                                double maximum, std::string& error) {
    return Parse<double>(option, text, minimum, maximum, "a number", error);
}
