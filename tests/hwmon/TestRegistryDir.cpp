// Every hwmon test binary runs with the registry store and the simulated
// chip's state in a folder of its own, so no test ever touches the user's
// real files. Made before main, ahead of any registry or libvarnio access, and
// removed at exit, also when the binary only lists its tests. Forked children
// leave through _exit and so never remove their parent's folder.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class CTemporaryRegistryDir {
public:
    CTemporaryRegistryDir()
    {
        char pattern[] = "/tmp/hwmon-tests-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            dir_ = pattern;
            ::setenv("VELMAR_REGISTRY_DIR", pattern, 1);
        }
    }
    ~CTemporaryRegistryDir()
    {
        if (!dir_.empty() && ::getpid() == owner_) {
            std::error_code ignored;
            std::filesystem::remove_all(dir_, ignored);
        }
    }

private:
    std::string dir_;
    pid_t owner_ = ::getpid();
};

const CTemporaryRegistryDir kRegistryDir;

}  // namespace
