// A hover button on a shown parent window, attached the way the main form attaches its six
// operation buttons, with a count of its draw requests.
#pragma once

#include "controls/hover_button.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

class CountingHoverButton : public CHoverButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
        ++draws;
        CHoverButton::DrawItem(lpDrawItemStruct);
    }
    int draws = 0;
};

class HoverButtonTest : public ::testing::Test {
protected:
    // The button's client area is kButton wide and high, at kAt in the parent.
    static constexpr QPoint kAt{20, 20};
    static constexpr QSize kButton{120, 30};

    void SetUp() override {
        parent = std::make_unique<QWidget>();
        parent->resize(300, 200);
        parent->setMouseTracking(true);
        HWND hwnd = CreateWindowEx(
            0, "BUTTON", "三度带投影", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
            CRect(kAt.x(), kAt.y(), kAt.x() + kButton.width(), kAt.y() + kButton.height()),
            parent.get(), 1024);
        other = CreateWindowEx(0, "BUTTON", "其他", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                               CRect(20, 100, 140, 130), parent.get(), 1025);
        ASSERT_TRUE(button.SubclassWindow(hwnd));
        parent->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
        Settle();
    }

    void TearDown() override {
        ReleaseCapture();
        parent.reset();
    }

    // Lets pending paints happen, then starts the draw count afresh.
    void Settle() {
        QApplication::processEvents();
        QApplication::processEvents();
        button.draws = 0;
    }
    int DrawsAfterEvents() {
        QApplication::processEvents();
        QApplication::processEvents();
        return button.draws;
    }

    QWindow* window() const { return parent->windowHandle(); }
    // A point of the parent window given in the button's client coordinates.
    static QPoint InButton(int x, int y) { return kAt + QPoint(x, y); }

    // Direct handler calls.
    void Move(UINT flags, int x, int y) {
        button.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(x, y));
    }
    bool HoldsCapture() const { return GetCapture() == button.m_hWnd; }

    std::unique_ptr<QWidget> parent;
    HWND other = nullptr;
    CountingHoverButton button;
};
