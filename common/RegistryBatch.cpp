#include "RegistryBatch.h"

#include "RegistryHives.h"

#include <iterator>

CRegistryBatch::CRegistryBatch(IRegistryHives& hives)
{
    constexpr HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    static_assert(std::size(kRoots) == std::tuple_size_v<decltype(stores_)>);
    for (std::size_t i = 0; i < stores_.size(); ++i) {
        stores_[i] = hives.Store(kRoots[i]);
        if (stores_[i])
            stores_[i]->BeginBatch();
    }
}

CRegistryBatch::~CRegistryBatch()
{
    End();
}

bool CRegistryBatch::End()
{
    if (ended_)
        return failure_.empty();
    ended_ = true;
    // Every hive ends its batch, even after another failed: each is a
    // transaction of its own.
    for (CRegistryStore* store : stores_) {
        std::string why;
        if (store && !store->EndBatch(why) && failure_.empty())
            failure_ = why.empty() ? "the changes to " + store->FileName() + " could not be written" : why;
    }
    return failure_.empty();
}
