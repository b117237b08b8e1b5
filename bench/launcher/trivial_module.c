/* A calculation module that does nothing: what is measured around it is
   the launcher's own cost of loading, calling and unloading a module. */
#include <trn_module.h>

TRN_EXPORT TrnResult TRN_CALL TrnRun_CylExt(TrnWindowHandle owner, char* dataFileName,
                                            const char** slot1, const char** slot2)
{
    (void)owner;
    (void)dataFileName;
    (void)slot1;
    (void)slot2;
    return 1;
}
