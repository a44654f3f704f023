// Turning Qt events into the messages the program's window objects handle.
#include "platform/private/window_bridge.h"

#include "platform/private/capture.h"
#include "platform/private/gdi_private.h"

#include <QApplication>
#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimerEvent>

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

std::unordered_set<const WindowBridge*>& LiveBridges() {
    static std::unordered_set<const WindowBridge*> bridges;
    return bridges;
}

QPointer<QWidget> g_cursorTarget;
// Where the pointer was at the last mouse event the layer translated, on the screen, and the
// window that had the event; once that window is gone the position says nothing.
struct PointerRecord {
    QPointer<QWidget> seenBy;
    QPoint global;
};
PointerRecord g_pointer;

UINT VirtualKeyOf(const QKeyEvent* e) {
    const int key = e->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<UINT>(key);
    }
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Plus:
        return 0xBB;
    case Qt::Key_Comma:
        return 0xBC;
    case Qt::Key_Minus:
        return 0xBD;
    case Qt::Key_Period:
        return 0xBE;
    default:
        return static_cast<UINT>(key) & 0xFF;
    }
}

// The character a key press types, as WM_CHAR carries it, or -1 when it types none.
long CharCodeOf(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return -1;
    default:
        break;
    }
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (ctrl && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
        return e->key() - Qt::Key_A + 1; // Ctrl+A = 1 ... Ctrl+Z = 26
    }
    const QString text = e->text();
    if (text.isEmpty()) {
        return -1;
    }
    const char32_t ch = text.toUcs4().value(0);
    if (ch < 0x20 || ch == 0x7F) {
        return ctrl ? -1 : static_cast<long>(ch);
    }
    return static_cast<long>(ch);
}

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    UINT flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= MK_RBUTTON;
    }
    if (mods & Qt::ShiftModifier) {
        flags |= MK_SHIFT;
    }
    if (mods & Qt::ControlModifier) {
        flags |= MK_CONTROL;
    }
    return flags;
}

// Runs PreTranslateMessage on the target window's object and then on its parents'.
bool PreTranslate(MSG& msg) {
    QPointer<QWidget> target = msg.hwnd;
    for (QWidget* w = msg.hwnd; w; w = w->parentWidget()) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(w)) {
            if (wnd->PreTranslateMessage(&msg)) {
                return true;
            }
            if (!target) {
                return true; // the window went away while handling the key
            }
        }
    }
    return false;
}

} // namespace

QWidget* CursorRequestTarget() {
    return g_cursorTarget;
}

void QueuePointerMove() {
    QMetaObject::invokeMethod(
        qApp,
        [] {
            if (!g_pointer.seenBy) {
                return;
            }
            const QPoint global = g_pointer.global;
            QWidget* target = GetCapture();
            if (!target) {
                target = QApplication::widgetAt(global);
            }
            WindowBridge* bridge = WindowBridge::Of(target);
            // A disabled window, or one under a modal box, takes no mouse input.
            QWidget* modal = QApplication::activeModalWidget();
            if (!bridge || !bridge->attached() || !target->isEnabled() ||
                (modal && modal != target->window())) {
                return;
            }
            const QPoint pos = target->mapFromGlobal(global);
            bridge->send(
                WM_MOUSEMOVE,
                MouseFlags(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers()),
                MAKELPARAM(pos.x(), pos.y()));
        },
        Qt::QueuedConnection);
}

WindowBridge::WindowBridge(QWidget* self) : m_self(self) {
    static unsigned long long made = 0;
    m_serial = ++made;
    LiveBridges().insert(this);
}

WindowBridge::~WindowBridge() {
    LiveBridges().erase(this);
}

WindowBridge* WindowBridge::Of(HWND hWnd) {
    if (!hWnd) {
        return nullptr;
    }
    auto* bridge = dynamic_cast<WindowBridge*>(hWnd);
    return bridge && LiveBridges().count(bridge) ? bridge : nullptr;
}

DWORD WindowBridge::windowStyle() const {
    DWORD s = m_style & ~(WS_DISABLED | WS_VISIBLE);
    if (!m_self->isEnabled()) {
        s |= WS_DISABLED;
    }
    if (m_self->isVisible()) {
        s |= WS_VISIBLE;
    }
    return s;
}

void WindowBridge::setWindowStyle(DWORD style) {
    m_style = style;
    m_self->setEnabled(!(style & WS_DISABLED));
}

QString WindowBridge::windowText() const {
    return m_self->windowTitle();
}

void WindowBridge::setWindowText(const QString& text) {
    m_self->setWindowTitle(text);
}

LRESULT WindowBridge::classProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        setWindowText(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
        return TRUE;
    case WM_GETTEXTLENGTH:
        return windowText().toUtf8().size();
    case WM_GETTEXT: {
        // Copies at most wParam - 1 bytes and a terminator, never splitting a character.
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0) {
            return 0;
        }
        const QString t = windowText();
        QByteArray bytes;
        for (int i = 0; i < t.size();) {
            const int n = t.at(i).isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
            const QByteArray ch = t.mid(i, n).toUtf8();
            if (static_cast<WPARAM>(bytes.size() + ch.size()) >= wParam) {
                break;
            }
            bytes += ch;
            i += n;
        }
        std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
        buffer[bytes.size()] = '\0';
        return bytes.size();
    }
    case WM_ENABLE:
        m_self->setEnabled(wParam != 0);
        return 0;
    case WM_SETICON: {
        HICON old = layerIcon(wParam != 0);
        setLayerIcon(wParam != 0, reinterpret_cast<HICON>(lParam));
        if (m_self->isWindow()) {
            // The window manager shows what the window's icon property offers: every size the
            // icons' files hold, so a dense screen or a large view gets a drawn image.
            QIcon icon;
            for (HICON image : {m_bigIcon, m_smallIcon}) {
                if (!image || image->image.isNull()) {
                    continue;
                }
                icon.addPixmap(QPixmap::fromImage(image->image));
                for (const QImage& size : image->sizes) {
                    icon.addPixmap(QPixmap::fromImage(size));
                }
            }
            m_self->setWindowIcon(icon);
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETFONT:
        m_font = reinterpret_cast<CFont*>(wParam);
        if (lParam) {
            m_self->update();
        }
        return 0;
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        return 0;
    default:
        return 0;
    }
}

LRESULT WindowBridge::send(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_attached) {
        return m_attached->WindowProc(message, wParam, lParam);
    }
    return classProc(message, wParam, lParam);
}

LRESULT WindowBridge::dispatch(UINT message, WPARAM wParam, LPARAM lParam,
                               const std::function<void()>& qtDefault) {
    if (!m_attached) {
        qtDefault();
        return 0;
    }
    const Pending saved = m_pending;
    m_pending = Pending{message, &qtDefault, false};
    QPointer<QWidget> alive = m_self;
    LRESULT result = m_attached->WindowProc(message, wParam, lParam);
    if (alive) {
        m_pending = saved;
    }
    return result;
}

bool WindowBridge::runPendingDefault(UINT message, LRESULT* result) {
    if (!m_pending.qtDefault || m_pending.message != message || m_pending.ran) {
        return false;
    }
    m_pending.ran = true;
    (*m_pending.qtDefault)();
    *result = 0;
    return true;
}

void WindowBridge::translateKeyPress(QKeyEvent* e, const std::function<void()>& qtDefault) {
    QPointer<QWidget> alive = m_self;
    const UINT vk = VirtualKeyOf(e);
    // Alt with a key (and without Ctrl, which with Alt types characters on some layouts) is a
    // system key: WM_SYSKEYDOWN and WM_SYSCHAR, which serve menu mnemonics and never type a
    // character into the focused window.
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool system = (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier);
    const LPARAM flags = 1 | (system ? (1L << 29) : 0) | (e->isAutoRepeat() ? (1L << 30) : 0);
    MSG down{m_self, system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, flags};
    e->accept();
    if (PreTranslate(down)) {
        return;
    }
    if (!alive) {
        return;
    }
    const long ch = CharCodeOf(e);
    static const std::function<void()> nothing = [] {};
    if (system) {
        // The widget keeps its own Alt keys that type nothing (Alt+Down opens a list).
        const std::function<void()>& keyDefault = ch >= 0 ? nothing : qtDefault;
        if (!m_attached) {
            keyDefault();
            return;
        }
        dispatch(WM_SYSKEYDOWN, vk, flags, keyDefault);
        if (ch >= 0 && alive && m_attached) {
            dispatch(WM_SYSCHAR, static_cast<WPARAM>(ch), flags, nothing);
        }
        return;
    }
    if (!m_attached) {
        qtDefault();
        return;
    }
    // A key that types a character gets the widget's own handling under WM_CHAR, so a class
    // that takes the character over also takes over what the widget would do with it.
    dispatch(WM_KEYDOWN, vk, flags, ch >= 0 ? nothing : qtDefault);
    if (ch < 0 || !alive || !m_attached) {
        return;
    }
    MSG typed{m_self, WM_CHAR, static_cast<WPARAM>(ch), flags};
    if (PreTranslate(typed) || !alive) {
        return;
    }
    dispatch(WM_CHAR, typed.wParam, flags, qtDefault);
}

void WindowBridge::translateMouse(QMouseEvent* e, UINT message,
                                  const std::function<void()>& qtDefault) {
    if (message == 0) {
        const bool press = e->type() == QEvent::MouseButtonPress;
        const bool dbl = e->type() == QEvent::MouseButtonDblClick;
        if (e->button() == Qt::LeftButton) {
            message = dbl ? WM_LBUTTONDBLCLK : press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        } else if (e->button() == Qt::RightButton) {
            message = press || dbl ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        } else {
            qtDefault();
            return;
        }
    }
    const QPoint pos = e->position().toPoint();
    const LPARAM lParam = MAKELPARAM(pos.x(), pos.y());
    g_pointer = {m_self, e->globalPosition().toPoint()};
    if (message == WM_MOUSEMOVE && m_attached) {
        QPointer<QWidget> alive = m_self;
        QPointer<QWidget> saved = g_cursorTarget;
        g_cursorTarget = m_self;
        send(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_self), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        g_cursorTarget = saved;
        if (!alive) {
            return;
        }
    }
    dispatch(message, MouseFlags(e->buttons(), e->modifiers()), lParam, qtDefault);
}

void WindowBridge::translateFocus(bool gained, const std::function<void()>& qtDefault) {
    QWidget* other = QApplication::focusWidget();
    if (other == m_self) {
        other = nullptr;
    }
    dispatch(gained ? WM_SETFOCUS : WM_KILLFOCUS, reinterpret_cast<WPARAM>(other), 0, qtDefault);
}

void WindowBridge::translatePaint(QPaintEvent* e, const std::function<void()>& qtDefault) {
    QPaintEvent* saved = m_paintEvent;
    m_paintEvent = e;
    dispatch(WM_PAINT, 0, 0, qtDefault);
    m_paintEvent = saved;
}

void WindowBridge::translateTimer(QTimerEvent* e, const std::function<void()>& qtDefault) {
    auto it = m_timers.find(e->timerId());
    if (it == m_timers.end()) {
        qtDefault();
        return;
    }
    dispatch(WM_TIMER, it->second, 0, [] {});
}

void WindowBridge::translateEnter(const std::function<void()>& qtDefault) {
    if (m_attached) {
        QPointer<QWidget> saved = g_cursorTarget;
        g_cursorTarget = m_self;
        send(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_self), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        g_cursorTarget = saved;
    }
    qtDefault();
}

void WindowBridge::windowDestroyed() {
    ForgetCaptureHolder(m_self);
    if (CWnd* wnd = m_attached) {
        dispatch(WM_DESTROY, 0, 0, [] {});
        if (m_attached == wnd) {
            wnd->Detach();
        }
    }
    for (const auto& [qtId, id] : m_timers) {
        m_self->killTimer(qtId);
    }
    m_timers.clear();
}

UINT_PTR WindowBridge::setProgramTimer(UINT_PTR id, UINT ms) {
    killProgramTimer(id);
    const int qtId = m_self->startTimer(static_cast<int>(ms));
    if (qtId == 0) {
        return 0;
    }
    m_timers[qtId] = id;
    return id;
}

bool WindowBridge::killProgramTimer(UINT_PTR id) {
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second == id) {
            m_self->killTimer(it->first);
            m_timers.erase(it);
            return true;
        }
    }
    return false;
}

QWidget* LayerParent(const QWidget* window) {
    if (!window) {
        return nullptr;
    }
    QWidget* parent = window->parentWidget();
    if (window->isWindow()) {
        return parent;
    }
    while (parent && !parent->isWindow()) {
        WindowBridge* bridge = WindowBridge::Of(parent);
        if (!bridge || !bridge->nestsControls()) {
            break;
        }
        parent = parent->parentWidget();
    }
    return parent;
}

std::vector<QWidget*> LayerChildren(const QWidget* parent) {
    std::vector<QWidget*> children;
    WindowBridge* own = WindowBridge::Of(const_cast<QWidget*>(parent));
    if (!parent || (own && own->nestsControls())) {
        return children; // a group box has no child windows of its own
    }
    const std::function<void(const QWidget*)> collect = [&](const QWidget* holder) {
        for (QWidget* w : holder->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            WindowBridge* bridge = WindowBridge::Of(w);
            if (w->isWindow() || !bridge) {
                continue;
            }
            children.push_back(w);
            if (bridge->nestsControls()) {
                collect(w);
            }
        }
    };
    collect(parent);
    std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
        return WindowBridge::Of(a)->serial() < WindowBridge::Of(b)->serial();
    });
    return children;
}

void MoveChildWindow(QWidget* window, QPoint topLeft) {
    QWidget* qtParent = window->parentWidget();
    QWidget* layerParent = LayerParent(window);
    if (qtParent && layerParent && qtParent != layerParent) {
        topLeft = qtParent->mapFrom(layerParent, topLeft);
    }
    const QPoint shift = topLeft - window->pos();
    window->move(topLeft);
    WindowBridge* bridge = WindowBridge::Of(window);
    if (!bridge || !bridge->nestsControls() || shift.isNull()) {
        return;
    }
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isWindow() && WindowBridge::Of(w)) {
            w->move(w->pos() - shift);
        }
    }
}
