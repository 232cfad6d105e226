#pragma once
// Reading case input: a JSON text holding one case object or an array of case objects, from a
// file, a pipe or standard input. Each object is handed over as soon as it is complete, so memory
// stays flat however many cases an array holds.
#include <cstdio>
#include <functional>
#include <istream>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "UCommands.h"
#include "series/URateCase.h"

// The case input named on the command line ("-" or an empty name: standard input), ready to be
// read any number of times. A regular file is opened as it is; standard input, a named pipe, a
// process substitution or any other stream is read once, to its end, into an anonymous temporary
// file. Status is ExitOk, ExitBadInput for a name that cannot be opened or names a folder, or
// ExitFailure when the stream cannot be read or buffered; Error then says why.
struct TCaseInput {
    TFile File;
    int Status = ExitOk;
    std::string Error;
};
TCaseInput OpenCaseInput(const std::string& path);

class TJsonCaseReader {
public:
    // Called for every case with its index (0 for a single object), its inputs over the default
    // case, and the first problem of its values (empty when the case can be rated): a value of the
    // wrong type, out of its range or not one of its codes, or flows or a size the window would
    // not accept (see URateCase.h). Returns an error message to stop reading, or nothing to go on.
    using TCaseFn =
        std::function<std::optional<std::string>(std::size_t, TRateInput&&, std::string&&)>;

    // Reads the whole text from `in`, each value straight into its case as it comes. Returns
    // false on malformed JSON, on a text that is not an object or an array of objects, on a
    // duplicate or unknown key in a case, on a value that is an object or an array, when the input
    // cannot be read, or when onCase reported an error; Error() then tells what went wrong and
    // where. Unknown keys are refused as soon as they are read, before their value, and no value
    // is built beyond one number or string. Messages quote keys and input text with control
    // characters escaped.
    bool Read(std::FILE* in, const TCaseFn& onCase);
    // Reads the whole text from a stream, as Read from a file does.
    bool Read(std::istream& text, const TCaseFn& onCase);
    // Reads `text` as one case object, numbered `index`, as Read reads each case of an array; an
    // array or any other value is refused.
    bool ReadObject(const std::string& text, std::size_t index, const TCaseFn& onCase);

    const std::string& Error() const { return error_; }
    // True when the text was an array (even an empty one).
    bool IsArray() const { return isArray_; }
    // Number of complete cases handed over.
    std::size_t Count() const { return count_; }

private:
    // Reads `text` (a stream or a string), numbering the cases from firstIndex; with objectOnly
    // the text must be one case object.
    template <class TText>
    bool Parse(TText& text, std::size_t firstIndex, bool objectOnly, const TCaseFn& onCase);

    std::string error_;
    bool isArray_ = false;
    std::size_t count_ = 0;
};
