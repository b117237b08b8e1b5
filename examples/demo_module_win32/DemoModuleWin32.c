/*
 * DemoModuleWin32.c - the demo calculation module of the Windows launcher,
 * in plain Win32 C (the contract is in the SDK's trn_module.h).
 *
 * It calculates nothing. It shows a message box owned by the owner window
 * it is given, naming the kind and the data file it was handed, and
 * returns 1 when the box was shown. The result-text slots are left alone.
 *
 * This one source is built once per kind (see CMakeLists.txt beside it);
 * compile definitions choose the kind:
 *   TRN_DEMO_KIND_INDEX   0 to 7, the kind's position in the launcher's list
 *   TRN_DEMO_ENTRY        the entry point, e.g. TrnRun_Worm
 *   TRN_DEMO_FORM_A, TRN_DEMO_FORM_B or TRN_DEMO_FORM_C: its call form
 *
 * Environment:
 *   TRN_DEMO_AUTOCLOSE_MS=<n>   the box closes by itself after n
 *                               milliseconds (0 to 3600000), so that scripts,
 *                               tests and CI never wait for a click.
 *
 * The library is unloaded as soon as the entry point returns, so the
 * autoclose timer, whose procedure lives here, is killed before returning.
 */
#include "../DemoKind.h"

#include <stdlib.h>
#include <string.h>
#include <trn_module.h>
#include <windows.h>

static const char BoxTitle[] = "Демонстрационный модуль";
static const char KindLabel[] = "Вид передачи: ";
static const char FileLabel[] = "\nФайл данных: ";
static const char NoFile[] = "файл данных не передан";
static const char EntryLabel[] = "\nТочка входа: " TRN_DEMO_ENTRY_NAME;

#define MAX_AUTOCLOSE_MS 3600000L

/* Room for the labels, the longest kind name and a 259-byte file name. */
#define BOX_TEXT_SIZE 1024

typedef struct
{
    wchar_t text[BOX_TEXT_SIZE];
    int length;
} WideText;

/* Appends `bytes` converted from `codePage`; what does not fit is left out. */
static void append(WideText* out, UINT codePage, const char* bytes, int count)
{
    int room = BOX_TEXT_SIZE - 1 - out->length;
    if (count <= 0 || room <= 0) {
        return;
    }
    int added = MultiByteToWideChar(codePage, 0, bytes, count, out->text + out->length, room);
    if (added > 0) {
        out->length += added;
    }
    out->text[out->length] = L'\0';
}

static void appendUtf8(WideText* out, const char* text)
{
    append(out, CP_UTF8, text, (int)strlen(text));
}

/* The data file name as it came from the ANSI command line: its bytes
 * decoded with the system's ANSI code page, control characters shown as
 * U+FFFD. */
static void appendFileName(WideText* out, const char* name, int length)
{
    int start = out->length;
    append(out, CP_ACP, name, length);
    for (int i = start; i < out->length; ++i) {
        if (out->text[i] < 0x20 || out->text[i] == 0x7f) {
            out->text[i] = 0xfffd;
        }
    }
}

/* The autoclose delay from TRN_DEMO_AUTOCLOSE_MS, or -1 when it is unset or
 * not a whole number of milliseconds in range. */
static long autoCloseMs(void)
{
    char value[32];
    DWORD length = GetEnvironmentVariableA("TRN_DEMO_AUTOCLOSE_MS", value, sizeof value);
    if (length == 0 || length >= sizeof value) {
        return -1;
    }
    char* end = NULL;
    long ms = strtol(value, &end, 10);
    if (*end != '\0' || ms < 0 || ms > MAX_AUTOCLOSE_MS) {
        return -1;
    }
    return ms;
}

static wchar_t g_title[64];
static HWND g_owner;

static BOOL CALLBACK closeIfOurBox(HWND window, LPARAM found)
{
    wchar_t className[16];
    wchar_t title[64];
    if (GetClassNameW(window, className, 16) && wcscmp(className, L"#32770") == 0 &&
        GetWindow(window, GW_OWNER) == g_owner && GetWindowTextW(window, title, 64) &&
        wcscmp(title, g_title) == 0) {
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        *(BOOL*)found = TRUE;
        return FALSE;
    }
    return TRUE;
}

/* Runs inside the box's own message loop; tries again at the next tick
 * until the box is there. */
static void CALLBACK autoClose(HWND window, UINT message, UINT_PTR timer, DWORD time)
{
    BOOL found = FALSE;
    (void)window;
    (void)message;
    (void)time;
    EnumThreadWindows(GetCurrentThreadId(), closeIfOurBox, (LPARAM)&found);
    if (found) {
        KillTimer(NULL, timer);
    }
}

static TrnResult runDemo(TrnWindowHandle owner, const char* dataFileName)
{
    WideText text = {{0}, 0};
    appendUtf8(&text, KindLabel);
    appendUtf8(&text, TRN_DEMO_KIND_NAME);
    appendUtf8(&text, FileLabel);
    /* The name lies in a TRN_MAX_PATH buffer; never read past it, even if
     * its terminating null were missing. */
    int length = (int)strnlen(dataFileName, TRN_MAX_PATH - 1);
    if (length == 0) {
        appendUtf8(&text, NoFile);
    } else {
        appendFileName(&text, dataFileName, length);
    }
    appendUtf8(&text, EntryLabel);

    MultiByteToWideChar(CP_UTF8, 0, BoxTitle, -1, g_title, 64);
    /* A handle that is no window (a caller other than the launcher) gives
     * a box without an owner rather than no box. */
    g_owner = IsWindow((HWND)owner) ? (HWND)owner : NULL;

    UINT_PTR timer = 0;
    long closeAfter = autoCloseMs();
    if (closeAfter >= 0) {
        timer = SetTimer(NULL, 0, (UINT)closeAfter, autoClose);
    }
    int answer = MessageBoxW(g_owner, text.text, g_title, MB_OK | MB_ICONINFORMATION);
    if (timer != 0) {
        KillTimer(NULL, timer);
    }
    return answer != 0 ? 1 : 0;
}

/* The entry point, with exactly the arguments of its call form. */
#if defined(TRN_DEMO_FORM_A)
TRN_EXPORT TrnResult TRN_CALL TRN_DEMO_ENTRY(TrnWindowHandle owner, char* dataFileName,
                                             const char** resultText1, const char** resultText2)
{
    (void)resultText1;
    (void)resultText2;
    return runDemo(owner, dataFileName);
}
/* A definition that does not match its form does not compile. */
static __attribute__((unused)) const TrnRunFormA EntryOfItsForm = TRN_DEMO_ENTRY;
#elif defined(TRN_DEMO_FORM_B)
TRN_EXPORT TrnResult TRN_CALL TRN_DEMO_ENTRY(TrnWindowHandle owner, char* dataFileName,
                                             const char** resultText1)
{
    (void)resultText1;
    return runDemo(owner, dataFileName);
}
static __attribute__((unused)) const TrnRunFormB EntryOfItsForm = TRN_DEMO_ENTRY;
#elif defined(TRN_DEMO_FORM_C)
TRN_EXPORT TrnResult TRN_CALL TRN_DEMO_ENTRY(TrnWindowHandle owner, char* dataFileName)
{
    return runDemo(owner, dataFileName);
}
static __attribute__((unused)) const TrnRunFormC EntryOfItsForm = TRN_DEMO_ENTRY;
#else
#error "one of TRN_DEMO_FORM_A, TRN_DEMO_FORM_B, TRN_DEMO_FORM_C must be defined"
#endif
