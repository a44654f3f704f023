// How a Qt widget becomes a window of the layer: WindowBridge keeps the window's state that Qt
// has no place for (style bits, control id, owner, the attached CWnd, timers) and turns the
// widget's Qt events into messages for the attached object. Bridged<QtWidget> mixes it into a
// concrete Qt widget class. Only platform/ includes this header.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/wnd.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QFocusEvent;
class QTimerEvent;
class QEnterEvent;

class WindowBridge {
public:
    explicit WindowBridge(QWidget* self);
    virtual ~WindowBridge();
    WindowBridge(const WindowBridge&) = delete;
    WindowBridge& operator=(const WindowBridge&) = delete;

    static WindowBridge* Of(HWND hWnd);

    // Windows are numbered as they are made: a dialog's controls in template order.
    unsigned long long serial() const { return m_serial; }
    // A window that holds the controls lying inside it as Qt children (a group box), so that
    // assistive technology hears them as its contents. To the layer's callers those controls
    // stay children of the dialog.
    virtual bool nestsControls() const { return false; }

    QWidget* widget() const { return m_self; }
    CWnd* attached() const { return m_attached; }
    void attach(CWnd* wnd) { m_attached = wnd; }

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }
    QWidget* owner() const { return m_owner; }
    void setOwner(QWidget* owner) { m_owner = owner; }

    // Style bits. Window classes whose widgets carry some of these bits themselves (enabled,
    // read-only, ...) override both to keep the two in step.
    virtual DWORD windowStyle() const;
    virtual void setWindowStyle(DWORD style);
    DWORD exStyle() const { return m_exStyle; }
    void setExStyle(DWORD ex) { m_exStyle = ex; }

    // The client area in the widget's coordinates: the whole widget, or inside the frame of a
    // window class that draws one, so client coordinates are the widget's own.
    virtual QRect clientRect() const { return m_self->rect(); }

    // The window text as the window class keeps it (caption, edit text, label text).
    virtual QString windowText() const;
    virtual void setWindowText(const QString& text);

    // The window class's own handling of a message that is not the one a Qt event is being
    // translated into (EM_SETSEL, BM_SETCHECK, WM_SETTEXT, ...).
    virtual LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Sends a message to the attached object (through its WindowProc), or to the window class
    // when none is attached.
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches a message translated from a Qt event; qtDefault is the widget's own Qt
    // handling, which the object's Default() runs.
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam,
                     const std::function<void()>& qtDefault);
    // Runs the default of the message being dispatched, if msg is that message and its
    // default has not run; returns FALSE when there is no such pending default.
    bool runPendingDefault(UINT message, LRESULT* result);

    // Qt event translation, called by Bridged<>'s event handlers.
    void translateKeyPress(QKeyEvent* e, const std::function<void()>& qtDefault);
    void translateMouse(QMouseEvent* e, UINT message, const std::function<void()>& qtDefault);
    void translateFocus(bool gained, const std::function<void()>& qtDefault);
    void translatePaint(QPaintEvent* e, const std::function<void()>& qtDefault);
    void translateTimer(QTimerEvent* e, const std::function<void()>& qtDefault);
    void translateEnter(const std::function<void()>& qtDefault);
    // Called first in the concrete widget's destructor: WM_DESTROY, then detach.
    void windowDestroyed();

    // Painting: the paint event being handled, for the paint context.
    QPaintEvent* currentPaintEvent() const { return m_paintEvent; }

    // Timers by the program's ids.
    UINT_PTR setProgramTimer(UINT_PTR id, UINT ms);
    bool killProgramTimer(UINT_PTR id);

    HICON layerIcon(bool big) const { return big ? m_bigIcon : m_smallIcon; }
    void setLayerIcon(bool big, HICON icon) { (big ? m_bigIcon : m_smallIcon) = icon; }
    CFont* layerFont() const { return m_font; }
    void setLayerFont(CFont* font) { m_font = font; }

private:
    struct Pending {
        UINT message = 0;
        const std::function<void()>* qtDefault = nullptr;
        bool ran = false;
    };

    QWidget* m_self;
    unsigned long long m_serial;
    CWnd* m_attached = nullptr;
    int m_id = 0;
    QPointer<QWidget> m_owner;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    Pending m_pending;
    QPaintEvent* m_paintEvent = nullptr;
    std::map<int, UINT_PTR> m_timers; // Qt timer id -> program id
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    CFont* m_font = nullptr;
};

// A window's parent as the layer's callers know it: the Qt parent, past any group box that
// nests the window.
QWidget* LayerParent(const QWidget* window);
// A window's child windows as the layer's callers know them, in the order they were made:
// controls nested in a group box are among them, owned windows are not.
std::vector<QWidget*> LayerChildren(const QWidget* parent);
// Moves a child window to a place in its layer parent's coordinates. Controls nested in a
// moved group box stay where they are, as a group box on the desktop only frames them.
void MoveChildWindow(QWidget* window, QPoint topLeft);

// The widget whose WM_SETCURSOR is being handled: SetCursor applies the cursor there.
QWidget* CursorRequestTarget();

// Queues a WM_MOUSEMOVE at the pointer's position for the capture holder, or else the window
// under the pointer, as the window system does whenever the capture changes: a window learns
// where the pointer is without waiting for it to move. The position is that of the last mouse
// event the layer saw, while the window that saw it exists.
void QueuePointerMove();

// A Qt widget class that is a window of the layer.
template <class QtBase> class Bridged : public QtBase, public WindowBridge {
public:
    template <class... Args>
    explicit Bridged(Args&&... args) : QtBase(std::forward<Args>(args)...), WindowBridge(this) {
        // Windows always report mouse moves, with or without a button held.
        this->setMouseTracking(true);
    }
    ~Bridged() override { windowDestroyed(); }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        translateKeyPress(e, [&] { QtBase::keyPressEvent(e); });
    }
    void mousePressEvent(QMouseEvent* e) override {
        translateMouse(e, 0, [&] { QtBase::mousePressEvent(e); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        translateMouse(e, 0, [&] { QtBase::mouseReleaseEvent(e); });
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        translateMouse(e, 0, [&] { QtBase::mouseDoubleClickEvent(e); });
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        translateMouse(e, WM_MOUSEMOVE, [&] { QtBase::mouseMoveEvent(e); });
    }
    void focusInEvent(QFocusEvent* e) override {
        translateFocus(true, [&] { QtBase::focusInEvent(e); });
    }
    void focusOutEvent(QFocusEvent* e) override {
        translateFocus(false, [&] { QtBase::focusOutEvent(e); });
    }
    void paintEvent(QPaintEvent* e) override {
        translatePaint(e, [&] { QtBase::paintEvent(e); });
    }
    void timerEvent(QTimerEvent* e) override {
        translateTimer(e, [&] { QtBase::timerEvent(e); });
    }
    void enterEvent(QEnterEvent* e) override {
        translateEnter([&] { QtBase::enterEvent(e); });
    }
};
