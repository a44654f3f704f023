// The layer's own accessibility interfaces (radio buttons, links), installed once before the
// first window of a kind that needs them is made.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

void InstallAccessibleWindows();
