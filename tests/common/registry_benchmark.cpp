// What a commit of the settings dialog costs the store: 35 values (four
// fans' seven values and the general page's), written one by one and in one
// batch, on a hive file of a few MB and on a small one. Real files in a
// temporary folder, each replacement with its two fsyncs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "FileRegistryHives.h"
#include "RegistryBatch.h"

namespace {

constexpr int kCommitValues = 35;

class CBenchHive {
public:
    // A user hive of about megabytes MB: keys of 100 values of 100 bytes.
    explicit CBenchHive(int megabytes)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmar-registry-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        folder_ = pattern;
        hives_ = std::make_unique<CFileRegistryHives>(HiveLocationsIn(folder_));
        CRegistryBatch bulk(*hives_);
        const int values = megabytes * 9000;
        for (int i = 0; i < values; ++i)
            Store().SetValue("SOFTWARE\\VARN\\Bulk\\" + std::to_string(i / 100), std::to_string(i),
                             RegistryValue::String(std::string(100, 'b')));
        bulk.End();
    }
    ~CBenchHive()
    {
        hives_.reset();
        std::error_code ignored;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ignored);
    }
    bool Ready() const { return hives_ != nullptr; }
    CFileRegistryHives& Hives() { return *hives_; }
    CRegistryStore& Store() { return *hives_->Store(HKEY_CURRENT_USER); }
    double FileMegabytes() const
    {
        return static_cast<double>(std::filesystem::file_size(folder_ + "/HKEY_CURRENT_USER.reg")) / (1 << 20);
    }

private:
    std::string folder_;
    std::unique_ptr<CFileRegistryHives> hives_;
};

bool CommitValues(CRegistryStore& store, std::uint32_t pass)
{
    bool stored = true;
    for (int i = 0; i < kCommitValues; ++i)
        stored = store.SetValue("SOFTWARE\\VARN\\HWM\\" + std::to_string(i / 7), "Value" + std::to_string(i % 7),
                                RegistryValue::Dword(pass)) &&
                 stored;
    return stored;
}

void Finish(benchmark::State& state, CBenchHive& hive, bool stored)
{
    if (!stored)
        state.SkipWithError("a value was not stored");
    state.counters["hive_MB"] = hive.FileMegabytes();
    state.counters["values"] = kCommitValues;
}

void BM_CommitValueByValue(benchmark::State& state)
{
    CBenchHive hive(static_cast<int>(state.range(0)));
    if (!hive.Ready()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    bool stored = true;
    std::uint32_t pass = 0;
    for (auto _ : state)
        stored = CommitValues(hive.Store(), ++pass) && stored;
    Finish(state, hive, stored);
}

void BM_CommitInABatch(benchmark::State& state)
{
    CBenchHive hive(static_cast<int>(state.range(0)));
    if (!hive.Ready()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    bool stored = true;
    std::uint32_t pass = 0;
    for (auto _ : state) {
        CRegistryBatch batch(hive.Hives());
        stored = CommitValues(hive.Store(), ++pass) && stored;
        stored = batch.End() && stored;
    }
    Finish(state, hive, stored);
}

// The hive's size in MB: a fresh profile's few keys, and a hive of a few MB.
BENCHMARK(BM_CommitValueByValue)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CommitInABatch)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
