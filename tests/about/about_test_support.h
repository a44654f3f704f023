// Helpers of the About box tests: a box whose credits can be replaced line by line and whose
// fetches are logged with the tick they happened on, stepped one timer message at a time.
#pragma once

#include "about/about_dlg.h"
#include "about/credits.h"
#include "tests/support/image_ink.h"

#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

struct Fetch {
    int tick;
    int index;
    bool operator==(const Fetch& o) const { return tick == o.tick && index == o.index; }
};

class ScriptedAboutDlg : public CAboutDlg {
public:
    // Entries to use instead of the built-in ones, by index.
    std::map<int, std::string> replaced;
    mutable std::vector<Fetch> fetches;
    int ticks = 0;

    // Builds and shows the box and runs the painting pass that showing it brings. Time is
    // stepped by the test alone: the box's own 40 ms timer is stopped unless asked for.
    bool Open(bool keepTimer = false) {
        if (!Create(IDD)) {
            return false;
        }
        if (!keepTimer) {
            KillTimer(kCreditsTimer);
        }
        ShowWindow(SW_SHOW);
        Paint();
        return true;
    }
    // One timer tick followed by the painting pass it asks for.
    void Tick() {
        TickUnpainted();
        Paint();
    }
    // One timer tick and no painting pass.
    void TickUnpainted() {
        ++ticks;
        SendMessage(WM_TIMER, kCreditsTimer);
    }
    void TickUntil(int tick) {
        while (ticks < tick) {
            Tick();
        }
    }
    void Paint() { SendMessage(WM_PAINT); }

    QWidget* Credits() const { return m_hWnd->findChild<QWidget*>("IDC_CREDITS"); }
    // The credits area as it shows on the screen, client area only.
    QImage CreditsImage() const {
        const QImage all = Credits()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return all.copy(ClientRect());
    }
    QRect ClientRect() const {
        return QRect(m_rcScroll.left, m_rcScroll.top, m_rcScroll.right - m_rcScroll.left,
                     m_rcScroll.bottom - m_rcScroll.top);
    }
    bool BitmapShowing() const { return m_bBitmapShowing != FALSE; }
    int Risen() const { return m_nRisen; }

protected:
    CString GetCreditsEntry(int nIndex) const override {
        fetches.push_back({ticks, nIndex});
        auto it = replaced.find(nIndex);
        return it != replaced.end() ? CString(it->second) : CAboutDlg::GetCreditsEntry(nIndex);
    }
};

// Mouse input as the window system delivers it: to the top-level window at the place, so that
// the widget under the pointer is found as for a real user.
inline void ClickAt(QWidget* widget, QPoint pos) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), pos));
}
inline void MoveTo(QWidget* widget, QPoint pos) {
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), pos));
}

inline bool IsBlack(QRgb p) {
    return qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0;
}

// Whether every pixel of the rows [top, bottom) is black.
inline bool RowsBlack(const QImage& image, int top, int bottom) {
    return InkExtent(image, qRgb(0, 0, 0), top, bottom).isEmpty();
}
