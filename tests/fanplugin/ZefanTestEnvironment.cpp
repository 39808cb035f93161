// Every ZEFAN test binary runs with the registry store and the simulated
// chip's state in a folder of its own, removed at the end, so no test ever
// touches the user's real files. Set before main, ahead of any access.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class CTemporaryProfileDir : public ::testing::Environment {
public:
    CTemporaryProfileDir()
    {
        char pattern[] = "/tmp/zefan-tests-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            dir_ = pattern;
            ::setenv("VELMAR_REGISTRY_DIR", pattern, 1);
        }
    }
    ~CTemporaryProfileDir() override
    {
        if (!dir_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(dir_, ignored);
        }
    }

private:
    std::string dir_;
};

[[maybe_unused]] ::testing::Environment* const kProfileDir =
    ::testing::AddGlobalTestEnvironment(new CTemporaryProfileDir);

}  // namespace
