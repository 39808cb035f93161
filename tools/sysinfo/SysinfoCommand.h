// velmar-sysinfo: what the programs detect about this machine.
//
//   velmar-sysinfo [--sysfs-root DIR]         every key and its answer, in
//                                             table order, then where the
//                                             answers came from
//   velmar-sysinfo [--sysfs-root DIR] KEY     one answer alone
//
// --sysfs-root reads firmware, PCI and display facts from DIR instead of
// /sys (a copied or fake tree). The registry hives are the process's
// (VELMAR_REGISTRY_DIR, when set, points them elsewhere).
#pragma once

#include "SystemInfoPorts.h"

#include <ostream>
#include <string>
#include <vector>

// 0 on success, 1 for an unknown key, 2 for bad usage. ports, when given,
// replace the process's (null members keep them).
int RunSysinfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const SystemInfoPorts* ports = nullptr);
