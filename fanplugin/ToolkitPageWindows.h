// The page windows of the toolkit the host runs (Qt), for the library's
// entry; declared without the toolkit's headers so the entry stays free of
// them.
#pragma once

#include "fanplugin/PageWindow.h"

namespace zefan {

// Lives as long as the library.
IPageWindowFactory& ToolkitPageWindowFactory();

}  // namespace zefan
