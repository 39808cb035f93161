#include "SuspendNotifier.h"

void CSuspendNotifier::OnPrepareForSleep(bool sleeping) {
    if (sleeping) {
        // The lock is what keeps the machine awake until the plug-ins have
        // stored what they must; it goes only after they have been told.
        if (deliver_) deliver_(kSuspend, 1);
        lock_.Release();
    } else {
        if (deliver_) deliver_(kResume, 2);
        lock_.Take();
    }
}
