/* trn_chain: roller chain drives, call form C. */
#include <stdio.h>
#include <trn_module.h>

TRN_EXPORT TrnResult TRN_CALL TrnRun_Chain(TrnWindowHandle owner, char* dataFileName)
{
    (void)owner; /* the launcher's window: the owner of any window shown */
    /* Read dataFileName ("" after Run in the window), calculate, show the
     * results in a modal window: return only when the work is done. */
    printf("trn_chain: calculating \"%s\"\n", dataFileName);
    fflush(stdout);
    return 1;
}
