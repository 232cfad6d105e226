#include "UJsonCases.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <istream>
#include <streambuf>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


using nlohmann::json;

namespace {

// Text taken from the input, made safe for a terminal: control bytes and bytes outside ASCII are
// written as \xNN.
std::string Printable(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

// The library's message without its error id ("[json.exception.parse_error.101] ").
std::string ReadableParseError(const std::string& what)
{
    const auto close = what.find("] ");
    return Printable(what.rfind("[json.exception.", 0) == 0 && close != std::string::npos
                         ? what.substr(close + 2)
                         : what);
}

// Copies everything readable from fd into an anonymous temporary file, positioned at its start.
TCaseInput Spool(int fd, const std::string& name)
{
    TCaseInput input;
    TFile spool(std::tmpfile());
    if (!spool) {
        input.Status = ExitFailure;
        input.Error = std::string("cannot buffer ") + name + ": " + std::strerror(errno);
        return input;
    }
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            input.Status = ExitFailure;
            input.Error = "cannot read " + name + ": " + std::strerror(errno);
            return input;
        }
        if (std::fwrite(buffer.data(), 1, static_cast<std::size_t>(n), spool.get()) !=
            static_cast<std::size_t>(n)) {
            input.Status = ExitFailure;
            input.Error = std::string("cannot buffer ") + name + ": " + std::strerror(errno);
            return input;
        }
    }
    if (std::fflush(spool.get()) != 0) {
        input.Status = ExitFailure;
        input.Error = std::string("cannot buffer ") + name + ": " + std::strerror(errno);
        return input;
    }
    std::rewind(spool.get());
    input.File = std::move(spool);
    return input;
}

// Hands the parser the characters of a file from blocks in memory: reading them one library call
// (and one stream lock) at a time would cost more than the parsing itself.
class TBlockBuffer : public std::streambuf {
public:
    explicit TBlockBuffer(std::FILE* in) : in_(in) {}

protected:
    int_type underflow() override
    {
        const std::size_t n = std::fread(block_.data(), 1, block_.size(), in_);
        if (n == 0) return traits_type::eof();
        setg(block_.data(), block_.data(), block_.data() + n);
        return traits_type::to_int_type(block_[0]);
    }

private:
    std::FILE* in_;
    std::array<char, 1 << 16> block_;
};

// SAX handler that reads the values of each case object straight into its inputs.
class TCaseSax : public nlohmann::json_sax<json> {
public:
    // With objectOnly the text must be one case object; an array is refused.
    TCaseSax(const TJsonCaseReader::TCaseFn& onCase, std::string& error, bool& isArray,
             std::size_t& count, bool objectOnly)
        : onCase_(onCase), error_(error), isArray_(isArray), count_(count), objectOnly_(objectOnly)
    {
    }

    bool null() override { return Value(json(nullptr)); }
    bool boolean(bool v) override { return Value(json(v)); }
    bool number_integer(number_integer_t v) override { return Value(json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return Value(json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return Value(json(v)); }
    bool string(string_t& v) override { return Value(json(std::move(v))); }
    bool binary(binary_t& v) override { return Value(json::binary(std::move(v))); }

    bool start_object(std::size_t) override
    {
        if (inCase_) return Fail(KeyTag() + "expected a number, got object");
        if (depth_ > 0 && !isArray_) return Fail(CaseTag() + "expected an object");
        ++depth_;
        inCase_ = true;
        input_ = DefaultRateInput();
        caseError_.clear();
        caseKeys_.clear();
        key_.clear();
        return true;
    }

    bool key(string_t& k) override
    {
        if (auto unknown = CheckRateKey(k, count_)) return Fail(*unknown);
        if (std::find(caseKeys_.begin(), caseKeys_.end(), k) != caseKeys_.end())
            return Fail(KeyTagFor(k) + "appears twice");
        caseKeys_.push_back(k);
        key_ = k;
        return true;
    }

    bool end_object() override
    {
        --depth_;
        inCase_ = false;
        const std::size_t index = count_++;
        if (caseError_.empty())
            if (auto bad = CheckRateInput(input_, index)) caseError_ = std::move(*bad);
        if (auto problem = onCase_(index, std::move(input_), std::move(caseError_)))
            return Fail(*problem);
        return true;
    }

    bool start_array(std::size_t) override
    {
        if (inCase_) return Fail(KeyTag() + "expected a number, got array");
        if (depth_ > 0 || objectOnly_) return Fail(CaseTag() + "expected an object");
        isArray_ = true;
        ++depth_;
        return true;
    }

    bool end_array() override
    {
        --depth_;
        return true;
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& ex) override
    {
        error_ = "malformed JSON at byte " + std::to_string(position);
        if (inCase_) {
            error_ += " (in case " + std::to_string(count_);
            if (!key_.empty()) error_ += ", near key " + QuotedKey(key_);
            error_ += ")";
        }
        error_ += ": " + ReadableParseError(ex.what());
        return false;
    }

private:
    std::string CaseTag() const { return "case " + std::to_string(count_) + ": "; }
    std::string KeyTagFor(const std::string& key) const
    {
        return "case " + std::to_string(count_) + ", key " + QuotedKey(key) + ": ";
    }
    std::string KeyTag() const { return KeyTagFor(key_); }

    bool Fail(const std::string& message)
    {
        error_ = message;
        return false;
    }

    // The value of the current key; the first value problem of a case is kept for onCase.
    bool Value(const json& v)
    {
        if (!inCase_) {
            if (depth_ == 0)
                return Fail(objectOnly_ ? "expected an object" : "expected an object or an array of objects");
            return Fail(CaseTag() + "expected an object");
        }
        if (caseError_.empty())
            if (auto bad = ReadRateValue(key_, v, count_, input_)) caseError_ = std::move(*bad);
        return true;
    }

    const TJsonCaseReader::TCaseFn& onCase_;
    std::string& error_;
    bool& isArray_;
    std::size_t& count_;
    const bool objectOnly_;
    int depth_ = 0;
    bool inCase_ = false;
    TRateInput input_;
    std::string caseError_;
    std::vector<std::string> caseKeys_;  // at most one per input key, so a search is quick
    std::string key_;
};

}  // namespace

TCaseInput OpenCaseInput(const std::string& path)
{
    if (path.empty() || path == "-") return Spool(STDIN_FILENO, "standard input");
    TCaseInput input;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        input.Status = ExitBadInput;
        input.Error = "cannot open " + Printable(path) + ": " + std::strerror(errno);
        return input;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        input.Status = ExitBadInput;
        input.Error = Printable(path) + " is a folder, not a file of cases";
        return input;
    }
    if (S_ISREG(st.st_mode)) {
        input.File.reset(::fdopen(fd, "rb"));
        if (input.File) return input;
        input.Status = ExitFailure;
        input.Error = "cannot open " + Printable(path) + ": " + std::strerror(errno);
        ::close(fd);
        return input;
    }
    input = Spool(fd, Printable(path));
    ::close(fd);
    return input;
}

bool TJsonCaseReader::Read(std::FILE* in, const TCaseFn& onCase)
{
    TBlockBuffer buffer(in);
    std::istream stream(&buffer);
    const bool ok = Read(stream, onCase);
    if (std::ferror(in)) error_ = std::string("cannot read the input: ") + std::strerror(errno);
    return ok && error_.empty();
}

bool TJsonCaseReader::Read(std::istream& text, const TCaseFn& onCase)
{
    return Parse(text, 0, false, onCase);
}

bool TJsonCaseReader::ReadObject(const std::string& text, std::size_t index, const TCaseFn& onCase)
{
    return Parse(text, index, true, onCase);
}

template <class TText>
bool TJsonCaseReader::Parse(TText& text, std::size_t firstIndex, bool objectOnly,
                            const TCaseFn& onCase)
{
    error_.clear();
    isArray_ = false;
    count_ = firstIndex;
    TCaseSax sax(onCase, error_, isArray_, count_, objectOnly);
    const bool ok = json::sax_parse(text, &sax);
    if (!ok && error_.empty()) error_ = "malformed JSON";
    return ok && error_.empty();
}
