#include "UJsonPieces.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <istream>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "UJsonCases.h"
#include "URateJsonl.h"

namespace {

// A text shorter than this is read whole: the threads would cost more than they save.
constexpr off_t kSmallestCut = 1 << 20;

// Bytes [Begin, End) of the file: whole cases of the array, separated by commas.
struct TPiece {
    off_t Begin = 0, End = 0;
};

// Reads the file's bytes [begin, end) in blocks from their positions, so that several threads can
// read one file at the same time.
class TRegionReader {
public:
    TRegionReader(int fd, off_t begin, off_t end) : fd_(fd), at_(begin), end_(end) {}

    // The next block, or an empty one at the end or on a read error (Failed() tells).
    std::string_view Next()
    {
        const auto want = static_cast<std::size_t>(std::min<off_t>(end_ - at_, block_.size()));
        if (want == 0) return {};
        const ssize_t n = ::pread(fd_, block_.data(), want, at_);
        if (n <= 0) {
            failed_ = true;
            return {};
        }
        at_ += n;
        return {block_.data(), static_cast<std::size_t>(n)};
    }
    bool Failed() const { return failed_; }

private:
    int fd_;
    off_t at_, end_;
    bool failed_ = false;
    std::array<char, 1 << 16> block_;
};

// A piece of the array as an array text of its own: "[" + its bytes + "]".
class TPieceBuffer : public std::streambuf {
public:
    TPieceBuffer(int fd, const TPiece& piece) : region_(fd, piece.Begin, piece.End) {}
    bool Failed() const { return region_.Failed(); }

protected:
    int_type underflow() override
    {
        switch (stage_++) {
        case 0: return Serve(open_);
        case 1:
            if (const std::string_view block = region_.Next(); !block.empty()) {
                --stage_;  // more bytes may follow
                char* first = const_cast<char*>(block.data());
                setg(first, first, first + block.size());
                return traits_type::to_int_type(*first);
            }
            ++stage_;
            return Serve(close_);
        default: return traits_type::eof();
        }
    }

private:
    int_type Serve(char& c)
    {
        setg(&c, &c, &c + 1);
        return traits_type::to_int_type(c);
    }

    TRegionReader region_;
    int stage_ = 0;  // 0: "[" next, 1: the bytes, then "]", 3: done
    char open_ = '[', close_ = ']';
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The first position at or after `from` (and before `size`) that isCut accepts, looking at one
// block of the file; -1 when there is none in it. isCut(block, i) sees the whole block.
template <class TIsCut>
off_t FindCut(int fd, off_t from, off_t size, TIsCut isCut)
{
    TRegionReader reader(fd, from, size);
    const std::string_view block = reader.Next();
    for (std::size_t i = 0; i < block.size(); ++i)
        if (isCut(block, i)) return from + off_t(i);
    return -1;
}

// Cuts [begin, end) of the file into up to n pieces of about equal length, each ending at a
// separator that isCut finds at or after its share of the text, the next starting after it.
template <class TIsCut>
std::vector<TPiece> Cut(int fd, off_t begin, off_t end, unsigned n, TIsCut isCut)
{
    std::vector<TPiece> pieces;
    TPiece current{begin, end};
    for (unsigned k = 1; k < n; ++k) {
        const off_t share = std::max(current.Begin, begin + (end - begin) / n * off_t(k));
        const off_t cut = FindCut(fd, share, end, isCut);
        if (cut < 0) break;
        pieces.push_back({current.Begin, cut});
        current.Begin = cut + 1;
    }
    pieces.push_back(current);
    return pieces;
}

// Cuts the array that fills the file from `start` into up to n pieces at commas between a "}"
// and a "{". Returns no pieces when the text does not start with "[" and end with "]" (white space
// aside), or when no cut is found. No more of the text is looked at: a comma inside a string may
// be taken for a cut, but it leaves a piece with an open string, which cannot be read, and a text
// with an unreadable piece is read whole. Pieces that each read as an array of cases make, joined
// by commas, an array that reads the same, so the pieces never decide what the whole would not.
std::vector<TPiece> CutArray(int fd, off_t start, off_t size, unsigned n)
{
    const off_t open =
        FindCut(fd, start, size, [](std::string_view b, std::size_t i) { return !IsSpace(b[i]); });
    off_t close = size;
    char last = 0;
    while (close > start && ::pread(fd, &last, 1, close - 1) == 1 && IsSpace(last)) --close;
    char first = 0;
    if (open < 0 || close - 1 <= open || last != ']' || ::pread(fd, &first, 1, open) != 1 ||
        first != '[')
        return {};
    // A comma with "}" before and "{" after it, white space aside.
    auto betweenCases = [](std::string_view b, std::size_t i) {
        if (b[i] != ',') return false;
        std::size_t before = i, after = i + 1;
        while (before > 0 && IsSpace(b[before - 1])) --before;
        while (after < b.size() && IsSpace(b[after])) ++after;
        return before > 0 && b[before - 1] == '}' && after < b.size() && b[after] == '{';
    };
    std::vector<TPiece> pieces = Cut(fd, open + 1, close - 1, n, betweenCases);
    if (pieces.size() < 2) pieces.clear();
    return pieces;
}

// Cuts the text of the file from `start` into up to n pieces of whole lines.
std::vector<TPiece> CutLines(int fd, off_t start, off_t size, unsigned n)
{
    return Cut(fd, start, size, n, [](std::string_view b, std::size_t i) { return b[i] == '\n'; });
}

// True when every line of the piece reads as ReadJsonLines reads it, without a problem.
bool LinesAreFine(int fd, const TPiece& piece, const std::atomic<bool>& fine)
{
    TRegionReader reader(fd, piece.Begin, piece.End);
    std::string line;
    bool ok = true;
    // The pieces' messages are never shown, so their cases need not be numbered as a whole.
    auto check = [&] {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!IsBlankLine(line)) ok = ReadCaseLine(line, 0, 0).Error.empty();
        line.clear();
    };
    for (std::string_view block = reader.Next(); !block.empty() && ok && fine; block = reader.Next()) {
        for (std::size_t nl; ok && (nl = block.find('\n')) != std::string_view::npos;
             block.remove_prefix(nl + 1)) {
            line.append(block.substr(0, nl));
            check();
        }
        line.append(block);
    }
    if (ok && !line.empty()) check();
    return ok && !reader.Failed();
}

// Opens the checks of `in` on n threads: the file and where its text starts, when it is long
// enough to be worth cutting.
struct TCutInput {
    int Fd = -1;
    off_t Start = 0, Size = 0;
};
std::optional<TCutInput> CuttableInput(std::FILE* in, unsigned n)
{
    const int fd = ::fileno(in);
    const long start = std::ftell(in);
    struct stat st {};
    if (n < 2 || fd < 0 || start < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size - start < kSmallestCut)
        return std::nullopt;
    return TCutInput{fd, start, st.st_size};
}

// Runs check on every piece, the first on the calling thread; true when every check is.
template <class TCheck>
bool AllPiecesFine(const std::vector<TPiece>& pieces, TCheck check)
{
    if (pieces.empty()) return false;
    std::atomic<bool> fine{true};
    auto run = [&](const TPiece& piece) {
        if (!check(piece, fine)) fine = false;
    };
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < pieces.size(); ++i) threads.emplace_back(run, std::cref(pieces[i]));
    run(pieces[0]);
    for (std::thread& t : threads) t.join();
    return fine;
}

}  // namespace

bool CheckCaseLinesInPieces(std::FILE* in, unsigned n)
{
    const std::optional<TCutInput> input = CuttableInput(in, n);
    if (!input) return false;
    return AllPiecesFine(CutLines(input->Fd, input->Start, input->Size, n),
                         [&](const TPiece& piece, const std::atomic<bool>& fine) {
                             return LinesAreFine(input->Fd, piece, fine);
                         });
}

bool CheckCasesInPieces(std::FILE* in, unsigned n, bool valueProblemsCount)
{
    const std::optional<TCutInput> input = CuttableInput(in, n);
    if (!input) return false;
    const int fd = input->Fd;
    return AllPiecesFine(CutArray(fd, input->Start, input->Size, n),
                         [&](const TPiece& piece, const std::atomic<bool>& fine) {
                             TPieceBuffer buffer(fd, piece);
                             std::istream text(&buffer);
                             TJsonCaseReader reader;
                             const bool read = reader.Read(
                                 text, [&](std::size_t, TRateInput&&, std::string&& error) {
                                     if (!fine || (valueProblemsCount && !error.empty()))
                                         return std::optional<std::string>("stop");
                                     return std::optional<std::string>{};
                                 });
                             return read && !buffer.Failed() && reader.IsArray();
                         });
}
