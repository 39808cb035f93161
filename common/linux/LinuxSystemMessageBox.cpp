#include "LinuxSystemMessageBox.h"

#include <cerrno>
#include <cstdio>

void CLinuxSystemMessageBox::Show(const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, text.c_str());
}
