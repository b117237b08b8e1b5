/* trn_worm: cylindrical worm gear pairs, call form B. */
#include <stdio.h>
#include <trn_module.h>

TRN_EXPORT TrnResult TRN_CALL TrnRun_Worm(TrnWindowHandle owner, char* dataFileName,
                                          const char** resultText1)
{
    (void)owner;       /* the launcher's window: the owner of any window shown */
    (void)resultText1; /* left as it is: no result text */
    /* Read dataFileName ("" after Run in the window), calculate, show the
     * results in a modal window: return only when the work is done. */
    printf("trn_worm: calculating \"%s\"\n", dataFileName);
    fflush(stdout);
    return 1;
}
