// The "EDIT" window class over QLineEdit.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/private/window_bridge.h"

#include <QLineEdit>

class EditWindow : public Bridged<QLineEdit> {
public:
    explicit EditWindow(QWidget* parent = nullptr);

    DWORD windowStyle() const override;
    void setWindowStyle(DWORD style) override;
    QString windowText() const override;
    void setWindowText(const QString& text) override;
    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Narrows Qt's inner margins to the window system's, so a field shows as much text as the
    // template's width was made for.
    void fitTextMargins();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // A window-system edit control takes no text by the middle button (X11's selection paste)
    // and accepts no drops: text reaches it only by typing and by the program.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // Text an input method commits arrives as WM_CHAR messages, one per character, as the
    // window system turns an input method's result into characters; the composition still
    // shows in the widget.
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    static constexpr int kDefaultLimit = 0x7FFFFFFE;
    // The typing limit is the layer's own: Qt's maximum length would also cut text the program
    // writes, and the program may write more than the user may type.
    int m_limit = kDefaultLimit;
    void applyReadOnly(bool readOnly);
    void selection(long* start, long* end) const;
    void setSelection(long start, long end);
};
