// The "BUTTON" window class.
#include "platform/private/button_window.h"

#include "platform/button.h"
#include "platform/private/gdi_private.h"
#include "platform/private/window_classes.h"

#include <QMouseEvent>
#include <QPaintEvent>

namespace {

DWORD ButtonType(const WindowBridge* bridge) {
    return bridge->windowStyle() & BS_TYPEMASK;
}

// The windows of the group that `member` belongs to: from the nearest sibling at or before it
// that starts a group up to the next one that starts a group.
std::vector<QWidget*> GroupOf(QWidget* member) {
    std::vector<QWidget*> group;
    QWidget* parent = member->parentWidget();
    if (!parent)
        return {member};
    for (QObject* obj : parent->children()) {
        auto* w = qobject_cast<QWidget*>(obj);
        WindowBridge* bridge = WindowBridge::Of(w);
        if (!bridge)
            continue;
        const bool starts = bridge->windowStyle() & WS_GROUP;
        if (starts) {
            if (std::find(group.begin(), group.end(), member) != group.end())
                break;
            group.clear();
        }
        group.push_back(w);
    }
    return group;
}

} // namespace

LRESULT ButtonMessages::Handle(WindowBridge& bridge, QAbstractButton& button, UINT message,
                               WPARAM wParam, LPARAM, bool* handled) {
    *handled = true;
    switch (message) {
    case BM_GETCHECK:
        return button.isChecked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        button.setChecked(wParam == BST_CHECKED);
        return 0;
    case BM_GETSTATE:
        return (button.isChecked() ? BST_CHECKED : 0) | (button.isDown() ? BST_PUSHED : 0);
    case BM_SETSTATE:
        button.setDown(wParam != 0);
        return 0;
    case BM_SETSTYLE:
        bridge.setWindowStyle((bridge.windowStyle() & ~0xFFFFu) |
                              (static_cast<DWORD>(wParam) & 0xFFFF));
        button.update();
        return 0;
    case BM_CLICK:
        button.click();
        return 0;
    default:
        *handled = false;
        return 0;
    }
}

void ButtonMessages::NotifyClicked(WindowBridge& bridge) {
    QWidget* parent = bridge.widget()->parentWidget();
    if (!parent)
        return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(bridge.id()), BN_CLICKED),
                reinterpret_cast<LPARAM>(bridge.widget()));
}

PushButtonWindow::PushButtonWindow(QWidget* parent) : ClickableWindow<QPushButton>(parent) {
    setAutoDefault(false);
}

LRESULT PushButtonWindow::classProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CAPTURECHANGED) {
        // Losing the capture in the middle of a press ends the press without a click.
        if (!m_releasingCapture && isDown())
            setDown(false);
        return 0;
    }
    return ClickableWindow<QPushButton>::classProc(message, wParam, lParam);
}

void PushButtonWindow::mousePressEvent(QMouseEvent* e) {
    translateMouse(e, 0, [&] {
        QPushButton::mousePressEvent(e);
        if (e->button() == Qt::LeftButton && isDown())
            ::SetCapture(this);
    });
}

void PushButtonWindow::mouseReleaseEvent(QMouseEvent* e) {
    translateMouse(e, 0, [&] {
        // As the window system's button does: the capture goes first, then the click.
        if (e->button() == Qt::LeftButton && ::GetCapture() == this) {
            m_releasingCapture = true;
            ::ReleaseCapture();
            m_releasingCapture = false;
        }
        QPushButton::mouseReleaseEvent(e);
    });
}

void PushButtonWindow::paintEvent(QPaintEvent* e) {
    translatePaint(e, [&] {
        if ((windowStyle() & BS_TYPEMASK) == BS_OWNERDRAW)
            drawOwnerItem(e);
        else
            QPushButton::paintEvent(e);
    });
}

void PushButtonWindow::drawOwnerItem(QPaintEvent* e) {
    auto* button = dynamic_cast<CButton*>(attached());
    if (!button)
        return;
    CDC dc;
    GkDcState::InitWindow(dc, this, e->region());
    DRAWITEMSTRUCT item;
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(id());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (isDown() ? ODS_SELECTED : 0) | (isEnabled() ? 0 : ODS_DISABLED) |
                     (hasFocus() ? ODS_FOCUS : 0);
    item.hwndItem = this;
    item.hDC = &dc;
    item.rcItem = CRect(0, 0, width(), height());
    button->DrawItem(&item);
}

RadioButtonWindow::RadioButtonWindow(QWidget* parent) : ClickableWindow<QRadioButton>(parent) {
    // Groups follow the group style, not Qt's sibling exclusivity.
    setAutoExclusive(false);
}

void RadioButtonWindow::nextCheckState() {
    if (ButtonType(this) != BS_AUTORADIOBUTTON)
        return; // a plain radio button leaves its check mark to the program
    for (QWidget* w : GroupOf(this)) {
        auto* radio = dynamic_cast<RadioButtonWindow*>(w);
        if (radio && radio != this && ButtonType(radio) == BS_AUTORADIOBUTTON)
            radio->setChecked(false);
    }
    setChecked(true);
}

GroupBoxWindow::GroupBoxWindow(QWidget* parent) : Bridged<QGroupBox>(parent) {
    // A group box only frames; clicks go to the dialog beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QWidget* CreateButtonWindow(const WindowCreateParams& params) {
    WindowBridge* bridge = nullptr;
    switch (params.style & BS_TYPEMASK) {
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        bridge = new RadioButtonWindow(params.parent);
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        bridge = new CheckBoxWindow(params.parent);
        break;
    case BS_GROUPBOX:
        bridge = new GroupBoxWindow(params.parent);
        break;
    default:
        bridge = new PushButtonWindow(params.parent);
        break;
    }
    bridge->setWindowText(params.text);
    bridge->setWindowStyle(params.style);
    QWidget* widget = bridge->widget();
    widget->setFocusPolicy((params.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    return widget;
}
