// The "BUTTON" window class.
#include "platform/private/button_window.h"

#include "platform/button.h"
#include "platform/private/accessible_windows.h"
#include "platform/private/gdi_private.h"
#include "platform/private/window_classes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>
#include <map>
#include <optional>

namespace {

DWORD ButtonType(const WindowBridge* bridge) {
    return bridge->windowStyle() & BS_TYPEMASK;
}

// The windows of the group that `member` belongs to: from the nearest sibling at or before it
// that starts a group up to the next one that starts a group.
std::vector<QWidget*> GroupOf(QWidget* member) {
    std::vector<QWidget*> group;
    QWidget* parent = LayerParent(member);
    if (!parent) {
        return {member};
    }
    for (QWidget* w : LayerChildren(parent)) {
        WindowBridge* bridge = WindowBridge::Of(w);
        const bool starts = bridge->windowStyle() & WS_GROUP;
        if (starts) {
            if (std::find(group.begin(), group.end(), member) != group.end()) {
                break;
            }
            group.clear();
        }
        group.push_back(w);
    }
    return group;
}

// The radio buttons of the group that `member` belongs to, in template order.
std::vector<RadioButtonWindow*> RadiosOfGroup(QWidget* member) {
    std::vector<RadioButtonWindow*> radios;
    for (QWidget* w : GroupOf(member)) {
        if (auto* radio = dynamic_cast<RadioButtonWindow*>(w)) {
            radios.push_back(radio);
        }
    }
    return radios;
}

} // namespace

void ArrangeRadioGroup(QWidget* member) {
    const std::vector<RadioButtonWindow*> radios = RadiosOfGroup(member);
    if (radios.empty() || !(radios.front()->windowStyle() & WS_TABSTOP)) {
        return;
    }
    RadioButtonWindow* stop = radios.front();
    for (RadioButtonWindow* radio : radios) {
        if (radio->isChecked()) {
            stop = radio;
            break;
        }
    }
    for (RadioButtonWindow* radio : radios) {
        radio->setFocusPolicy(radio == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void ArrangeRadioGroups(QWidget* dialog) {
    for (QWidget* child : LayerChildren(dialog)) {
        auto* radio = dynamic_cast<RadioButtonWindow*>(child);
        if (radio && (radio->windowStyle() & WS_GROUP)) {
            ArrangeRadioGroup(radio);
        }
    }
}

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
    QWidget* parent = LayerParent(bridge.widget());
    if (!parent) {
        return;
    }
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(bridge.id()), BN_CLICKED),
                reinterpret_cast<LPARAM>(bridge.widget()));
}

PushButtonWindow::PushButtonWindow(QWidget* parent) : ClickableWindow<QPushButton>(parent) {
    setAutoDefault(false);
}

LRESULT PushButtonWindow::classProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CAPTURECHANGED) {
        // Losing the capture in the middle of a press ends the press without a click.
        if (!m_releasingCapture && isDown()) {
            setDown(false);
        }
        return 0;
    }
    return ClickableWindow<QPushButton>::classProc(message, wParam, lParam);
}

void PushButtonWindow::mousePressEvent(QMouseEvent* e) {
    translateMouse(e, 0, [&] {
        QPushButton::mousePressEvent(e);
        if (e->button() == Qt::LeftButton && isDown()) {
            ::SetCapture(this);
        }
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
        if ((windowStyle() & BS_TYPEMASK) == BS_OWNERDRAW) {
            drawOwnerItem(e);
        } else {
            QPushButton::paintEvent(e);
        }
    });
}

void PushButtonWindow::drawOwnerItem(QPaintEvent* e) {
    auto* button = dynamic_cast<CButton*>(attached());
    if (!button) {
        return;
    }
    CDC dc;
    GkDcState::InitWindow(dc, this, e->region());
    DRAWITEMSTRUCT item;
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(id());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (isDown() ? ODS_SELECTED : 0) | (isEnabled() ? 0 : ODS_DISABLED) |
                     (hasFocus() ? ODS_FOCUS : 0) |
                     (window()->testAttribute(Qt::WA_KeyboardFocusChange) ? 0 : ODS_NOFOCUSRECT);
    item.hwndItem = this;
    item.hDC = &dc;
    item.rcItem = CRect(0, 0, width(), height());
    button->DrawItem(&item);
}

RadioButtonWindow::RadioButtonWindow(QWidget* parent) : ClickableWindow<QRadioButton>(parent) {
    // Groups follow the group style, not Qt's sibling exclusivity.
    setAutoExclusive(false);
    QObject::connect(this, &QAbstractButton::toggled, this, [this] {
        ArrangeRadioGroup(this);
        if (QAccessible::isActive()) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(this, changed);
            QAccessible::updateAccessibility(&event);
        }
    });
}

// The arrow keys move through the group, as the dialog manager moves them: to the next or the
// previous button, round at the ends, checking an automatic one as they go.
void RadioButtonWindow::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool arrow =
        key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
    if (!arrow || (e->modifiers() & ~Qt::KeypadModifier)) {
        ClickableWindow<QRadioButton>::keyPressEvent(e);
        return;
    }
    std::vector<RadioButtonWindow*> radios;
    for (RadioButtonWindow* radio : RadiosOfGroup(this)) {
        if (radio == this || (radio->isEnabled() && radio->isVisible())) {
            radios.push_back(radio);
        }
    }
    const auto here = std::find(radios.begin(), radios.end(), this);
    e->accept();
    if (radios.size() < 2 || here == radios.end()) {
        return;
    }
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(radios.size());
    const std::ptrdiff_t step = key == Qt::Key_Up || key == Qt::Key_Left ? n - 1 : 1;
    RadioButtonWindow* next = radios[static_cast<size_t>((here - radios.begin() + step) % n)];
    next->setFocus(Qt::TabFocusReason);
    if (ButtonType(next) == BS_AUTORADIOBUTTON) {
        next->click();
    }
}

void RadioButtonWindow::nextCheckState() {
    if (ButtonType(this) != BS_AUTORADIOBUTTON) {
        return; // a plain radio button leaves its check mark to the program
    }
    for (QWidget* w : GroupOf(this)) {
        auto* radio = dynamic_cast<RadioButtonWindow*>(w);
        if (radio && radio != this && ButtonType(radio) == BS_AUTORADIOBUTTON) {
            radio->setChecked(false);
        }
    }
    setChecked(true);
}

GroupBoxWindow::GroupBoxWindow(QWidget* parent) : Bridged<QGroupBox>(parent) {
    setFocusPolicy(Qt::NoFocus);
}

// Ignored, an event goes on to the parent (the dialog); being transparent for the mouse instead
// would make the controls inside deaf to it too.
void GroupBoxWindow::mousePressEvent(QMouseEvent* e) {
    e->ignore();
}
void GroupBoxWindow::mouseReleaseEvent(QMouseEvent* e) {
    e->ignore();
}
void GroupBoxWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    e->ignore();
}
void GroupBoxWindow::mouseMoveEvent(QMouseEvent* e) {
    e->ignore();
}

void NestControlsInGroupBoxes(const std::vector<QWidget*>& controls) {
    std::vector<QRect> places;
    for (QWidget* w : controls) {
        places.push_back(w->geometry());
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        std::optional<size_t> box;
        for (size_t j = 0; j < controls.size(); ++j) {
            const bool frames = dynamic_cast<GroupBoxWindow*>(controls[j]) && j != i &&
                                places[j] != places[i] && places[j].contains(places[i]);
            if (frames && (!box || places[*box].contains(places[j]))) {
                box = j;
            }
        }
        if (!box) {
            continue;
        }
        QWidget* control = controls[i];
        const bool hidden = control->isHidden();
        control->setParent(controls[*box]);
        control->move(places[i].topLeft() - places[*box].topLeft());
        control->setVisible(!hidden);
    }
    // Assistive technology walks each holder's children in Qt's order: make it the template's,
    // a group box taking the place of the first control it holds.
    std::map<QWidget*, size_t> first;
    for (size_t i = 0; i < controls.size(); ++i) {
        for (QWidget* w = controls[i]; w && !w->isWindow(); w = w->parentWidget()) {
            const auto [at, added] = first.emplace(w, i);
            if (!added) {
                at->second = std::min(at->second, i);
            }
        }
    }
    std::vector<QWidget*> reading(controls);
    std::stable_sort(reading.begin(), reading.end(),
                     [&](QWidget* a, QWidget* b) { return first[a] < first[b]; });
    for (QWidget* w : reading) {
        w->raise();
    }
}

QWidget* CreateButtonWindow(const WindowCreateParams& params) {
    InstallAccessibleWindows();
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
    if ((params.style & BS_TYPEMASK) != BS_GROUPBOX) {
        widget->setFocusPolicy((params.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    }
    return widget;
}
