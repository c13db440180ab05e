/**
 * @file app_capi.h
 * C functions to read the calling thread's error stack, to redirect the
 * library's log, and to ask the library's version.
 *
 * Every interface function that fails pushes the reason onto the stack of
 * the thread that called it; read it right after the failure. A later call
 * that succeeds does not remove it, so clear the stack (app_clearErrors)
 * before a call whose failure you want to tell apart from older ones.
 */
#ifndef VELKORA_PLATFORM_APP_APP_CAPI_H
#define VELKORA_PLATFORM_APP_APP_CAPI_H

#include "velkora/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Receives one piece of log text and the pointer given to app_setLogWriter().
 *  @param text      the text, NUL-terminated, valid only during the call;
 *                   line breaks are part of it, mostly at its start
 *  @param userData  the `userData` given to app_setLogWriter() */
typedef void (*velkora_LogWriter)(const char* text, void* userData);

/** Number of entries on the calling thread's error stack.
 *  @return the count, 0 to 100 (beyond 100 the oldest entries are dropped);
 *          this function cannot fail */
VELKORA_EXPORT int app_errorCount(void);

/** Copies the newest entry of the calling thread's error stack into a buffer.
 *  The entry stays on the stack (app_popError removes it).
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the text, truncated to `buflen` - 1 characters and
 *                 NUL-terminated; may be NULL when `buflen` is 0
 *  @return the buffer size that holds the whole text with its NUL (1 for an
 *          empty stack), whatever `buflen` is; -1 for a negative `buflen` */
VELKORA_EXPORT int app_lastError(int buflen, char* buf);

/** Removes the newest entry of the calling thread's error stack, if any.
 *  @return the number of entries left; this function cannot fail */
VELKORA_EXPORT int app_popError(void);

/** Removes every entry of the calling thread's error stack.
 *  @return 0; this function cannot fail */
VELKORA_EXPORT int app_clearErrors(void);

/** Copies the version of the library that is running, "major.minor.patch",
 *  into a buffer. Compare it with VELKORA_VERSION_STRING of velkora/version.h
 *  to check that headers and library agree.
 *  @param buflen  size of `buf` in bytes; 0 writes nothing
 *  @param buf     receives the text, truncated and NUL-terminated as for
 *                 app_lastError(); may be NULL when `buflen` is 0
 *  @return the buffer size that holds the whole text with its NUL; -1 for a
 *          negative `buflen` */
VELKORA_EXPORT int app_version(int buflen, char* buf);

/** Sends all further log text of the process to `writer`.
 *  @param writer    called once per piece of log text, from the thread that
 *                   writes it, one call at a time; NULL sends the log to
 *                   standard output again
 *  @param userData  passed to every call of `writer`
 *  @return 0; -999 if the writer cannot be installed (out of memory) */
VELKORA_EXPORT int app_setLogWriter(velkora_LogWriter writer, void* userData);

#ifdef __cplusplus
}
#endif

#endif
