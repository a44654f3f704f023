// The "STATIC" window class: text labels, icons and etched lines.
#pragma once

#include "platform/window_bridge.h"

#include <QLabel>

class StaticWindow : public Bridged<QLabel> {
public:
    explicit StaticWindow(QWidget* parent = nullptr);

    QString windowText() const override { return QLabel::text(); }
    void setWindowText(const QString& text) override { QLabel::setText(text); }
    void setWindowStyle(DWORD style) override;
};
