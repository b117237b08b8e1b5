#pragma once

// Identifiers of the program's resources (derize-zizir.rc).
#define DERIZE_ICON 1
// The application manifest: the system reads the one of type RT_MANIFEST
// (24) and identifier 1 (CREATEPROCESS_MANIFEST_RESOURCE_ID) when the
// program starts.
#define DERIZE_MANIFEST 1
#define DERIZE_RT_MANIFEST 24

#ifndef RC_INVOKED
// The two pictures, bitmap resources (RT_BITMAP) by name.
#define DERIZE_ANI_IMAGE L"ANI_IMAGE"
#define DERIZE_TRANSMISSION L"TRANSMISSION"
#endif
