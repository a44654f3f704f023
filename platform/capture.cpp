// Mouse capture: the layer keeps the holder itself and asks Qt to route the mouse there.
#include "platform/private/capture.h"

#include "platform/private/window_bridge.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget> g_holder;
bool g_changing = false;

void Notify(QWidget* loser, HWND gainer) {
    if (WindowBridge* bridge = WindowBridge::Of(loser)) {
        bridge->send(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(gainer));
    }
}
} // namespace

HWND GetCapture() {
    return g_holder.data();
}

HWND SetCapture(HWND hWnd) {
    QWidget* previous = g_holder.data();
    if (previous && previous != hWnd && !g_changing) {
        // The loser hears of it while it still holds the capture, so a release from its
        // handler gives up its own capture and not the new holder's.
        g_changing = true;
        Notify(previous, hWnd);
        g_changing = false;
        if (g_holder == previous) {
            previous->releaseMouse();
            g_holder = nullptr;
        }
    }
    g_holder = hWnd;
    if (hWnd && hWnd->isVisible()) {
        hWnd->grabMouse();
    }
    QueuePointerMove();
    return previous;
}

BOOL ReleaseCapture() {
    QWidget* loser = g_holder.data();
    if (!loser) {
        return TRUE;
    }
    g_holder = nullptr;
    loser->releaseMouse();
    if (!g_changing) {
        Notify(loser, nullptr);
    }
    QueuePointerMove();
    return TRUE;
}

void ForgetCaptureHolder(HWND hWnd) {
    if (g_holder == hWnd) {
        hWnd->releaseMouse();
        g_holder = nullptr;
    }
}
