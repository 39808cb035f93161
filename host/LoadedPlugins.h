// What the main frame keeps of its plug-ins for the life of the process: the
// loaded libraries and base interfaces in load order, the About entries, the
// kept IVARNExtend members of the special plug-ins and the plug-in shown in
// the plug-in view. Filled by CPluginLoader; emptied by its UnloadAll.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "SpecialPlugins.h"
#include "VarnPlugin.h"

struct PluginEntry {
    std::string fileName;  // the library's file name without its folder
    std::string version;   // "1,0,0,3"
    bool operator==(const PluginEntry&) const = default;
};

class CLoadedPlugins {
public:
    const std::vector<void*>& Libraries() const { return libraries_; }
    const std::vector<IVARNPlugin*>& Plugins() const { return plugins_; }
    const std::vector<PluginEntry>& Entries() const { return entries_; }
    // The About entry of loaded plug-in number plugin (the entries also list
    // libraries that did not load).
    std::size_t EntryOf(std::size_t plugin) const { return entryOfPlugin_.at(plugin); }

    // The first loaded plug-in whose GetName equals identifier exactly.
    IVARNPlugin* FindByName(const std::string& identifier) const;
    // The plug-in that receives power events: the first loaded; null if none.
    IVARNPlugin* First() const { return plugins_.empty() ? nullptr : plugins_.front(); }

    IVARNExtend* ModeControl() const { return special_[kModeControlSlot]; }
    IVARNExtend* AutoPace() const { return special_[kAutoPaceSlot]; }
    IVARNExtend* Special(int slot) const { return special_[slot]; }

    // The plug-in shown in the plug-in view: its base interface (not an own
    // reference; the loaded list holds it) and its IVARNInfo (one reference
    // held while it is the view plug-in).
    IVARNPlugin* ViewPluginBase() const { return viewBase_; }
    IVARNInfo* ViewPluginInfo() const { return viewInfo_; }
    void SetViewPluginBase(IVARNPlugin* plugin) { viewBase_ = plugin; }
    // Releases the previous view info, then takes plugin's IVARNInfo (null
    // when plugin is null or has none).
    void SelectViewPluginInfo(IVARNPlugin* plugin);
    // Releases the view info once and forgets it.
    void ReleaseViewPluginInfo();

    // A navigation command of the page: sent, unchanged, to every loaded
    // plug-in with that identifier, in list order, each through a temporary
    // IVARNExtend. Returns how many received it.
    int SendToEveryPluginNamed(const std::string& identifier, const std::string& command, VARN_VALUE value1,
                               VARN_VALUE value2) const;

private:
    friend class CPluginLoader;

    std::vector<void*> libraries_;
    std::vector<IVARNPlugin*> plugins_;
    std::vector<PluginEntry> entries_;
    std::vector<std::size_t> entryOfPlugin_;
    std::array<IVARNExtend*, kSpecialSlotCount> special_{};
    IVARNPlugin* viewBase_ = nullptr;
    IVARNInfo* viewInfo_ = nullptr;
};
