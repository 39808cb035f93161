// Every hwmon test binary runs with the registry store and the simulated
// chip's state in a folder of its own, removed at the end, so no test ever
// touches the user's real files. Set before main, ahead of any registry or
// libvarnio access.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class CTemporaryRegistryDir : public ::testing::Environment {
public:
    CTemporaryRegistryDir()
    {
        char pattern[] = "/tmp/hwmon-tests-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            dir_ = pattern;
            ::setenv("VELMAR_REGISTRY_DIR", pattern, 1);
        }
    }
    void TearDown() override
    {
        if (!dir_.empty()) {
            std::filesystem::remove_all(dir_);
        }
    }

private:
    std::string dir_;
};

[[maybe_unused]] ::testing::Environment* const kRegistryDir =
    ::testing::AddGlobalTestEnvironment(new CTemporaryRegistryDir);

}  // namespace
