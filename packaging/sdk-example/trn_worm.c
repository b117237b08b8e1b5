/* A worm gear module built against the installed SDK. It does no
 * calculation: it writes the data file name it was given to the file named
 * by TRN_RECORD_FILE, so that the package checks can see it was called. */
#include <stdio.h>
#include <stdlib.h>
#include <trn_module.h>

TRN_EXPORT TrnResult TRN_CALL TrnRun_Worm(TrnWindowHandle owner, char* dataFileName,
                                          const char** resultText1)
{
    const char* record = getenv("TRN_RECORD_FILE");
    FILE* file;
    (void)owner;
    if (record != NULL && (file = fopen(record, "a")) != NULL) {
        fprintf(file, "call TrnRun_Worm name=%s slot1=%s\n", dataFileName,
                resultText1 != NULL ? "set" : "(nil)");
        fclose(file);
    }
    return 1;
}
