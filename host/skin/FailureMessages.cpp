#include "FailureMessages.h"

bool CFailureMessages::Open(const std::string& text) {
    if (open_) return false;
    open_ = true;
    try {
        box_.Show(text);
    } catch (...) {
    }
    open_ = false;
    return true;
}

void CFailureMessages::Report(const std::string& text) {
    if (open_ || holding_.count(text) > 0) return;
    holding_.insert(text);
    Open(text);
}
