/* Stands in for the Windows launcher in the tests of derize-zizir-wine:
 * writes its command line, as the launcher reads it, to the file named by
 * DERIZE_RECORD_FILE (a Windows file name) and ends with the status in
 * DERIZE_EXIT_STATUS. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(void)
{
    const char* record = getenv("DERIZE_RECORD_FILE");
    const char* status = getenv("DERIZE_EXIT_STATUS");
    FILE* file;
    if (record != NULL && (file = fopen(record, "wb")) != NULL) {
        fputs(GetCommandLineA(), file);
        fclose(file);
    }
    return status != NULL ? atoi(status) : 0;
}
