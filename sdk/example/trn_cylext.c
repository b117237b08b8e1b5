/* trn_cylext: external cylindrical gear pairs, call form A. */
#include <stdio.h>
#include <trn_module.h>

TRN_EXPORT TrnResult TRN_CALL TrnRun_CylExt(TrnWindowHandle owner, char* dataFileName,
                                            const char** resultText1, const char** resultText2)
{
    (void)owner;       /* the launcher's window: the owner of any window shown */
    (void)resultText1; /* left as they are: no result texts */
    (void)resultText2;
    /* Read dataFileName ("" after Run in the window), calculate, show the
     * results in a modal window: return only when the work is done. */
    printf("trn_cylext: calculating \"%s\"\n", dataFileName);
    fflush(stdout);
    return 1;
}
