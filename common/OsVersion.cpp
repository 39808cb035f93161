#include "OsVersion.h"

#include "OsLanguage.h"

namespace {

constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNT = 2;
constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;

// A version later than every one the flags name, so no old-system quirk
// applies; Linux has no service packs.
constexpr std::uint32_t kThisSystemMajor = 10;

}  // namespace

COsVersion::COsVersion(Edition edition) { Detect(ThisSystem(), edition); }

COsVersion::COsVersion(const OsVersionRecord& record, Edition edition) { Detect(record, edition); }

OsVersionRecord COsVersion::ThisSystem()
{
    OsVersionRecord record;
    record.platformId = kPlatformNT;
    record.major = kThisSystemMajor;
    record.minor = 0;
    record.productType = kWorkstation;
    // A native process: there is no 32-bit view to redirect to.
    record.wow64 = false;
    record.userLanguageId = LanguageIdForLocale(UserMessagesLocale());
    return record;
}

void COsVersion::Detect(const OsVersionRecord& r, Edition edition)
{
    major_ = r.major;
    minor_ = r.minor;
    languageId_ = r.userLanguageId;
    if (r.platformId == kPlatformNT) {
        if (r.major == 5) {
            win2000_ = r.minor == 0;
            winXP_ = r.minor == 1;
            win2003_ = r.minor >= 2;
        } else {
            ntOther_ = true;
        }
        ntFamily_ = true;
        servicePack_ = r.servicePack;
    } else if (r.platformId == kPlatform9x) {
        if (r.major < 4 || (r.major == 4 && r.minor == 0))
            win95_ = true;
        else if (r.minor <= 50)
            win98_ = true;
        else
            winME_ = true;
        win9x_ = family9x_ = true;
    } else {
        unknownPlatform_ = true;
    }
    if (edition == Edition::Host && (winXP_ || win2003_) && r.wow64) {
        if (r.productType == kWorkstation) {
            winXP_ = win2003_ = false;
            winXP64_ = true;
        } else if (r.productType == kServer) {
            winXP_ = win2003_ = false;
            win2003_64_ = true;
        }
    }
}

std::string COsVersion::GetLanguageCode() const
{
    return LanguageCodeForId(languageId_);
}
