/*
 * A minimal plug-in written in plain C against VarnPlugin.h: one object that
 * offers all four interfaces with one shared count. The ABI tests load it with
 * dlopen exactly as the host will, so the header is proven usable from C and
 * its layout is what a C compiler produces.
 */
#include "VarnPlugin.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

typedef struct SamplePlugin {
    IVARNExtend extend; /* first: IVARNPlugin queries answer with this pointer */
    IVARNInfo info;
    IVARNDialog dialog;
    int32_t count;
    int32_t fahrenheit;
    int page_created;
    PluginEventCallback callback;
} SamplePlugin;

/* Objects still alive, so tests can tell that the last Release destroyed one. */
static int live_objects = 0;
__attribute__((visibility("default"))) int SamplePlugin_LiveObjects(void) { return live_objects; }

#define FROM(member, ptr) ((SamplePlugin*)((char*)(ptr) - offsetof(SamplePlugin, member)))

static SamplePlugin* from_base(IVARNPlugin* self)
{
    /* Every interface's table begins with the base table, and each interface
     * sits at its own offset; find which one self is by its table. */
    extern const IVARNExtendVtbl sample_extend_vtbl;
    extern const IVARNInfoVtbl sample_info_vtbl;
    const void* vtbl = (const void*)self->vtbl;
    if (vtbl == (const void*)&sample_info_vtbl) return FROM(info, self);
    if (vtbl == (const void*)&sample_extend_vtbl) return FROM(extend, self);
    return FROM(dialog, self);
}

static int32_t query_interface(IVARNPlugin* self, const char* name, void** out)
{
    SamplePlugin* p = from_base(self);
    *out = NULL;
    if (strcmp(name, VARN_IID_EXTEND) == 0) *out = &p->extend;
    else if (strcmp(name, VARN_IID_DIALOG) == 0) *out = &p->dialog;
    else if (strcmp(name, VARN_IID_INFO) == 0) *out = &p->info;
    else if (strcmp(name, VARN_IID_PLUGIN) == 0) *out = &p->extend;
    if (*out == NULL) return VARN_QI_NOT_FOUND;
    ++p->count;
    return VARN_QI_FOUND;
}

static int32_t add_ref(IVARNPlugin* self) { return ++from_base(self)->count; }

static int32_t release(IVARNPlugin* self)
{
    SamplePlugin* p = from_base(self);
    int32_t left = --p->count;
    if (left == 0) {
        free(p);
        --live_objects;
    }
    return left;
}

static int32_t get_name(IVARNPlugin* self, char* buffer)
{
    (void)self;
    strcpy(buffer, "SAMPLE_PLUGIN");
    return 0;
}

static int32_t send_command(IVARNExtend* self, const char* command, VARN_VALUE v1, VARN_VALUE v2)
{
    SamplePlugin* p = FROM(extend, self);
    (void)v2;
    if (strcmp(command, VARN_CMD_SET_TEMPERATURE_DISP) == 0) {
        p->fahrenheit = v1 != 0;
        return 0;
    }
    if (strcmp(command, "GET_UNIT") == 0) return p->fahrenheit;
    if (strcmp(command, "FIRE_EVENT") == 0 && p->callback)
        return p->callback("SAMPLE_PLUGIN", VARN_EVT_DLG_CHANGED, 0, (int32_t)v1, 0);
    return 0;
}

static int32_t set_callback(IVARNExtend* self, int32_t reserved, PluginEventCallback cb)
{
    (void)reserved;
    FROM(extend, self)->callback = cb;
    return 0;
}

static int32_t get_data(IVARNInfo* self, char* buffer, int32_t mode)
{
    (void)self;
    (void)mode;
    strcpy(buffer, "<VARN_PLUGIN><SAMPLE_PLUGIN/></VARN_PLUGIN>");
    return 1;
}

static VARN_WINDOW create_page(IVARNDialog* self, VARN_WINDOW parent)
{
    SamplePlugin* p = FROM(dialog, self);
    p->page_created = 1;
    return parent; /* no toolkit here: the parent stands in for the page */
}

static int32_t on_ok(IVARNDialog* self)
{
    SamplePlugin* p = FROM(dialog, self);
    p->page_created = 0;
    return release((IVARNPlugin*)self);
}

static int32_t on_cancel(IVARNDialog* self) { return on_ok(self); }
static int32_t on_apply(IVARNDialog* self) { (void)self; return 0; }

#define BASE_SLOTS { query_interface, add_ref, release, get_name }
const IVARNExtendVtbl sample_extend_vtbl = { BASE_SLOTS, send_command, set_callback };
const IVARNInfoVtbl sample_info_vtbl = { BASE_SLOTS, get_data };
const IVARNDialogVtbl sample_dialog_vtbl = { BASE_SLOTS, create_page, on_ok, on_cancel, on_apply };

__attribute__((visibility("default"))) void* PlugIn_GetObject(const char* name)
{
    SamplePlugin* p = calloc(1, sizeof *p);
    void* out = NULL;
    if (!p) return NULL;
    p->extend.vtbl = &sample_extend_vtbl;
    p->info.vtbl = &sample_info_vtbl;
    p->dialog.vtbl = &sample_dialog_vtbl;
    ++live_objects;
    if (query_interface((IVARNPlugin*)&p->extend, name, &out) != VARN_QI_FOUND) {
        free(p);
        --live_objects;
        return NULL;
    }
    return out;
}
