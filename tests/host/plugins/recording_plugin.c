/*
 * A recording test plug-in: a real shared library, built once per identifier
 * (RECORDING_ID), that the host loads like any plug-in. Every call it receives
 * is appended, in order, to the journal file named by VELMAR_RECORDING_LOG as
 * one line "<identifier> <call>", so a test sees the calls of all plug-ins in
 * one sequence, unloading included.
 *
 * Behaviour is read from the environment at each call, keyed by identifier
 * (VELMAR_REC_<identifier>_<KEY>), so a test can change it between steps:
 *   NO_BASE=1        PlugIn_GetObject answers null
 *   NO_EXTEND=1      the object offers no IVARNExtend
 *   NO_INFO=1        the object offers no IVARNInfo
 *   INITIAL=<n>      result of "INITIAL_PLUGIN" (default 1)
 *   MODE=<n>         the mode "GETCURR_MODE" reports until a "CHANGE_MODE"
 *   RELEASE_REPORTS=<n>
 *                    Release answers n and never destroys the object (a
 *                    broken plug-in)
 *   DATA=<text>      the document GetData writes (default: a small document
 *                    whose section is the identifier without "_PLUGIN")
 *   CHECK_WINDOW=1   on "INITIAL_PLUGIN", journal what the window handle is
 *                    ("window <class> ..."), checked among the application's
 *                    widgets before it is used as one
 *   ON_<COMMAND>=<EVENT>:<value>
 *                    while handling COMMAND, send EVENT with value through
 *                    the host's callback (not from inside another reaction)
 * The command "EMIT_<EVENT>" sends EVENT with value1 through the callback.
 */
#include "VarnPlugin.h"

#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifndef RECORDING_ID
#error "RECORDING_ID names the plug-in"
#endif

#define EXPORT __attribute__((visibility("default")))

typedef struct RecordingPlugin {
    IVARNExtend extend;
    IVARNInfo info;
    IVARNDialog dialog;
    int32_t count;
    int32_t mode;
    int32_t calls;
    PluginEventCallback callback;
} RecordingPlugin;

static int reacting = 0;

void recording_describe_window(VARN_VALUE handle, char* out, size_t size);

static void journal(const char* format, ...) __attribute__((format(printf, 1, 2)));

static void journal(const char* format, ...)
{
    const char* path = getenv("VELMAR_RECORDING_LOG");
    if (path == NULL || *path == '\0') return;
    FILE* file = fopen(path, "a");
    if (file == NULL) return;
    va_list args;
    va_start(args, format);
    fprintf(file, "%s ", RECORDING_ID);
    vfprintf(file, format, args);
    fputc('\n', file);
    va_end(args);
    fclose(file);
}

static const char* setting(const char* key)
{
    char name[160];
    snprintf(name, sizeof name, "VELMAR_REC_%s_%s", RECORDING_ID, key);
    return getenv(name);
}

static int setting_int(const char* key, int fallback)
{
    const char* text = setting(key);
    return text != NULL && *text != '\0' ? atoi(text) : fallback;
}

#define FROM(member, ptr) ((RecordingPlugin*)((char*)(ptr) - offsetof(RecordingPlugin, member)))

extern const IVARNExtendVtbl recording_extend_vtbl;
extern const IVARNInfoVtbl recording_info_vtbl;

static RecordingPlugin* from_base(IVARNPlugin* self)
{
    const void* vtbl = (const void*)self->vtbl;
    if (vtbl == (const void*)&recording_info_vtbl) return FROM(info, self);
    if (vtbl == (const void*)&recording_extend_vtbl) return FROM(extend, self);
    return FROM(dialog, self);
}

static int32_t query_interface(IVARNPlugin* self, const char* name, void** out)
{
    RecordingPlugin* p = from_base(self);
    const int has_extend = setting_int("NO_EXTEND", 0) == 0;
    const int has_info = setting_int("NO_INFO", 0) == 0;
    *out = NULL;
    if (strcmp(name, VARN_IID_EXTEND) == 0) { if (has_extend) *out = &p->extend; }
    else if (strcmp(name, VARN_IID_DIALOG) == 0) *out = &p->dialog;
    else if (strcmp(name, VARN_IID_INFO) == 0) { if (has_info) *out = &p->info; }
    else if (strcmp(name, VARN_IID_PLUGIN) == 0) *out = has_extend ? (void*)&p->extend : (void*)&p->dialog;
    if (*out == NULL) {
        journal("QueryInterface %s -> none", name);
        return VARN_QI_NOT_FOUND;
    }
    ++p->count;
    journal("QueryInterface %s -> %d", name, p->count);
    return VARN_QI_FOUND;
}

static int32_t add_ref(IVARNPlugin* self)
{
    RecordingPlugin* p = from_base(self);
    ++p->count;
    journal("AddRef -> %d", p->count);
    return p->count;
}

static int32_t release(IVARNPlugin* self)
{
    RecordingPlugin* p = from_base(self);
    int32_t left = --p->count;
    const char* reports = setting("RELEASE_REPORTS");
    if (reports != NULL) {
        journal("Release -> %s", reports);
        return atoi(reports);
    }
    journal("Release -> %d", left);
    if (left == 0) {
        journal("destroyed");
        free(p);
    }
    return left;
}

static int32_t get_name(IVARNPlugin* self, char* buffer)
{
    (void)self;
    journal("GetName");
    strcpy(buffer, RECORDING_ID);
    return 0;
}

static void emit(RecordingPlugin* p, const char* event, int32_t value)
{
    journal("emit %s %d", event, value);
    if (p->callback != NULL) p->callback(RECORDING_ID, event, 0, value, 0);
    journal("emitted %s", event);
}

static void react(RecordingPlugin* p, const char* command)
{
    char key[96];
    snprintf(key, sizeof key, "ON_%s", command);
    const char* reaction = setting(key);
    if (reaction == NULL || reacting) return;
    const char* colon = strchr(reaction, ':');
    char event[64];
    size_t length = colon != NULL ? (size_t)(colon - reaction) : strlen(reaction);
    if (length >= sizeof event) length = sizeof event - 1;
    memcpy(event, reaction, length);
    event[length] = '\0';
    reacting = 1;
    emit(p, event, colon != NULL ? atoi(colon + 1) : 0);
    reacting = 0;
}

static int32_t send_command(IVARNExtend* self, const char* command, VARN_VALUE v1, VARN_VALUE v2)
{
    RecordingPlugin* p = FROM(extend, self);
    int32_t result = 0;
    if (strcmp(command, VARN_CMD_GETCURR_MODE) == 0) {
        journal("SendCommand %s ptr %ld", command, (long)v2);
        if (v1 != 0) *(int32_t*)v1 = p->mode;
    } else {
        journal("SendCommand %s %ld %ld", command, (long)v1, (long)v2);
        if (strcmp(command, VARN_CMD_INITIAL_PLUGIN) == 0) {
            result = setting_int("INITIAL", 1);
            if (setting_int("CHECK_WINDOW", 0) != 0) {
                char description[160];
                recording_describe_window(v1, description, sizeof description);
                journal("window %s", description);
            }
        }
        else if (strcmp(command, VARN_CMD_CHANGE_MODE) == 0) p->mode = (int32_t)v1;
        else if (strncmp(command, "EMIT_", 5) == 0) emit(p, command + 5, (int32_t)v1);
    }
    react(p, command);
    return result;
}

static int32_t set_callback(IVARNExtend* self, int32_t reserved, PluginEventCallback callback)
{
    FROM(extend, self)->callback = callback;
    journal("SetCallback %d %s", reserved, callback != NULL ? "set" : "null");
    return 0;
}

static int32_t get_data(IVARNInfo* self, char* buffer, int32_t mode)
{
    RecordingPlugin* p = FROM(info, self);
    const char* data = setting("DATA");
    char section[VARN_NAME_BUFFER_SIZE];
    ++p->calls;
    journal("GetData %d", mode);
    strcpy(section, RECORDING_ID);
    char* suffix = strstr(section, "_PLUGIN");
    if (suffix != NULL) *suffix = '\0';
    if (data != NULL) {
        snprintf(buffer, VARN_DATA_BUFFER_SIZE, "%s", data);
    } else {
        snprintf(buffer, VARN_DATA_BUFFER_SIZE,
                 "<VARN_PLUGIN><%s><ITEM NAME=\"CALLS\"><COUNT>%d</COUNT><MODE>%d</MODE></ITEM></%s>"
                 "</VARN_PLUGIN>",
                 section, p->calls, mode, section);
    }
    return 1;
}

static VARN_WINDOW create_page(IVARNDialog* self, VARN_WINDOW parent)
{
    (void)self;
    journal("CreatePage");
    return parent;
}

static int32_t on_ok(IVARNDialog* self)
{
    journal("OnOK");
    return release((IVARNPlugin*)self);
}

static int32_t on_cancel(IVARNDialog* self)
{
    journal("OnCancel");
    return release((IVARNPlugin*)self);
}

static int32_t on_apply(IVARNDialog* self)
{
    (void)self;
    journal("OnApply");
    return 0;
}

#define BASE_SLOTS() {query_interface, add_ref, release, get_name}

const IVARNExtendVtbl recording_extend_vtbl = {BASE_SLOTS(), send_command, set_callback};
const IVARNInfoVtbl recording_info_vtbl = {BASE_SLOTS(), get_data};
static const IVARNDialogVtbl recording_dialog_vtbl = {BASE_SLOTS(), create_page, on_ok, on_cancel, on_apply};

EXPORT void* PlugIn_GetObject(const char* name)
{
    if (setting_int("NO_BASE", 0) != 0) {
        journal("GetObject %s -> null", name);
        return NULL;
    }
    RecordingPlugin* p = (RecordingPlugin*)calloc(1, sizeof *p);
    if (p == NULL) return NULL;
    p->extend.vtbl = &recording_extend_vtbl;
    p->info.vtbl = &recording_info_vtbl;
    p->dialog.vtbl = &recording_dialog_vtbl;
    p->mode = setting_int("MODE", 0);
    journal("GetObject %s", name);
    void* out = NULL;
    if (query_interface((IVARNPlugin*)&p->extend, name, &out) != VARN_QI_FOUND) {
        free(p);
        return NULL;
    }
    return out;
}

__attribute__((destructor)) static void on_unload(void)
{
    journal("unload");
}
