// The "STATIC" window class: text labels, icons, etched lines and framed areas.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/private/window_bridge.h"

#include <QLabel>

class StaticWindow : public Bridged<QLabel> {
public:
    explicit StaticWindow(QWidget* parent = nullptr);

    QString windowText() const override { return QLabel::text(); }
    void setWindowText(const QString& text) override { QLabel::setText(text); }
    void setWindowStyle(DWORD style) override;
    // Inside the static edge, when the label has one.
    QRect clientRect() const override { return contentsRect(); }

    // Shows the icon resource with that id at the icon size (SS_ICON).
    void showIcon(int resourceId);

protected:
    void paintEvent(QPaintEvent* e) override;
    // A label that takes clicks keeps them; it does not hand them on to the dialog.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    // The window class's own painting: a text label first asks its parent for colours.
    void paintLabel(QPaintEvent* e);
};
