// The "STATIC" window class.
#include "platform/private/static_window.h"

#include "platform/dc.h"
#include "platform/private/accessible_windows.h"
#include "platform/private/window_classes.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

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
    // A static with the tab-stop style is a control the keys reach: a link, or a drawing the
    // program makes (a plot).
    setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
}

void StaticWindow::showIcon(int resourceId) {
    const QIcon icon(QStringLiteral(":/res/icon/%1").arg(resourceId));
    const int size = GetSystemMetrics(SM_CXICON);
    setPixmap(icon.pixmap(size, size));
    // An icon static takes the icon's size, whatever its template says.
    setMinimumSize(size, size);
    resize(size, size);
}

void StaticWindow::mousePressEvent(QMouseEvent* e) {
    Bridged<QLabel>::mousePressEvent(e);
    if (windowStyle() & SS_NOTIFY) {
        e->accept();
    }
}

void StaticWindow::mouseReleaseEvent(QMouseEvent* e) {
    Bridged<QLabel>::mouseReleaseEvent(e);
    if (windowStyle() & SS_NOTIFY) {
        e->accept();
    }
}

void StaticWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    Bridged<QLabel>::mouseDoubleClickEvent(e);
    if (windowStyle() & SS_NOTIFY) {
        e->accept();
    }
}

void StaticWindow::paintEvent(QPaintEvent* e) {
    translatePaint(e, [&] { paintLabel(e); });
    // The frame lies outside the client area, so it is drawn after any painting of the
    // attached object, which may cover the whole label.
    if (frameStyle() != QFrame::NoFrame) {
        QPainter painter(this);
        drawFrame(&painter);
    }
    // A link the keyboard has reached shows the focus mark around its text.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        const QRect area = contentsRect().intersected(
            QRect(contentsRect().topLeft(), fontMetrics().size(Qt::TextSingleLine, text())));
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
}

void StaticWindow::paintLabel(QPaintEvent* e) {
    const DWORD type = windowStyle() & SS_TYPEMASK;
    if (type == SS_LEFT || type == SS_CENTER) {
        CPaintDC dc(CWnd::FromHandle(this));
        const auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessage(LayerParent(this), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(&dc),
                          reinterpret_cast<LPARAM>(static_cast<QWidget*>(this))));
        if (brush) {
            // The parent chose the colours: its brush for the background, the context's font,
            // text colour and background mode for the text.
            RECT client;
            CWnd::FromHandle(this)->GetClientRect(&client);
            ::FillRect(&dc, &client, brush);
            UINT format = type == SS_CENTER ? DT_CENTER : DT_LEFT;
            if (windowStyle() & SS_NOPREFIX) {
                format |= DT_NOPREFIX;
            }
            dc.DrawText(CString(text().toStdString()), &client, format);
            return;
        }
    }
    QLabel::paintEvent(e);
}

QWidget* CreateStaticWindow(const WindowCreateParams& params) {
    InstallAccessibleWindows();
    auto* label = new StaticWindow(params.parent);
    label->setWindowStyle(params.style);
    if ((params.style & SS_TYPEMASK) == SS_ICON) {
        QString id = params.text;
        if (id.startsWith(QLatin1Char('#'))) {
            id.remove(0, 1);
        }
        label->showIcon(id.toInt());
    } else {
        label->setText(params.text);
    }
    if (params.exStyle & WS_EX_STATICEDGE) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}
