#include "platform/d3dx/x_file_tokenizer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

// Sections: header; text tokens; binary tokens; numbers and strings.

namespace {
constexpr std::size_t kHeaderBytes = 16;

// Binary token codes of the .x format.
constexpr std::uint32_t kTokenName = 0x01;
constexpr std::uint32_t kTokenString = 0x02;
constexpr std::uint32_t kTokenInteger = 0x03;
constexpr std::uint32_t kTokenGuid = 0x05;
constexpr std::uint32_t kTokenIntegerList = 0x06;
constexpr std::uint32_t kTokenFloatList = 0x07;

// The C locale's white space, as the importer tests it.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsDelimiter(char c) {
    return c == ';' || c == '}' || c == '{' || c == ',';
}

// Binary tokens that stand for one fixed string.
const char* FixedToken(std::uint32_t code) {
    switch (code) {
        case 0x0a:
            return "{";
        case 0x0b:
            return "}";
        case 0x0c:
            return "(";
        case 0x0d:
            return ")";
        case 0x0e:
            return "[";
        case 0x0f:
            return "]";
        case 0x10:
            return "<";
        case 0x11:
            return ">";
        case 0x12:
            return ".";
        case 0x13:
            return ",";
        case 0x14:
            return ";";
        case 0x1f:
            return "template";
        case 0x28:
            return "WORD";
        case 0x29:
            return "DWORD";
        case 0x2a:
            return "FLOAT";
        case 0x2b:
            return "DOUBLE";
        case 0x2c:
            return "CHAR";
        case 0x2d:
            return "UCHAR";
        case 0x2e:
            return "SWORD";
        case 0x2f:
            return "SDWORD";
        case 0x30:
            return "void";
        case 0x31:
            return "string";
        case 0x32:
            return "unicode";
        case 0x33:
            return "cstring";
        case 0x34:
            return "array";
        default:
            return nullptr;
    }
}
}  // namespace

// ---- Header ----

bool XFileTokenizer::Start(const std::uint8_t* data, std::size_t size) {
    data_ = data;
    size_ = size;
    position_ = 0;
    const char* header = reinterpret_cast<const char*>(data);
    const std::size_t signatureBytes = size < 4 ? size : 4;
    if (data == nullptr || size == 0 || std::memcmp(header, "xof ", signatureBytes) != 0) {
        return Record("no \"xof \" header", XFileFault::kNotXFile);
    }
    if (size < kHeaderBytes) {
        return FailPastEnd("too short for a .x header");
    }
    if (std::memcmp(header + 8, "txt ", 4) == 0) {
        binary_ = false;
    } else if (std::memcmp(header + 8, "bin ", 4) == 0) {
        binary_ = true;
    } else if (std::memcmp(header + 8, "tzip", 4) == 0 || std::memcmp(header + 8, "bzip", 4) == 0) {
        return Fail("compressed .x files are not supported");
    } else {
        return Fail("unknown .x format in the header");
    }
    if (std::memcmp(header + 12, "0032", 4) == 0) {
        floatBytes_ = 4;
    } else if (std::memcmp(header + 12, "0064", 4) == 0) {
        floatBytes_ = 8;
    } else {
        return Fail("unknown float size in the header");
    }
    position_ = kHeaderBytes;
    if (!binary_) {
        SkipLine();
    }
    return true;
}

// A refusal once the reader has met the end of the data (no token left, or
// a number or name that runs into the end) is the file being cut short.
bool XFileTokenizer::Fail(const std::string& reason) {
    // Text tokens end at the end of the data; a binary token needs two bytes.
    const bool noTokenLeft = binary_ ? Remaining() < 2 : position_ >= size_;
    const bool truncated = noTokenLeft || lookedPastEnd_;
    return Record(reason, truncated ? XFileFault::kTruncated : XFileFault::kDamaged);
}

bool XFileTokenizer::FailPastEnd(const std::string& reason) {
    return Record(reason, XFileFault::kTruncated);
}

bool XFileTokenizer::Reject(const std::string& reason) {
    return Record(reason, XFileFault::kDamaged);
}

bool XFileTokenizer::Record(const std::string& reason, XFileFault fault) {
    if (error_.empty()) {
        error_ = binary_ ? "at byte " + std::to_string(position_) + ": " + reason
                         : "line " + std::to_string(line_) + ": " + reason;
        fault_ = fault;
    }
    return false;
}

// ---- Text tokens ----

char XFileTokenizer::At(std::size_t index) const {
    // Past the end reads as the terminating zero the importer appends.
    if (index >= size_) {
        lookedPastEnd_ = true;
        return '\0';
    }
    return static_cast<char>(data_[index]);
}

void XFileTokenizer::SkipLine() {
    while (position_ < size_) {
        const char c = At(position_++);
        if (c == '\n' || c == '\r') {
            ++line_;
            return;
        }
    }
}

void XFileTokenizer::SkipSpaceAndComments() {
    if (binary_) {
        return;
    }
    const char* text = reinterpret_cast<const char*>(data_);
    for (;;) {
        while (position_ < size_ && IsSpace(text[position_])) {
            line_ += text[position_] == '\n' ? 1 : 0;
            ++position_;
        }
        if (position_ >= size_) {
            return;
        }
        const bool comment =
            (text[position_] == '/' && At(position_ + 1) == '/') || text[position_] == '#';
        if (!comment) {
            return;
        }
        SkipLine();
    }
}

bool XFileTokenizer::NextTextToken(std::string& token) {
    SkipSpaceAndComments();
    const char* text = reinterpret_cast<const char*>(data_);
    if (position_ < size_ && IsDelimiter(text[position_])) {
        token.assign(1, text[position_++]);
        return true;
    }
    const std::size_t start = position_;
    while (position_ < size_ && !IsSpace(text[position_]) && !IsDelimiter(text[position_])) {
        ++position_;
    }
    token.assign(text + start, position_ - start);
    return true;
}

bool XFileTokenizer::NextToken(std::string& token) {
    token.clear();
    return binary_ ? NextBinaryToken(token) : NextTextToken(token);
}

// ---- Binary tokens ----

std::uint32_t XFileTokenizer::TakeWord() {
    const std::uint32_t value = data_[position_] | (data_[position_ + 1] << 8);
    position_ += 2;
    return value;
}

std::uint32_t XFileTokenizer::TakeDword() {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | data_[position_ + static_cast<std::size_t>(i)];
    }
    position_ += 4;
    return value;
}

bool XFileTokenizer::SkipBytes(std::uint64_t count, const char* what) {
    // The importer advances by a 32-bit product: a count whose bytes do not
    // fit 32 bits, or run past the end, would send it elsewhere.
    if (count > std::numeric_limits<std::uint32_t>::max() || count > Remaining()) {
        return FailPastEnd(std::string(what) + " runs past the end");
    }
    position_ += static_cast<std::size_t>(count);
    return true;
}

bool XFileTokenizer::NextBinaryToken(std::string& token) {
    if (Remaining() < 2) {
        return true;
    }
    const std::uint32_t code = TakeWord();
    if (const char* fixed = FixedToken(code)) {
        token = fixed;
        return true;
    }
    if (code == kTokenName || code == kTokenString) {
        if (Remaining() < 4) {
            return code == kTokenName || FailPastEnd("string token cut short");
        }
        const std::uint32_t length = TakeDword();
        // A string token is followed by a two-byte terminator the importer skips.
        const std::uint64_t needed = std::uint64_t{length} + (code == kTokenString ? 2 : 0);
        if (length > 0x7FFFFFFFu || needed > Remaining()) {
            return FailPastEnd("name or string token runs past the end");
        }
        token.assign(reinterpret_cast<const char*>(data_ + position_), length);
        position_ += static_cast<std::size_t>(needed);
        return true;
    }
    switch (code) {
        case kTokenInteger:
            token = "<integer>";
            return SkipBytes(4, "integer token");
        case kTokenGuid:
            token = "<guid>";
            return SkipBytes(16, "GUID token");
        case kTokenIntegerList:
        case kTokenFloatList: {
            if (Remaining() < 4) {
                return true;
            }
            const std::uint32_t count = TakeDword();
            token = code == kTokenIntegerList ? "<int_list>" : "<flt_list>";
            const int element = code == kTokenIntegerList ? 4 : floatBytes_;
            return SkipBytes(std::uint64_t{count} * element, "number list");
        }
        default:
            return true;  // unknown: the importer reads it as the end
    }
}

// ---- Numbers and strings ----

// A separator token is a single delimiter character, so looking at the next
// character decides it without building the token.
bool XFileTokenizer::CheckSeparator() {
    if (binary_) {
        return true;
    }
    SkipSpaceAndComments();
    if (At(position_) == ',' || At(position_) == ';') {
        ++position_;
        return true;
    }
    return Fail("separator (';' or ',') expected");
}

bool XFileTokenizer::CheckSemicolon() {
    if (binary_) {
        return true;
    }
    SkipSpaceAndComments();
    if (At(position_) == ';') {
        ++position_;
        return true;
    }
    return Fail("';' expected");
}

bool XFileTokenizer::CheckClosingBrace() {
    std::string token;
    return NextToken(token) && (token == "}" || Fail("'}' expected"));
}

void XFileTokenizer::TestForSeparator() {
    if (binary_) {
        return;
    }
    SkipSpaceAndComments();
    if (position_ < size_ && (At(position_) == ';' || At(position_) == ',')) {
        ++position_;
    }
}

void XFileTokenizer::SkipSemicolonHere() {
    if (!binary_ && position_ < size_ && At(position_) == ';') {
        ++position_;
    }
}

bool XFileTokenizer::ReadString(std::string& value) {
    value.clear();
    if (binary_) {
        return NextToken(value);
    }
    SkipSpaceAndComments();
    if (position_ >= size_ || At(position_) != '"') {
        return Fail("quoted string expected");
    }
    ++position_;
    while (position_ < size_ && At(position_) != '"') {
        value += At(position_++);
    }
    if (position_ + 1 >= size_ || At(position_ + 1) != ';') {
        return Fail("string must end with '\";'");
    }
    position_ += 2;
    return true;
}

bool XFileTokenizer::ReadTextInt(std::uint32_t& value) {
    SkipSpaceAndComments();
    if (!IsDigit(At(position_))) {
        return Fail("non-negative integer expected");
    }
    std::uint64_t number = 0;
    while (position_ < size_ && IsDigit(At(position_))) {
        number = number * 10 + static_cast<std::uint64_t>(At(position_++) - '0');
        if (number > std::numeric_limits<std::uint32_t>::max()) {
            return Fail("integer out of range");
        }
    }
    value = static_cast<std::uint32_t>(number);
    return CheckSeparator();
}

bool XFileTokenizer::BeginBinaryNumber(std::uint32_t listToken, int elementBytes) {
    if (listRemaining_ == 0) {
        if (Remaining() < 2) {
            return FailPastEnd("number expected at the end of the data");
        }
        const std::uint32_t code = TakeWord();
        if (code == listToken && Remaining() >= 4) {
            listRemaining_ = TakeDword();
            if (listRemaining_ == 0) {
                return Fail("empty number list");
            }
        } else if (code == kTokenInteger && listToken == kTokenIntegerList) {
            listRemaining_ = 1;
        } else {
            return Fail(listToken == kTokenIntegerList ? "integer expected" : "float expected");
        }
        listToken_ = code == kTokenInteger ? kTokenIntegerList : code;
    }
    if (listToken_ != listToken) {
        return Fail("integer and float lists mixed");
    }
    if (Remaining() < static_cast<std::size_t>(elementBytes)) {
        return FailPastEnd("number list runs past the end");
    }
    --listRemaining_;
    return true;
}

bool XFileTokenizer::ReadInt(std::uint32_t& value) {
    if (!binary_) {
        return ReadTextInt(value);
    }
    if (!BeginBinaryNumber(kTokenIntegerList, 4)) {
        return false;
    }
    value = TakeDword();
    return true;
}

bool XFileTokenizer::ReadTextFloat(float& value) {
    SkipSpaceAndComments();
    // Values some exporters write for undefined numbers; the importer reads
    // them as 0 and skips nine (or eight) characters.
    const auto startsWith = [this](const char* text) {
        const std::size_t length = std::strlen(text);
        return Remaining() >= length && std::memcmp(data_ + position_, text, length) == 0;
    };
    if (startsWith("-1.#IND00") || startsWith("1.#IND00") || startsWith("1.#QNAN0")) {
        const std::size_t skip = startsWith("1.#QNAN0") ? 8 : 9;
        if (skip > Remaining()) {
            return FailPastEnd("number cut short");
        }
        position_ += skip;
        value = 0.0f;
        return CheckSeparator();
    }
    // The importer's number: [sign] digits [(.|,) digits] [(e|E) [sign] digits],
    // where a comma followed by a digit is a decimal point too ("0,5" is one
    // half, so "0,0,0" is two numbers), a trailing '.' belongs to the number,
    // and at least one mantissa digit starts it.
    const std::size_t start = position_;
    std::size_t at = start;
    if (At(at) == '-' || At(at) == '+') {
        ++at;
    }
    const auto point = [this](std::size_t i) {
        return (At(i) == '.' || At(i) == ',') && IsDigit(At(i + 1));
    };
    if (!IsDigit(At(at)) && !point(at)) {
        return Fail("number expected");
    }
    while (IsDigit(At(at))) {
        ++at;
    }
    if (point(at)) {
        for (++at; IsDigit(At(at)); ++at) {
        }
    } else if (At(at) == '.') {
        ++at;
    }
    std::size_t exponent = 0;  // where the exponent's 'e' stands, 0 for none
    if (At(at) == 'e' || At(at) == 'E') {
        exponent = at++;
        if (At(at) == '-' || At(at) == '+') {
            ++at;
        }
        if (!IsDigit(At(at))) {
            return Fail("exponent expected");
        }
        while (IsDigit(At(at))) {
            ++at;
        }
    }
    // The number with a '.' for its decimal comma, without a leading '+'.
    const std::size_t first = start + (At(start) == '+' ? 1 : 0);
    std::string text(reinterpret_cast<const char*>(data_) + first, at - first);
    std::replace(text.begin(), text.end(), ',', '.');
    double wide = 0.0;
    const std::from_chars_result parsed =
        std::from_chars(text.data(), text.data() + text.size(), wide);
    if (parsed.ec == std::errc::result_out_of_range && exponent != 0 && At(exponent + 1) == '-') {
        wide = 0.0;  // too small for a double: reads as zero
    } else if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() ||
               std::fabs(wide) > std::numeric_limits<float>::max()) {
        return Fail("number out of range");
    }
    value = static_cast<float>(wide);
    position_ = at;
    return CheckSeparator();
}

bool XFileTokenizer::ReadBinaryFloat(float& value) {
    if (!BeginBinaryNumber(kTokenFloatList, floatBytes_)) {
        return false;
    }
    if (floatBytes_ == 8) {
        double wide;
        std::memcpy(&wide, data_ + position_, 8);
        position_ += 8;
        if (!std::isfinite(wide) || std::fabs(wide) > std::numeric_limits<float>::max()) {
            return Fail("number out of range");
        }
        value = static_cast<float>(wide);
        return true;
    }
    std::memcpy(&value, data_ + position_, 4);
    position_ += 4;
    return std::isfinite(value) || Fail("number out of range");
}

bool XFileTokenizer::ReadFloat(float& value) {
    return binary_ ? ReadBinaryFloat(value) : ReadTextFloat(value);
}
