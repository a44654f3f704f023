// The application object's resource loaders, over the layer's icon and cursor loaders.
#include "platform/cursor.h"
#include "platform/dc.h"
#include "platform/win_app.h"

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    return ::LoadCursor(nIDResource);
}
