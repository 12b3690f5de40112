#include "platform/ui/number_text.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Skips digits from position; returns how many.
std::size_t SkipDigits(const std::string& text, std::size_t& position) {
    const std::size_t start = position;
    while (position < text.size() && IsDigit(text[position])) {
        ++position;
    }
    return position - start;
}

// True when text[begin, end) is sign? digits [. digits] [e sign? digits]
// with at least one mantissa digit and, after an 'e', at least one digit.
bool IsDecimalNumber(const std::string& text, std::size_t begin, std::size_t end) {
    const std::string body = text.substr(begin, end - begin);
    std::size_t position = 0;
    if (position < body.size() && (body[position] == '+' || body[position] == '-')) {
        ++position;
    }
    std::size_t digits = SkipDigits(body, position);
    if (position < body.size() && body[position] == '.') {
        ++position;
        digits += SkipDigits(body, position);
    }
    if (digits == 0) {
        return false;
    }
    if (position < body.size() && (body[position] == 'e' || body[position] == 'E')) {
        ++position;
        if (position < body.size() && (body[position] == '+' || body[position] == '-')) {
            ++position;
        }
        if (SkipDigits(body, position) == 0) {
            return false;
        }
    }
    return position == body.size();
}

}  // namespace

std::string FormatFloatForEdit(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", FLT_DIG, static_cast<double>(value));
    return buffer;
}

std::optional<float> ParseFloatFromEdit(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    if (!IsDecimalNumber(text, begin, end)) {
        return std::nullopt;
    }
    // The grammar check leaves strtod nothing to refuse but the range; the
    // program never changes the C locale, so '.' is the decimal point.
    const std::string number = text.substr(begin, end - begin);
    const double parsed = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(parsed) || std::fabs(parsed) > static_cast<double>(FLT_MAX)) {
        return std::nullopt;
    }
    return static_cast<float>(parsed);
}
