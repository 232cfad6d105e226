// Whole batches through vxrate: 100,000 varied cases as a JSON array, as JSON Lines and as CSV,
// rated with --jobs 2. The time is the wall time of the process; its CPU time and peak memory are
// reported as counters. The output is read from a pipe and dropped.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using nlohmann::ordered_json;

namespace {

constexpr std::size_t kCases = 100000;

// Case i is reference case i % 70 with its temperatures moved by up to 1 K and its air flows
// scaled by 0.9 .. 1.1, from a fixed seed.
class TVariedCases {
public:
    TVariedCases()
    {
        std::ifstream in(VXRATE_TEST_DATA "/rate_cases.json");
        reference_ = ordered_json::parse(in);
        for (const ordered_json& c : reference_)
            for (const auto& item : c.items())
                if (std::find(keys_.begin(), keys_.end(), item.key()) == keys_.end())
                    keys_.push_back(item.key());
    }

    ordered_json Next()
    {
        auto rounded = [](double v, double step) { return std::round(v / step) * step; };
        ordered_json c = reference_[next_++ % reference_.size()];
        for (const char* key : {"Temp11", "Temp21"})
            if (c.contains(key)) c[key] = rounded(c[key].get<double>() + shift_(rng_), 0.01);
        for (const char* key :
             {"SVol11", "SVol21", "OVol11", "OVol21", "MassMoist11", "MassMoist21"})
            if (c.contains(key)) c[key] = rounded(c[key].get<double>() * scale_(rng_), 0.001);
        return c;
    }

    // Every key the cases use, for the CSV header.
    const std::vector<std::string>& Keys() const { return keys_; }

private:
    ordered_json reference_;
    std::vector<std::string> keys_;
    std::size_t next_ = 0;
    std::mt19937 rng_{7};
    std::uniform_real_distribution<double> shift_{-1.0, 1.0}, scale_{0.9, 1.1};
};

// The three input files in a folder of their own, written once, case by case.
struct TBatchFiles {
    fs::path Folder, Json, Lines, Csv;

    TBatchFiles()
    {
        std::string name = (fs::temp_directory_path() / "vx-bench-batch-XXXXXX").string();
        Folder = ::mkdtemp(name.data());
        Json = Folder / "cases.json";
        Lines = Folder / "cases.jsonl";
        Csv = Folder / "cases.csv";
        TVariedCases cases;
        const std::vector<std::string>& keys = cases.Keys();
        std::ofstream json(Json), lines(Lines), csv(Csv);
        json << "[";
        for (std::size_t k = 0; k < keys.size(); ++k) csv << (k ? "," : "") << keys[k];
        csv << "\n";
        for (std::size_t i = 0; i < kCases; ++i) {
            const ordered_json c = cases.Next();
            const std::string text = c.dump();
            json << (i ? ",\n" : "\n") << text;
            lines << text << "\n";
            for (std::size_t k = 0; k < keys.size(); ++k)
                csv << (k ? "," : "") << (c.contains(keys[k]) ? c[keys[k]].dump() : "");
            csv << "\n";
        }
        json << "\n]\n";
    }
    ~TBatchFiles() { fs::remove_all(Folder); }
};

const TBatchFiles& Files()
{
    static const TBatchFiles files;
    return files;
}

// Runs vxrate with args, reading and dropping its output as a consumer of a pipe would; the
// child's resource use, or false.
bool RunVxrate(std::vector<std::string> args, rusage& use)
{
    args.insert(args.begin(), VXRATE_EXE);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VXRATE_EXE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    static char sink[1 << 20];
    while (spawned == 0 && ::read(out[0], sink, sizeof sink) > 0) {}
    ::close(out[0]);
    int status = 0;
    return spawned == 0 && ::wait4(pid, &status, 0, &use) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Argument: 0 JSON array, 1 JSON Lines, 2 CSV.
void BM_Batch(benchmark::State& state)
{
    const TBatchFiles& f = Files();
    const fs::path inputs[] = {f.Json, f.Lines, f.Csv};
    const char* formats[] = {nullptr, "--jsonl", "--csv"};
    std::vector<std::string> args = {"rate", "--jobs", "2", inputs[state.range(0)].string()};
    if (formats[state.range(0)]) args.push_back(formats[state.range(0)]);
    double cpu = 0.0, peak = 0.0;
    for (auto _ : state) {
        rusage use{};
        if (!RunVxrate(args, use)) {
            state.SkipWithError("vxrate failed");
            return;
        }
        cpu += static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
               1e-6 * static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec);
        peak = std::max(peak, use.ru_maxrss / 1024.0);
    }
    state.counters["cpu_s"] = cpu / static_cast<double>(state.iterations());
    state.counters["peak_MB"] = peak;
}

}  // namespace

BENCHMARK(BM_Batch)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
