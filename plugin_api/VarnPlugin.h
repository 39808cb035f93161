/*
 * VarnPlugin.h - the contract between the Velmar host and its plug-in libraries.
 *
 * Plain C, usable from C and C++. Nothing else of either side is visible to the
 * other: one exported entry function, four interfaces found by name strings,
 * the command strings the host sends, and one callback through which a plug-in
 * reports events to the host.
 *
 * Interfaces are tables of function pointers. An interface pointer points at an
 * object whose first member is a pointer to its table; each derived table begins
 * with the whole IVARNPluginVtbl, so any interface pointer may be used as an
 * IVARNPlugin pointer for the first four operations.
 *
 * One plug-in object implements every interface it offers, and every pointer
 * obtained from it shares one reference count. All calls happen on the host's
 * user-interface thread; nothing is locked.
 *
 * Strings are NUL-terminated UTF-8. Every integer argument and result is a
 * 32-bit signed integer, except the two values of SendCommand, which also carry
 * window handles and pointers and are therefore pointer-wide (intptr_t).
 * A window handle is the host toolkit's widget pointer (a QWidget*) carried
 * in a pointer-sized value.
 */
#ifndef VARN_PLUGIN_H
#define VARN_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Names ------------------------------------------------------------ */

/* Interface names: compared exactly, case and terminator included. */
#define VARN_IID_PLUGIN "IVARNPlugin"
#define VARN_IID_EXTEND "IVARNExtend"
#define VARN_IID_INFO   "IVARNInfo"
#define VARN_IID_DIALOG "IVARNDialog"

/* The one export of every plug-in library, resolved with dlsym. */
#define VARN_ENTRY_NAME "PlugIn_GetObject"

/* A plug-in identifier (upper-case, ending in "_PLUGIN") fits this buffer
 * with its terminator: the host's smallest name buffer. */
#define VARN_NAME_BUFFER_SIZE 52

/* The host's two document buffers. Every data document must fit the smaller
 * one with its terminator; the larger one serves the plug-in view's fetch. */
#define VARN_DATA_BUFFER_SIZE       20480
#define VARN_LARGE_DATA_BUFFER_SIZE 51200

/* Plug-in identifiers that the host treats specially. */
#define VARN_PLUGIN_VOICE     "VOICE_PLUGIN"
#define VARN_PLUGIN_COURIER   "COURIER_PLUGIN"
#define VARN_PLUGIN_CHAT      "CHAT_PLUGIN"
#define VARN_PLUGIN_KAVOCLOCK "KAVOCLOCK_PLUGIN"
#define VARN_PLUGIN_OCCTRL    "VARNOCCTRL_PLUGIN"
#define VARN_PLUGIN_AUTOPACE  "VARNAUTOPACE_PLUGIN"
#define VARN_PLUGIN_EQ        "VARNEQ_PLUGIN"
#define VARN_PLUGIN_OCKAVO    "VARNOCKAVO_PLUGIN"

/* Commands the host sends through IVARNExtend.SendCommand(command, value1, value2).
 * A command a plug-in does not know is ignored and answered with 0. */
#define VARN_CMD_INITIAL_PLUGIN       "INITIAL_PLUGIN"       /* v1 main window; result 0 = refuse to run */
#define VARN_CMD_GETCURR_MODE         "GETCURR_MODE"         /* v1 int32_t* receiving the current mode */
#define VARN_CMD_CHANGE_MODE          "CHANGE_MODE"          /* v1 mode number 0-6 */
#define VARN_CMD_TEST_MODE            "TEST_MODE"            /* after a "DLG_CHANGED" with value 1 */
#define VARN_CMD_START_AUTOPACE       "START_AUTOPACE"
#define VARN_CMD_STOP_AUTOPACE        "STOP_AUTOPACE"
#define VARN_CMD_SET_TEMPERATURE_DISP "SET_TEMPERATURE_DISP" /* v1 non-zero = Fahrenheit, 0 = Celsius */
#define VARN_CMD_SET_PARENT           "SET_PARENT"           /* v1 the settings dialog's window */
#define VARN_CMD_RESET_PARENT         "RESET_PARENT"
#define VARN_CMD_SUSPEND_EVENT        "SUSPEND_EVENT"        /* v1 4 = suspending, 7 = resumed */

/* Events plug-ins report through PluginEventCallback(sender, event, 0, value, 0). */
#define VARN_EVT_DLG_CHANGED          "DLG_CHANGED"          /* value 0, or 1 = next mode step tests first */
#define VARN_EVT_HARDWARE_WARNING     "HARDWARE_WARNING"     /* value 1 = on, 0 = off */
#define VARN_EVT_CHANGE_MODE_AUTOPACE "CHANGE_MODE_AUTOPACE" /* value mode 0-6 */
#define VARN_EVT_EXTERNAL_MODE_CHANGE "EXTERNAL_MODE_CHANGE"

/* QueryInterface results. */
#define VARN_QI_FOUND     0
#define VARN_QI_NOT_FOUND 1

/* ---- Types ------------------------------------------------------------ */

typedef intptr_t VARN_VALUE;  /* a SendCommand value: integer, window or pointer */
typedef void*    VARN_WINDOW; /* a window handle (QWidget*) */

/*
 * The host's event function. sender: the plug-in's identifier; event: one of
 * the VARN_EVT_ names; extra1 and extra2: pass 0 (the host ignores them);
 * value: event-specific. Returns 0. Call it only after SetCallback gave it to
 * you, and only on the thread on which the host called you; it may re-enter
 * the plug-in.
 */
typedef int32_t (*PluginEventCallback)(const char* sender, const char* event,
                                       int32_t extra1, int32_t value, int32_t extra2);

typedef struct IVARNPlugin IVARNPlugin;
typedef struct IVARNExtend IVARNExtend;
typedef struct IVARNInfo   IVARNInfo;
typedef struct IVARNDialog IVARNDialog;

/* IVARNPlugin: identity, lookup, lifetime. Slots 0-3 of every interface. */
typedef struct IVARNPluginVtbl {
    /* Slot 0. Looks up the interface called name (compared exactly, in the
     * order "IVARNExtend", "IVARNDialog", "IVARNInfo", "IVARNPlugin"; a query
     * for "IVARNPlugin" answers with the IVARNExtend pointer when the object
     * has one). *out is set to null first; on a match it receives the
     * interface, the shared count is raised by one and VARN_QI_FOUND (0) is
     * returned; otherwise VARN_QI_NOT_FOUND (1). The caller releases what it
     * received. */
    int32_t (*QueryInterface)(IVARNPlugin* self, const char* name, void** out);
    /* Slot 1. Raises the shared count; returns the new count. */
    int32_t (*AddRef)(IVARNPlugin* self);
    /* Slot 2. Lowers the shared count; returns the new count, taken before the
     * object is destroyed. At 0 the object destroys itself (closing its page
     * if one exists) and no pointer to it may be used again. */
    int32_t (*Release)(IVARNPlugin* self);
    /* Slot 3. Copies the plug-in identifier with its terminator into buffer,
     * which holds VARN_NAME_BUFFER_SIZE bytes. Returns 0. */
    int32_t (*GetName)(IVARNPlugin* self, char* buffer);
} IVARNPluginVtbl;

struct IVARNPlugin { const IVARNPluginVtbl* vtbl; };

/* IVARNExtend: commands from the host and the event callback. */
typedef struct IVARNExtendVtbl {
    IVARNPluginVtbl base;
    /* Slot 4. Runs one host command (VARN_CMD_ names, or a navigation
     * command of the host's page addressed to this plug-in). The result is
     * command-specific; 0 where the command defines none or is unknown. */
    int32_t (*SendCommand)(IVARNExtend* self, const char* command,
                           VARN_VALUE value1, VARN_VALUE value2);
    /* Slot 5. Registers the host's event function; reserved is 0 and ignored.
     * Returns 0. */
    int32_t (*SetCallback)(IVARNExtend* self, int32_t reserved,
                           PluginEventCallback callback);
} IVARNExtendVtbl;

struct IVARNExtend { const IVARNExtendVtbl* vtbl; };

/* IVARNInfo: the plug-in's XML data document. */
typedef struct IVARNInfoVtbl {
    IVARNPluginVtbl base;
    /* Slot 4. Writes the data document (root "VARN_PLUGIN"), NUL-terminated,
     * into buffer, which holds at least VARN_DATA_BUFFER_SIZE bytes; the
     * document must fit that size with its terminator. mode is the host's
     * current operating mode, or 0. The host ignores the result. */
    int32_t (*GetData)(IVARNInfo* self, char* buffer, int32_t mode);
} IVARNInfoVtbl;

struct IVARNInfo { const IVARNInfoVtbl* vtbl; };

/* IVARNDialog: the plug-in's page in the host's settings dialog. */
typedef struct IVARNDialogVtbl {
    IVARNPluginVtbl base;
    /* Slot 4. Returns the page's window. The first call creates it hidden as
     * a child of parent (the host places and shows it); later calls return
     * the same page and create nothing. The page belongs to the plug-in. */
    VARN_WINDOW (*CreatePage)(IVARNDialog* self, VARN_WINDOW parent);
    /* Slot 5. If the page exists: commits its edits (stores and applies
     * them), then closes and destroys it. Always releases one reference,
     * page or not: the one the host took for the settings dialog. */
    int32_t (*OnOK)(IVARNDialog* self);
    /* Slot 6. If the page exists: closes and destroys it without committing.
     * Always releases one reference. */
    int32_t (*OnCancel)(IVARNDialog* self);
    /* Slot 7. If the page exists: commits its edits and keeps it open.
     * Releases nothing. */
    int32_t (*OnApply)(IVARNDialog* self);
} IVARNDialogVtbl;

struct IVARNDialog { const IVARNDialogVtbl* vtbl; };

/*
 * The entry function every plug-in library exports as "PlugIn_GetObject".
 * Each call creates a new plug-in object with count 0 and queries it for
 * name: on success the count is 1 and the interface is returned; a name that
 * matches none of the four gives null and the object is discarded. The host
 * calls it once per library with "IVARNPlugin".
 */
typedef void* (*PlugIn_GetObjectFn)(const char* name);

#ifdef __cplusplus
}
#endif

#endif /* VARN_PLUGIN_H */
