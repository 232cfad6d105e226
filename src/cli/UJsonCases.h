#pragma once
// Streaming reader for case input: a JSON text holding one object or an array of objects. Each
// object is handed over as soon as it is complete, so memory stays flat however many cases an
// array holds.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

class TJsonCaseReader {
public:
    // Called for every case with its index (0 for a single object); returns an error message to
    // stop reading, or nothing to go on.
    using TCaseFn = std::function<std::optional<std::string>(std::size_t, nlohmann::json&&)>;

    // Reads the whole text from `in`. Returns false on malformed JSON, on a text that is not an
    // object or an array of objects, on a duplicate key in a case, or when onCase reported an
    // error; Error() then tells what went wrong and where.
    bool Read(std::FILE* in, const TCaseFn& onCase);

    const std::string& Error() const { return error_; }
    // True when the text was an array (even an empty one).
    bool IsArray() const { return isArray_; }
    // Number of complete cases handed over.
    std::size_t Count() const { return count_; }

private:
    std::string error_;
    bool isArray_ = false;
    std::size_t count_ = 0;
};
