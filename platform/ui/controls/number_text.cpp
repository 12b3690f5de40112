#include "platform/ui/controls/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Decimal exponents shown as plain decimals; a float has at most nine
// significant digits, so every whole number below 1e9 shows all its digits.
constexpr int kLowestPlainExponent = -5;
constexpr int kHighestPlainExponent = 8;

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
    // Shortest round-trip digits in exponent form tell the decimal exponent.
    char buffer[64];
    const auto scientific =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string shortest(buffer, scientific.ptr);
    const std::size_t e = shortest.find('e');
    if (e == std::string::npos) {
        return shortest;  // not finite: never shown by the pages
    }
    const int exponent = std::atoi(shortest.c_str() + e + 1);
    if (exponent < kLowestPlainExponent || exponent > kHighestPlainExponent) {
        return shortest;
    }
    const auto fixed =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, fixed.ptr);
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
    // Read straight into a float: going through a double would round twice
    // and could miss the float the text names. Beyond the float range the
    // result is infinite.
    const float parsed = std::strtof(number.c_str(), nullptr);
    if (!std::isfinite(parsed)) {
        return std::nullopt;
    }
    return parsed;
}
