#include "InstanceChecker.h"

CInstanceChecker::CInstanceChecker(IInstanceBlock& block, const std::string& applicationName)
    : block_(block), name_(kInstanceBlockPrefix + applicationName) {}

CInstanceChecker::~CInstanceChecker() { block_.CloseOpened(); }

bool CInstanceChecker::AnotherInstanceRunning() {
    if (block_.CreatedHere(name_)) return false;
    return block_.OpenExisting(name_);
}

bool CInstanceChecker::RegisterFirstInstance(std::uint64_t mainWindowId) {
    if (block_.CreatedHere(name_) || block_.OpenExisting(name_)) return false;
    return block_.Create(name_, mainWindowId);
}

InstanceDecision ApplySingleInstanceRule(IInstanceBlock& block, const std::string& applicationName,
                                         std::uint64_t mainWindowId) {
    CInstanceChecker checker(block, applicationName);
    if (checker.AnotherInstanceRunning()) return InstanceDecision::SecondInstance;
    if (block.CreatedHere(checker.BlockName())) return InstanceDecision::Registered;
    if (checker.AnotherInstanceRunning()) return InstanceDecision::SecondInstance;
    return checker.RegisterFirstInstance(mainWindowId) ? InstanceDecision::Registered
                                                       : InstanceDecision::Unprotected;
}
