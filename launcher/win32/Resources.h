#pragma once

// Identifiers of the program's resources (derize-zizir.rc).
#define DERIZE_ICON 1

#ifndef RC_INVOKED
// The two pictures, RCDATA resources by name.
#define DERIZE_ANI_IMAGE L"ANI_IMAGE"
#define DERIZE_TRANSMISSION L"TRANSMISSION"
#endif
