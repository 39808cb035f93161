// One batch over every hive of a set (CRegistryStore::BeginBatch): the
// changes made on this thread while it is open are written when it ends, one
// transaction and one file replacement per hive they touch. Used where many
// values are stored at once, such as the settings dialog's OK, so a commit
// costs one rewrite of a hive instead of one per value.
#pragma once

#include <array>
#include <cstddef>
#include <string>

class CRegistryStore;
class IRegistryHives;

class CRegistryBatch {
public:
    explicit CRegistryBatch(IRegistryHives& hives);
    // Ends the batch if End has not: what could not be written is reported
    // by the store, nobody is told otherwise.
    ~CRegistryBatch();
    CRegistryBatch(const CRegistryBatch&) = delete;
    CRegistryBatch& operator=(const CRegistryBatch&) = delete;

    // Ends the batch on every hive. False when some hive's changes could not
    // be written (none of that hive's are then stored); Failure() says why.
    // An inner batch hands its changes to the outer one and succeeds.
    bool End();
    const std::string& Failure() const { return failure_; }

private:
    std::array<CRegistryStore*, 2> stores_{};  // one per root; null where it has no hive
    bool ended_ = false;
    std::string failure_;
};
