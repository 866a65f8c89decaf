// Marks the symbols libvantrel exports; everything else stays internal, so
// calls inside the library bind directly instead of going through the PLT.
#pragma once

#if defined(__GNUC__)
#define VANTREL_API __attribute__((visibility("default")))
#else
#define VANTREL_API
#endif
