/**
 * @file app_capi.h
 * C functions to read the calling thread's error stack and to redirect the
 * library's log. Every interface function that fails pushes the reason onto
 * the stack of the thread that called it; read it right after the failure.
 */
#ifndef VELKORA_PLATFORM_APP_APP_CAPI_H
#define VELKORA_PLATFORM_APP_APP_CAPI_H

#ifdef __cplusplus
extern "C" {
#endif

/** Receives one piece of log text (NUL-terminated) and the pointer given to
 *  app_setLogWriter(). */
typedef void (*velkora_LogWriter)(const char* text, void* userData);

/** Number of entries on the calling thread's error stack (at most 100: the
 *  oldest are dropped first). */
int app_errorCount(void);

/** Copies the newest entry of the calling thread's error stack into `buf`
 *  (`buflen` bytes, truncated, NUL-terminated) and returns the buffer size
 *  that holds all of it. An empty stack gives the empty text (result 1).
 *  Returns -1 for a negative `buflen`. */
int app_lastError(int buflen, char* buf);

/** Removes the newest entry, if any; returns the number of entries left. */
int app_popError(void);

/** Removes every entry of the calling thread's error stack; returns 0. */
int app_clearErrors(void);

/** Copies the version of the library that is running, "major.minor.patch",
 *  into `buf` (`buflen` bytes, truncated, NUL-terminated) and returns the
 *  buffer size that holds all of it. Compare it with VELKORA_VERSION_STRING
 *  of velkora/version.h to check that headers and library agree. Returns -1
 *  for a negative `buflen`. */
int app_version(int buflen, char* buf);

/** Sends all further log text to `writer`, called with `userData`; NULL
 *  sends it to standard output again. Returns 0. */
int app_setLogWriter(velkora_LogWriter writer, void* userData);

#ifdef __cplusplus
}
#endif

#endif
