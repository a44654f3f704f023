// CProgressCtrl and the "msctls_progress32" window class over QProgressBar.
#include "platform/progress_ctrl.h"

#include "platform/private/window_bridge.h"
#include "platform/private/window_classes.h"

#include <QProgressBar>

#include <algorithm>

namespace {

class ProgressWindow : public Bridged<QProgressBar> {
public:
    explicit ProgressWindow(QWidget* parent) : Bridged<QProgressBar>(parent) {
        // The window system's bar shows no percentage, and starts at 0 in 0..100.
        setTextVisible(false);
        setRange(0, 100);
        setValue(0);
    }

    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case PBM_SETRANGE32: {
            const int low = static_cast<int>(wParam);
            const int high = static_cast<int>(lParam);
            const int pos = value();
            setRange(low, std::max(low, high));
            setValue(std::clamp(pos, minimum(), maximum()));
            return 0;
        }
        case PBM_GETRANGE:
            if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
                *range = PBRANGE{minimum(), maximum()};
            }
            return wParam ? minimum() : maximum();
        case PBM_SETPOS: {
            const int previous = value();
            setValue(std::clamp(static_cast<int>(wParam), minimum(), maximum()));
            return previous;
        }
        case PBM_GETPOS:
            return value();
        default:
            return WindowBridge::classProc(message, wParam, lParam);
        }
    }
};

} // namespace

QWidget* CreateProgressWindow(const WindowCreateParams& params) {
    auto* bar = new ProgressWindow(params.parent);
    bar->setWindowStyle(params.style);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

void CProgressCtrl::SetRange32(int nLower, int nUpper) {
    SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), static_cast<LPARAM>(nUpper));
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
    PBRANGE range;
    ::SendMessage(m_hWnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::SetPos(int nPos) {
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos)));
}

int CProgressCtrl::GetPos() const {
    return static_cast<int>(::SendMessage(m_hWnd, PBM_GETPOS));
}
