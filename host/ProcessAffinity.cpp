#include "ProcessAffinity.h"

#include "MessageBox.h"

bool PinToFirstProcessor(IProcessAffinity& affinity, IMessageBox& ownerless) {
    if (affinity.SetMask(1)) return true;
    ownerless.Show(kAffinityFailed);
    return false;
}
