#include "UJsonCases.h"

#include <set>
#include <vector>

using nlohmann::json;

namespace {

// SAX handler that builds one small DOM per case.
class TCaseSax : public nlohmann::json_sax<json> {
public:
    TCaseSax(const TJsonCaseReader::TCaseFn& onCase, std::string& error, bool& isArray,
             std::size_t& count)
        : onCase_(onCase), error_(error), isArray_(isArray), count_(count)
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
        if (depth_ == 0 || (depth_ == 1 && isArray_ && stack_.empty())) {
            ++depth_;
            current_ = json::object();
            stack_.assign(1, &current_);
            caseKeys_.clear();
            key_.clear();
            return true;
        }
        return Open(json::object());
    }

    bool key(string_t& k) override
    {
        if (stack_.size() == 1 && !caseKeys_.insert(k).second)
            return Fail("case " + std::to_string(count_) + ", key \"" + k + "\": appears twice");
        key_ = k;
        return true;
    }

    bool end_object() override
    {
        --depth_;
        stack_.pop_back();
        if (!stack_.empty()) return true;
        const std::size_t index = count_++;
        if (auto problem = onCase_(index, std::move(current_))) return Fail(*problem);
        return true;
    }

    bool start_array(std::size_t) override
    {
        if (depth_ == 0) {
            isArray_ = true;
            ++depth_;
            return true;
        }
        if (stack_.empty()) return Fail(CaseTag() + "expected an object");
        return Open(json::array());
    }

    bool end_array() override
    {
        --depth_;
        if (!stack_.empty()) stack_.pop_back();
        return true;
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& ex) override
    {
        std::string what = ex.what();
        // The library's text starts with its own error id; keep the readable part.
        const auto pos = what.find("syntax error");
        if (pos != std::string::npos) what = what.substr(pos);
        error_ = "malformed JSON at byte " + std::to_string(position);
        if (!stack_.empty()) {
            error_ += " (in case " + std::to_string(count_);
            if (!key_.empty()) error_ += ", near key \"" + key_ + "\"";
            error_ += ")";
        }
        error_ += ": " + what;
        return false;
    }

private:
    std::string CaseTag() const { return "case " + std::to_string(count_) + ": "; }

    bool Fail(const std::string& message)
    {
        error_ = message;
        return false;
    }

    bool Value(json v)
    {
        if (stack_.empty()) {
            if (depth_ == 0) return Fail("expected an object or an array of objects");
            return Fail(CaseTag() + "expected an object");
        }
        Insert(std::move(v));
        return true;
    }

    json* Insert(json v)
    {
        json& parent = *stack_.back();
        if (parent.is_object()) return &(parent[key_] = std::move(v));
        parent.push_back(std::move(v));
        return &parent.back();
    }

    bool Open(json container)
    {
        ++depth_;
        stack_.push_back(Insert(std::move(container)));
        return true;
    }

    const TJsonCaseReader::TCaseFn& onCase_;
    std::string& error_;
    bool& isArray_;
    std::size_t& count_;
    int depth_ = 0;
    json current_;
    std::vector<json*> stack_;
    std::set<std::string> caseKeys_;
    std::string key_;
};

}  // namespace

bool TJsonCaseReader::Read(std::FILE* in, const TCaseFn& onCase)
{
    error_.clear();
    isArray_ = false;
    count_ = 0;
    TCaseSax sax(onCase, error_, isArray_, count_);
    const bool ok = json::sax_parse(in, &sax);
    if (!ok && error_.empty()) error_ = "malformed JSON";
    return ok && error_.empty();
}
