/*
 * trn_module.h - the call contract between the DERIZE-Zizir launcher and a
 * calculation module.
 *
 * A calculation module is a shared library (trn_worm.so on Linux,
 * trn_worm.dll on Windows) that exports exactly one entry point. The
 * launcher loads the library when the user presses Run (or when a data file
 * of the module's kind is named on the command line), looks the entry point
 * up by its exact, case-sensitive name, calls it once and unloads the
 * library as soon as the entry point returns. Nothing of a module may
 * outlive that call: no threads, timers or objects still referring to the
 * module's code. The next run loads the library afresh.
 *
 * Library names, entry-point names and call forms:
 *
 *   library          entry point          form  kind
 *   trn_cylext       TrnRun_CylExt        A     external cylindrical gear pair
 *   trn_cylint       TrnRun_CylInt        A     internal cylindrical gear pair
 *   trn_bevspir      TrnRun_BevSpir       A     bevel gear pair, circular teeth
 *   trn_bevstr       TrnRun_BevStr        A     bevel gear pair, straight teeth
 *   trn_worm         TrnRun_Worm          B     cylindrical worm gear pair
 *   trn_chain        TrnRun_Chain         C     roller chain drive
 *   trn_vbelt        TrnRun_VBelt         C     V-belt drive
 *   trn_tbelt        TrnRun_TBelt         C     toothed (synchronous) belt drive
 *
 * Every entry point returns a one-byte flag. The launcher does not act on
 * it. The argument lists are fixed by existing modules: form B has exactly
 * three arguments and form C exactly two. With the stdcall convention of
 * 32-bit Windows the called function removes its own arguments from the
 * stack, so an entry point declared with the wrong form corrupts the caller.
 *
 * Arguments:
 *
 *   owner         The launcher window that the module's own windows are to
 *                 be owned by. On Windows it is the HWND. On Linux it is the
 *                 native window id of the launcher window (QWidget::winId(),
 *                 an X11 window id under X11) stored in a pointer-sized value;
 *                 a module built with the same Qt finds the QWidget with
 *                 QWidget::find((WId)(uintptr_t)owner).
 *
 *   dataFileName  Address of a null-terminated 8-bit text: the data file
 *                 named on the launcher's command line, byte for byte as the
 *                 user gave it (made absolute when it had no directory part),
 *                 or the empty text "" when the user pressed Run in the
 *                 window. Never a null pointer. It lies in a buffer of
 *                 TRN_MAX_PATH bytes that the launcher owns and that lives
 *                 only for the duration of the call; copy it if you need it
 *                 later. The launcher does not read the buffer back.
 *
 *   resultText1,  Addresses of pointer-sized variables owned by the
 *   resultText2   launcher. A module may store there the address of a
 *                 null-terminated text. Both variables live for the whole
 *                 launcher process and start out null; every run of every
 *                 kind is given the same two addresses, and the launcher
 *                 never resets them, so a module may find there what an
 *                 earlier run (of any kind) stored. The launcher never reads
 *                 or frees the texts. A text stored there must stay valid
 *                 after the module is unloaded if a later run is to read it:
 *                 point at static storage only while the library is loaded,
 *                 and prefer memory allocated with the C library's malloc.
 *
 * An error that escapes an entry point (a C++ exception, for example) is
 * reported by the launcher as a failed run and the library is then left
 * loaded; a well-behaved module catches its own errors and returns.
 */
#ifndef TRN_MODULE_H
#define TRN_MODULE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Calling convention of entry points: stdcall on 32-bit Windows, the
 * platform's default everywhere else. */
#if defined(_WIN32) && !defined(_WIN64)
#if defined(_MSC_VER)
#define TRN_CALL __stdcall
#else
#define TRN_CALL __attribute__((stdcall))
#endif
#else
#define TRN_CALL
#endif

/* Marks the entry point as exported from the module library. On Windows
 * with MinGW, link with -Wl,--kill-at so that the export carries the plain
 * name (TrnRun_Worm, not TrnRun_Worm@12). */
#if defined(_WIN32)
#define TRN_EXPORT __declspec(dllexport)
#elif defined(__GNUC__)
#define TRN_EXPORT __attribute__((visibility("default")))
#else
#define TRN_EXPORT
#endif

/* Size of the buffer that holds the data file name, terminating null
 * included: a name handed to a module is at most TRN_MAX_PATH - 1 bytes. */
#define TRN_MAX_PATH 260

/* The owner window (see above). */
typedef void* TrnWindowHandle;

/* One-byte result flag of every entry point. */
typedef unsigned char TrnResult;

/* Form A: gear pairs (cylindrical and bevel). */
typedef TrnResult(TRN_CALL* TrnRunFormA)(TrnWindowHandle owner, char* dataFileName,
                                         const char** resultText1, const char** resultText2);

/* Form B: the worm gear pair. */
typedef TrnResult(TRN_CALL* TrnRunFormB)(TrnWindowHandle owner, char* dataFileName,
                                         const char** resultText1);

/* Form C: chain and belt drives. */
typedef TrnResult(TRN_CALL* TrnRunFormC)(TrnWindowHandle owner, char* dataFileName);

/* Entry-point names, exactly as the launcher looks them up. */
#define TRN_ENTRY_CYLEXT "TrnRun_CylExt"
#define TRN_ENTRY_CYLINT "TrnRun_CylInt"
#define TRN_ENTRY_BEVSPIR "TrnRun_BevSpir"
#define TRN_ENTRY_BEVSTR "TrnRun_BevStr"
#define TRN_ENTRY_WORM "TrnRun_Worm"
#define TRN_ENTRY_CHAIN "TrnRun_Chain"
#define TRN_ENTRY_VBELT "TrnRun_VBelt"
#define TRN_ENTRY_TBELT "TrnRun_TBelt"

/*
 * A module declares its entry point like this (form B shown):
 *
 *   #include <trn_module.h>
 *
 *   TRN_EXPORT TrnResult TRN_CALL TrnRun_Worm(TrnWindowHandle owner,
 *                                             char *dataFileName,
 *                                             const char **resultText1)
 *   {
 *       ...
 *       return 1;
 *   }
 */

#ifdef __cplusplus
}
#endif

#endif /* TRN_MODULE_H */
