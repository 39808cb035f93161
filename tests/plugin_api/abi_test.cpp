// Loads a plug-in written in C through the real dynamic loader and holds it
// to the contract's query, counting and page-release rules.
#include "VarnPlugin.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class SamplePluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string path = std::string(VELMAR_TEST_BIN_DIR) + "/libsample_plugin.so";
        lib_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib_, nullptr) << dlerror();
        getObject_ = reinterpret_cast<PlugIn_GetObjectFn>(dlsym(lib_, VARN_ENTRY_NAME));
        liveObjects_ = reinterpret_cast<int (*)()>(dlsym(lib_, "SamplePlugin_LiveObjects"));
        ASSERT_NE(getObject_, nullptr);
        ASSERT_NE(liveObjects_, nullptr);
    }
    void TearDown() override
    {
        if (lib_) dlclose(lib_);
    }

    static IVARNPlugin* Base(void* p) { return static_cast<IVARNPlugin*>(p); }
    static int32_t Release(void* p) { return Base(p)->vtbl->Release(Base(p)); }
    static int32_t AddRef(void* p) { return Base(p)->vtbl->AddRef(Base(p)); }
    static void* Query(void* p, const char* name, int32_t* result = nullptr)
    {
        void* out = reinterpret_cast<void*>(1);  // must be cleared on failure
        int32_t r = Base(p)->vtbl->QueryInterface(Base(p), name, &out);
        if (result) *result = r;
        return out;
    }

    void* lib_ = nullptr;
    PlugIn_GetObjectFn getObject_ = nullptr;
    int (*liveObjects_)() = nullptr;
};

TEST_F(SamplePluginTest, OnlyExactInterfaceNamesAreFound)
{
    void* base = getObject_(VARN_IID_PLUGIN);
    ASSERT_NE(base, nullptr);
    for (const char* wrong : {"ivarnplugin", "IVARNExtend ", "IVARNExten", "IVARNInf", "", "IVARNInfoX"}) {
        int32_t result = -1;
        EXPECT_EQ(Query(base, wrong, &result), nullptr) << '"' << wrong << '"';
        EXPECT_EQ(result, VARN_QI_NOT_FOUND) << '"' << wrong << '"';
    }
    EXPECT_EQ(getObject_("IVARNplugin"), nullptr);
    EXPECT_EQ(liveObjects_(), 1) << "a refused entry call must discard its object";
    EXPECT_EQ(Release(base), 0);
}

TEST_F(SamplePluginTest, BaseQueryAnswersWithTheExtendPointerAndOneSharedCount)
{
    void* base = getObject_(VARN_IID_PLUGIN);
    ASSERT_NE(base, nullptr);
    void* viaPlugin = Query(base, VARN_IID_PLUGIN);
    void* viaExtend = Query(base, VARN_IID_EXTEND);
    EXPECT_EQ(viaPlugin, viaExtend);
    EXPECT_EQ(base, viaExtend);

    void* info = Query(viaExtend, VARN_IID_INFO);
    void* dialog = Query(info, VARN_IID_DIALOG);
    ASSERT_NE(info, nullptr);
    ASSERT_NE(dialog, nullptr);
    // Five references now, whichever interface counts them.
    EXPECT_EQ(AddRef(dialog), 6);
    EXPECT_EQ(Release(info), 5);
    EXPECT_EQ(Release(viaPlugin), 4);
    EXPECT_EQ(Release(viaExtend), 3);
    EXPECT_EQ(Release(dialog), 2);
    EXPECT_EQ(Release(info), 1);
    EXPECT_EQ(liveObjects_(), 1);
    EXPECT_EQ(Release(base), 0);
    EXPECT_EQ(liveObjects_(), 0) << "the last Release must destroy the object";
}

TEST_F(SamplePluginTest, EntryWithDialogNameGivesNewObjectWithCountOne)
{
    void* first = getObject_(VARN_IID_DIALOG);
    void* second = getObject_(VARN_IID_DIALOG);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(liveObjects_(), 2);
    EXPECT_EQ(AddRef(first), 2);
    EXPECT_EQ(Release(first), 1);
    EXPECT_EQ(Release(first), 0);
    EXPECT_EQ(Release(second), 0);
}

TEST_F(SamplePluginTest, OkAndCancelReleaseOneReferenceWithOrWithoutAPage)
{
    auto* base = getObject_(VARN_IID_PLUGIN);
    auto* dialog = static_cast<IVARNDialog*>(Query(base, VARN_IID_DIALOG));
    ASSERT_NE(dialog, nullptr);
    dialog->vtbl->OnApply(dialog);  // releases nothing
    EXPECT_EQ(dialog->vtbl->OnOK(dialog), 1) << "OnOK without a page still releases";

    dialog = static_cast<IVARNDialog*>(Query(base, VARN_IID_DIALOG));
    int parent = 0;
    EXPECT_EQ(dialog->vtbl->CreatePage(dialog, &parent), &parent);
    EXPECT_EQ(dialog->vtbl->OnCancel(dialog), 1);
    EXPECT_EQ(Release(base), 0);
}

int32_t lastValue = -1;
std::string lastSender;
int32_t RecordEvent(const char* sender, const char* event, int32_t, int32_t value, int32_t)
{
    lastSender = sender;
    if (std::strcmp(event, VARN_EVT_DLG_CHANGED) == 0) lastValue = value;
    return 0;
}

TEST_F(SamplePluginTest, CommandsCarryPointerWideValuesAndTheCallbackReachesTheHost)
{
    static_assert(sizeof(VARN_VALUE) == sizeof(void*));
    auto* ext = static_cast<IVARNExtend*>(getObject_(VARN_IID_EXTEND));
    ASSERT_NE(ext, nullptr);
    EXPECT_EQ(ext->vtbl->SendCommand(ext, VARN_CMD_SET_TEMPERATURE_DISP, 5, 0), 0);
    EXPECT_EQ(ext->vtbl->SendCommand(ext, "GET_UNIT", 0, 0), 1) << "any non-zero value is Fahrenheit";
    EXPECT_EQ(ext->vtbl->SendCommand(ext, "NO_SUCH_COMMAND", 1, 2), 0);

    EXPECT_EQ(ext->vtbl->SetCallback(ext, 0, RecordEvent), 0);
    ext->vtbl->SendCommand(ext, "FIRE_EVENT", 1, 0);
    EXPECT_EQ(lastSender, "SAMPLE_PLUGIN");
    EXPECT_EQ(lastValue, 1);

    char name[VARN_NAME_BUFFER_SIZE];
    auto* base = reinterpret_cast<IVARNPlugin*>(ext);
    EXPECT_EQ(base->vtbl->GetName(base, name), 0);
    EXPECT_STREQ(name, "SAMPLE_PLUGIN");

    auto* info = static_cast<IVARNInfo*>(Query(ext, VARN_IID_INFO));
    std::string buffer(VARN_DATA_BUFFER_SIZE, '\0');
    EXPECT_EQ(info->vtbl->GetData(info, buffer.data(), 0), 1);
    EXPECT_EQ(std::string(buffer.c_str()).rfind("<VARN_PLUGIN>", 0), 0u);
    EXPECT_EQ(Release(info), 1);
    EXPECT_EQ(Release(ext), 0);
}

}  // namespace
