// The "STATIC" window class.
#include "platform/static_window.h"

#include "platform/window_classes.h"

StaticWindow::StaticWindow(QWidget* parent) : Bridged<QLabel>(parent) {
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
}

void StaticWindow::setWindowStyle(DWORD style) {
    WindowBridge::setWindowStyle(style);
    const DWORD type = style & SS_TYPEMASK;
    setAlignment((type == SS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (type == SS_ETCHEDHORZ) {
        setFrameStyle(QFrame::HLine | QFrame::Sunken);
    } else if (style & SS_SUNKEN) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    setWordWrap(type == SS_LEFT || type == SS_CENTER);
    // Only a label with the notify style takes clicks; others let them through to the dialog.
    setAttribute(Qt::WA_TransparentForMouseEvents, !(style & SS_NOTIFY));
}

QWidget* CreateStaticWindow(const WindowCreateParams& params) {
    auto* label = new StaticWindow(params.parent);
    label->setWindowStyle(params.style);
    if ((params.style & SS_TYPEMASK) != SS_ICON)
        label->setText(params.text);
    if (params.exStyle & WS_EX_STATICEDGE)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}
