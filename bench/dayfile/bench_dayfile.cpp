// Reading and decoding a full day file (86 400 records at 1 s, about 18 MB):
// what the database dialog does when a file is opened from its list.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "DayFileReader.h"

namespace {

using namespace relvo7;

// A scratch day file, written once for all runs.
class DayFileFixture {
public:
    DayFileFixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "relvo7-bench-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        path_ = dir_ + "/10122026.db";
        std::ofstream f(path_, std::ios::binary);
        const HeaderBytes h = encodeHeader(31, {10, 12, 2026});
        f.write(reinterpret_cast<const char*>(h.data()), h.size());
        for (int k = 0; k < 86400; ++k) {
            Sample s;
            s.connected = 1;
            s.hour = k / 3600;
            s.minute = k / 60 % 60;
            s.second = k % 60;
            s.alarms = static_cast<uint32_t>(k);
            for (int i = 0; i < kDayFileValueCount; ++i) s.values[i] = k * i;
            const RecordBytes r = encodeRecord(s);
            f.write(reinterpret_cast<const char*>(r.data()), r.size());
        }
    }
    ~DayFileFixture() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string dir_, path_;
};

const DayFileFixture& fixture() {
    static DayFileFixture f;
    return f;
}

void BM_ReadFullDay(benchmark::State& state) {
    const std::string& path = fixture().path();
    for (auto _ : state) {
        DayFileContents c = readDayFile(path, 31);
        if (c.records.size() != 86400) state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(c.records.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(48 + 208 * 86400));
    state.SetItemsProcessed(state.iterations() * 86400);
}
BENCHMARK(BM_ReadFullDay)->Unit(benchmark::kMillisecond);

void BM_SummarizeFullDay(benchmark::State& state) {
    const std::string& path = fixture().path();
    for (auto _ : state) benchmark::DoNotOptimize(summarizeDayFile(path, 31));
}
BENCHMARK(BM_SummarizeFullDay)->Unit(benchmark::kMicrosecond);

void BM_EncodeRecord(benchmark::State& state) {
    Sample s;
    for (int i = 0; i < kDayFileValueCount; ++i) s.values[i] = i * 12345;
    for (auto _ : state) benchmark::DoNotOptimize(encodeRecord(s));
}
BENCHMARK(BM_EncodeRecord);

} // namespace

BENCHMARK_MAIN();
