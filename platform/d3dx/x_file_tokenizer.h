#pragma once

// Tokens and numbers of a .x file, text or binary, read byte for byte the
// way Assimp's X reader consumes them, but checked: every read stays inside
// the data, and anything that reader would consume differently, or past the
// end, or with a count it would trust blindly, is refused instead.
//
// This is what makes it safe to hand a file to the importer at all: the
// importer (Assimp 5.2) reads binary lists and skin-weight indices without
// bounds checks and sizes its arrays from counts before reading them. The
// scanner (x_file_scanner.h) drives this tokenizer with the importer's
// grammar, so a file both accept is read the same way by both.
//
// Every read returns false on refusal and leaves the reason in Error() and
// its kind in Fault().

#include <cstddef>
#include <cstdint>
#include <string>

// What kind of refusal a .x file met.
enum class XFileFault {
    kNone,
    kNotXFile,   // no "xof " header: some other kind of file
    kTruncated,  // the data ends before the file does: a read ran past the end
    kDamaged,    // anything else
};

class XFileTokenizer {
public:
    // Checks the 16-byte header ("xof ", version, "txt " or "bin ", float
    // size "0032" or "0064") and positions after it. Compressed files are
    // refused.
    bool Start(const std::uint8_t* data, std::size_t size);

    bool Binary() const { return binary_; }
    const std::string& Error() const { return error_; }
    XFileFault Fault() const { return fault_; }

    // The next token: a name, a keyword, or one punctuation character. An
    // empty token means the input ended (or, in binary files, a token the
    // reader does not know). false only for a token that runs past the end.
    bool NextToken(std::string& token);
    // A quoted string followed by ';' (text), or a name or string token (binary).
    bool ReadString(std::string& value);
    // A non-negative 32-bit integer followed by a separator (text).
    bool ReadInt(std::uint32_t& value);
    // A finite float followed by a separator (text).
    bool ReadFloat(float& value);

    // The next token must be ';' or ',' (text only).
    bool CheckSeparator();
    // The next token must be ';' (text only).
    bool CheckSemicolon();
    // The next token must be '}'.
    bool CheckClosingBrace();
    // Skips one ';' or ',' if the next character is one (text only).
    void TestForSeparator();
    // Skips a ';' at the very next byte, without skipping spaces (text only).
    void SkipSemicolonHere();

    // Records a refusal at the current position; always returns false. A
    // refusal where no further token remains, or after a read looked past
    // the end, counts as truncation.
    bool Fail(const std::string& reason);
    // Records a refusal of the file as a whole, after it was read to its
    // end (damage, never truncation); always returns false.
    bool Reject(const std::string& reason);

private:
    // Records a read that needs more bytes than remain; returns false.
    bool FailPastEnd(const std::string& reason);
    bool Record(const std::string& reason, XFileFault fault);
    char At(std::size_t index) const;
    std::size_t Remaining() const { return size_ - position_; }
    void SkipSpaceAndComments();
    void SkipLine();
    bool NextTextToken(std::string& token);
    bool NextBinaryToken(std::string& token);
    bool SkipBytes(std::uint64_t count, const char* what);
    std::uint32_t TakeWord();
    std::uint32_t TakeDword();
    bool BeginBinaryNumber(std::uint32_t listToken, int elementBytes);
    bool ReadTextInt(std::uint32_t& value);
    bool ReadTextFloat(float& value);
    bool ReadBinaryFloat(float& value);

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    bool binary_ = false;
    int floatBytes_ = 4;
    std::size_t line_ = 1;
    // Binary number lists: how many numbers of the open list remain, and
    // which list token opened it.
    std::uint32_t listRemaining_ = 0;
    std::uint32_t listToken_ = 0;
    std::string error_;
    XFileFault fault_ = XFileFault::kNone;
    mutable bool lookedPastEnd_ = false;  // At was asked for a byte past the end
};
