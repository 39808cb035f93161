// Shared-data renderer double: keeps a copy of SharedData at each rendering.
#pragma once

#include <string>
#include <vector>

#include "PluginDocuments.h"
#include "SharedDataRefresh.h"

class CRecordingSharedRenderer : public ISharedDataRenderer {
public:
    explicit CRecordingSharedRenderer(const PluginDocuments& documents) : documents_(documents) {}
    std::vector<std::string> rendered;
    void RenderSharedData() override { rendered.push_back(documents_.SharedData); }

private:
    const PluginDocuments& documents_;
};
