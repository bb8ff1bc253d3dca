// Writing the report of the longest run the program allows: 20 tables of 100 equations and 100
// unknowns, every cell a fraction, into a real file.
#include "report/report_writer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTables = 20;
constexpr int kSize = 100;

std::vector<TableSnapshot> LargestRun()
{
    std::vector<TableSnapshot> snapshots;
    for (int table = 0; table < kTables; ++table) {
        TableSnapshot snapshot(kSize + 3);
        for (int row = 0; row < kSize + 3; ++row) {
            for (int column = 0; column < kSize + 3; ++column) {
                snapshot[row].push_back("-" + std::to_string(100 + (table * 7 + row * 13 + column) % 900) + "/" +
                                        std::to_string(101 + (row + column * 11) % 899));
            }
        }
        snapshots.push_back(std::move(snapshot));
    }
    return snapshots;
}

void BM_WriteLargestReport(benchmark::State& state)
{
    const std::vector<TableSnapshot> snapshots = LargestRun();
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tablitor-report-bench-" + std::to_string(getpid()) + ".xlsx"))
            .string();
    for (auto _ : state) {
        const ReportResult result = WriteReport(path, kSize, kSize, snapshots);
        if (!result.ok) {
            state.SkipWithError(result.message.c_str());
            break;
        }
    }
    std::error_code ignored;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path, ignored));
    std::filesystem::remove(path, ignored);
}
BENCHMARK(BM_WriteLargestReport)->Unit(benchmark::kMillisecond);

} // namespace
