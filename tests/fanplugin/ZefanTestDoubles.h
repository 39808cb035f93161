// In-memory doubles of the plug-in's ports: board files as texts, machine
// facts as a table, fan items and a processor count, from the board library.
#pragma once

#include "board/doubles/MemoryMachineInfo.h"
#include "board/doubles/FanItems.h"
#include "board/doubles/MemoryProfileReader.h"

namespace zefan::test {

using board::CMemoryMachineInfo;
using board::CMemoryProfileReader;
using board::CFixedProcessorCount;
using board::FanItem;

}  // namespace zefan::test
