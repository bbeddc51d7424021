/* The personality plug-in's interface: ten exports a host calls to list the option pages,
 * check their controls and move a personality between a radio or an image file and the
 * host, and two of this program's own (TwSetHost, TwLastOutcome).
 *
 * The host objects are small C structs: a version (TW_HOST_OBJECT_VERSION), the host's
 * context pointer passed back to every callback, and the callbacks. A newer version only
 * appends members, and the plug-in reads an appended member only from an object whose version
 * has it, so a host built for an older version keeps working. Every callback is made on the
 * thread that called the export. The personality is a CPersonality of the shared store
 * library (libtunewright-pstore.so). */
#ifndef TUNEWRIGHT_PLUGIN_H
#define TUNEWRIGHT_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
namespace tw {
class CPersonality;
}
typedef tw::CPersonality TwPersonality;
extern "C" {
#else
typedef struct TwPersonality TwPersonality;
#endif

/* 2: TwHost.progress and TwHost.cancelRequested. 3: TwHost.askRisky and
 * TwHost.writeWithoutCopy. The other objects are as in version 1. */
#define TW_HOST_OBJECT_VERSION 3

/* The host's growable array of double words (tab ids). */
typedef struct TwDwordArray {
    int version;
    void* context;
    void (*setSize)(void* context, unsigned count);
    void (*setAt)(void* context, unsigned index, uint32_t value);
} TwDwordArray;

/* A list box: a page title per item, the item's data word its dialog id. */
typedef struct TwListBox {
    int version;
    void* context;
    int (*addString)(void* context, const char* text); /* index of the new item, < 0 failed */
    void (*setItemData)(void* context, int index, uint32_t data);
} TwListBox;

/* One control of a page. Texts are bytes (Latin-1), NUL-terminated. */
typedef struct TwControl {
    int version;
    void* context;
    int id;
    /* Copies at most size - 1 bytes and a NUL; returns the text's length. */
    int (*getText)(void* context, char* buffer, int size);
    int (*getChecked)(void* context);       /* 0 or 1 */
    int (*getSelectedIndex)(void* context); /* -1: nothing selected */
    int (*getItemCount)(void* context);     /* items of a drop-down list */
    void (*enable)(void* context, int on);
    void (*focus)(void* context);
    void (*deleteListItem)(void* context, int index);
} TwControl;

/* The controls of one page (or of the conventional channel dialog). */
typedef struct TwControlList {
    int version;
    int count;
    TwControl* const* controls;
} TwControlList;

/* What the host offers the plug-in; TwSetHost before anything else. Without it messages go
 * to standard error, questions are answered No, and port 1 is found the usual way. Any
 * callback may be null. */
typedef struct TwHost {
    int version;
    void* context;
    void (*message)(void* context, const char* text);
    int (*askYesNo)(void* context, const char* text); /* 1: Yes */
    void (*busy)(void* context, int on);
    void (*statusOpen)(void* context);
    void (*statusText)(void* context, const char* text);
    void (*statusClose)(void* context);
    /* Background detail (where a dump went, why a port did not open); may be null. */
    void (*detail)(void* context, const char* text);
    const char* device;     /* the device of port 1; null or "": the usual rule */
    const char* profile;    /* the profile file; null or "": the default */
    const char* dumpFolder; /* "read.hex"/"write.hex"; null or "": the state folder */

    /* Version 2 on; an object of version 1 ends before them. */

    /* How far a radio transfer is: `done` of `total` units (bytes, chunks). Each stage (the
     * image, its verify) starts at (0, total) and rises; (total, total) comes only when the
     * stage succeeded, a failure or cancel just stops. Costs the radio nothing. */
    void (*progress)(void* context, long done, long total);
    /* Asked while a radio transfer runs: at its start, after each exchange with the port and
     * every 50 ms of a wait or pause. Non-zero stops the transfer at its next command boundary
     * (a write command and its data still go out whole) and closes the port; the host is
     * told through `message` what the radio may hold now, and TwLastOutcome says
     * TW_OUTCOME_CANCELLED. One non-zero answer is kept for the rest of that transfer; the
     * next transfer asks afresh. */
    int (*cancelRequested)(void* context);

    /* Version 3 on; an object of version 1 or 2 ends before them. */

    /* A Yes/No question whose Yes puts what the radio holds at risk: writing to it when the
     * copy of what it held could not be read or kept. A host that answers every question of
     * a batch at once should not answer this one so. 1: Yes. Null, or a host of an older
     * version: the answer is No, and the question and that answer go to `message`. */
    int (*askRisky)(void* context, const char* text);
    /* Non-zero: such a write goes on without asking, and `detail` says so (for batch work). */
    int writeWithoutCopy;
} TwHost;

/* Outcomes of TwLastOutcome. CANCELLED: the technician declined a question, or the host's
 * cancelRequested stopped a radio transfer. */
#define TW_OUTCOME_DONE 0
#define TW_OUTCOME_FAILED 1
#define TW_OUTCOME_REFUSED 2
#define TW_OUTCOME_CANCELLED 3

int AddTabs(TwDwordArray* array);
int AddDlgs(unsigned tab, TwListBox* listBox);
int IsTransForID(uint16_t radioType);
uint32_t GetControlTrap(int32_t dialog, int32_t control);
int InitControl(int32_t dialog, int32_t control, TwControl* window, TwControlList* controls,
                TwPersonality* personality);
int ValidateField(int32_t dialog, int32_t control, TwControlList* controls,
                  TwPersonality* personality);
int GetRange(int32_t dialog, int32_t control, double* minimum, double* maximum, double* increment);
int ValidateConvChannel(TwPersonality* personality, TwControlList* dialog);
int ReadPers(TwPersonality* personality, int fromRadio, const char* path,
             const uint8_t* description);
int WritePers(TwPersonality* personality, unsigned idOverride, int toRadio, const char* path,
              const uint8_t* description);

void TwSetHost(const TwHost* host);
int TwLastOutcome(void);

#ifdef __cplusplus
}
#endif

#endif
