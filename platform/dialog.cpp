// CDialog and the dialog window class: building the window from its template, the modal loop,
// Enter/Escape, and command routing on to the application object.
#include "platform/dialog.h"

#include "platform/dc.h"
#include "platform/ddx.h"
#include "platform/dialog_template.h"
#include "platform/menu.h"
#include "platform/private/button_window.h"
#include "platform/private/field_labels.h"
#include "platform/private/gdi_private.h"
#include "platform/private/window_bridge.h"
#include "platform/win_app.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QResizeEvent>

#include <algorithm>
#include <vector>

namespace {

QString Utf8(const char* s) {
    return QString::fromUtf8(s ? s : "");
}

// The dialog window class. Closing through the window manager, like Escape, is the Cancel
// command, which the dialog object may refuse by not ending the dialog.
class DialogWindow : public Bridged<QDialog> {
public:
    explicit DialogWindow(QWidget* owner) : Bridged<QDialog>(owner) {}

    void reject() override { SendMessage(this, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

protected:
    // A dialog with a resizable frame hears of each new size, to lay its controls out again.
    void resizeEvent(QResizeEvent* e) override {
        Bridged<QDialog>::resizeEvent(e);
        if (windowStyle() & WS_THICKFRAME) {
            SendMessage(this, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width(), height()));
        }
    }

public:
    // The template's font, which every control is given (WM_SETFONT) and draws its text with,
    // owner-drawn captions included. It lives as long as the dialog.
    CFont dialogFont;
};

// The dialog font as a font object: the face of the template at the pixel size it has here.
void CreateDialogFont(CFont& font, const DialogTemplate& t, const QFont& shown) {
    LOGFONT lf;
    lf.lfHeight = -QFontInfo(shown).pixelSize();
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const QByteArray face = QByteArray(t.fontFace ? t.fontFace : "").left(LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    font.CreateFontIndirect(&lf);
}

// Rounds a * b / c to the nearest integer, halves away from zero, as dialog-unit mapping does.
int MulDiv(int a, int b, int c) {
    const long long n = static_cast<long long>(a) * b;
    const long long q = (2 * (n < 0 ? -n : n) + c) / (2LL * c);
    return static_cast<int>(n < 0 ? -q : q);
}

// A dialog with the application-window style and no owner is a window of its own to the
// window manager: not a dialog kept above some other window of the program (a transient).
// Without the maximise box style, and with its size fixed, the window asks for no maximising in
// every hint it has (Openbox still draws the button, greyed out, where its theme lays one out).
Qt::WindowFlags FlagsFor(DWORD style, DWORD exStyle, bool owned) {
    const bool appWindow = (exStyle & WS_EX_APPWINDOW) && !owned;
    Qt::WindowFlags flags = (appWindow ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        flags |= Qt::WindowTitleHint;
    }
    if (style & WS_SYSMENU) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (style & WS_SYSMENU && style & WS_MINIMIZEBOX) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (style & WS_SYSMENU && style & WS_MAXIMIZEBOX) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

// The dialog font's base units: the average width of the Latin letters, rounded as the window
// system rounds it, and the line height.
CSize BaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return CSize((letters / 26 + 1) / 2, metrics.height());
}

// An icon static names its icon by resource id in place of a caption.
void ShowIconResource(QWidget* control, const char* id) {
    auto* label = qobject_cast<QLabel*>(control);
    bool numeric = false;
    const uint resource = Utf8(id).toUInt(&numeric);
    if (!label || !numeric) {
        return;
    }
    if (HICON icon = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(resource))) {
        label->setPixmap(QPixmap::fromImage(icon->image));
        DestroyIcon(icon);
    }
}

// A text label with a mnemonic moves the focus to the control after it in template order,
// as a dialog's labels do: Alt and the letter reach a field that has no caption of its own.
void GiveLabelsTheirControls(QWidget* window, const DialogTemplate& t) {
    const std::vector<QWidget*> controls = LayerChildren(window);
    const auto named = [&](size_t i) -> QWidget* {
        const QString name =
            t.items[i].idName ? Utf8(t.items[i].idName) : QStringLiteral("IDC_STATIC_%1").arg(i);
        for (QWidget* w : controls) {
            if (w->objectName() == name) {
                return w;
            }
        }
        return nullptr;
    };
    for (size_t i = 0; i < t.items.size(); ++i) {
        const DialogItemTemplate& item = t.items[i];
        const bool textLabel = QString(item.windowClass).toUpper() == "STATIC" &&
                               (item.style & SS_TYPEMASK) <= SS_CENTER &&
                               !(item.style & SS_NOPREFIX) && Utf8(item.caption).contains('&');
        auto* label = textLabel ? qobject_cast<QLabel*>(named(i)) : nullptr;
        if (!label || i + 1 >= t.items.size()) {
            continue;
        }
        if (QWidget* next = named(i + 1); next && next->focusPolicy() != Qt::NoFocus) {
            label->setBuddy(next);
        }
    }
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    // The derived parts are gone by now: the window goes without its messages reaching them.
    if (HWND hWnd = Detach()) {
        delete hWnd;
    }
}

BOOL CDialog::BuildWindow(HWND owner) {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(static_cast<int>(m_nIDTemplate));
    if (!dialogTemplate || m_hWnd) {
        return FALSE;
    }
    const DialogTemplate& t = *dialogTemplate;

    auto* window = new DialogWindow(owner);
    window->setWindowFlags(FlagsFor(t.style, t.exStyle, owner != nullptr));
    window->setObjectName(Utf8(t.idName));
    window->setWindowTitle(Utf8(t.caption));
    window->setWindowStyle(t.style & ~WS_VISIBLE);
    window->setExStyle(t.exStyle);
    QFont font(Utf8(t.fontFace));
    font.setPointSize(t.pointSize);
    window->setFont(font);
    m_baseUnits = BaseUnits(window->font());
    CreateDialogFont(window->dialogFont, t, window->font());
    Attach(window);

    CRect client(0, 0, t.cx, t.cy);
    MapDialogRect(&client);
    window->resize(client.Width(), client.Height());
    const int menuHeight = t.menuId ? CreateMenuBar(window, t.menuId) : 0;
    // A resizable frame grows from the template's size; any other stays at it.
    if (t.style & WS_THICKFRAME) {
        window->setMinimumSize(client.Width(), client.Height() + menuHeight);
    } else {
        window->setFixedSize(client.Width(), client.Height() + menuHeight);
    }
    if (auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        bar->resize(window->width(), bar->height());
    }

    const std::vector<QString> fieldNames = FieldLabels(t);
    std::vector<QWidget*> controls;
    for (size_t i = 0; i < t.items.size(); ++i) {
        const DialogItemTemplate& item = t.items[i];
        CRect rect(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(&rect);
        rect.OffsetRect(0, menuHeight);
        HWND control = CreateWindowEx(item.exStyle, item.windowClass, item.caption,
                                      item.style | WS_CHILD | WS_VISIBLE, rect, window, item.id);
        if (!control) {
            delete Detach();
            return FALSE;
        }
        control->setObjectName(item.idName ? Utf8(item.idName)
                                           : QStringLiteral("IDC_STATIC_%1").arg(i));
        ::SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(&window->dialogFont), FALSE);
        if (!fieldNames[i].isEmpty()) {
            control->setAccessibleName(fieldNames[i]);
        }
        if (QString(item.windowClass).toUpper() == "STATIC" &&
            (item.style & SS_TYPEMASK) == SS_ICON) {
            ShowIconResource(control, item.caption);
        }
        controls.push_back(control);
    }
    // Tab order is template order, wherever a control's group box has put it.
    NestControlsInGroupBoxes(controls);
    for (size_t i = 1; i < controls.size(); ++i) {
        QWidget::setTabOrder(controls[i - 1], controls[i]);
    }
    ArrangeRadioGroups(window);
    GiveLabelsTheirControls(window, t);
    return TRUE;
}

void CDialog::MapDialogRect(RECT* lpRect) const {
    lpRect->left = MulDiv(lpRect->left, m_baseUnits.cx, 4);
    lpRect->right = MulDiv(lpRect->right, m_baseUnits.cx, 4);
    lpRect->top = MulDiv(lpRect->top, m_baseUnits.cy, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, m_baseUnits.cy, 8);
}

CSize CDialog::GetDialogBaseUnits() const {
    return m_baseUnits;
}

namespace {

// Runs the initialisation message and, when the handler asks for it, focuses the first
// enabled tab stop in template order that takes input: a dialog opens on a field or a button,
// not on a choice among radio buttons or on a link.
void InitializeDialog(CDialog& dialog) {
    const BOOL focusFirst = static_cast<BOOL>(dialog.SendMessage(WM_INITDIALOG, 0, 0));
    if (!focusFirst || !dialog.m_hWnd) {
        return;
    }
    for (QWidget* widget : LayerChildren(dialog.m_hWnd)) {
        WindowBridge* bridge = WindowBridge::Of(widget);
        if (qobject_cast<QRadioButton*>(widget) || qobject_cast<QLabel*>(widget)) {
            continue;
        }
        if (bridge && (bridge->windowStyle() & WS_TABSTOP) && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

int CDialog::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this) {
            owner = app->m_pMainWnd->m_hWnd;
        }
    }
    m_nModalResult = -1;
    if (!BuildWindow(owner)) {
        return -1;
    }
    auto* window = static_cast<QDialog*>(m_hWnd);
    InitializeDialog(*this);
    if (m_hWnd == window && m_nModalResult == -1) {
        if (GetStyle() & DS_CENTER) {
            CenterWindow();
        }
        // Modal to its owner only, as a dialog is on the desktop: another top-level window of
        // the program (a tool window beside the form) stays usable.
        window->setWindowModality(Qt::WindowModal);
        window->exec();
    }
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    if (nIDTemplate) {
        m_nIDTemplate = nIDTemplate;
    }
    if (pParentWnd) {
        m_pParentWnd = pParentWnd;
    }
    m_nModalResult = -1;
    if (!BuildWindow(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr)) {
        return FALSE;
    }
    InitializeDialog(*this);
    const DialogTemplate* t = FindDialogTemplate(static_cast<int>(m_nIDTemplate));
    if (m_hWnd && t && (t->style & WS_VISIBLE) && m_nModalResult == -1) {
        if (t->style & DS_CENTER) {
            CenterWindow();
        }
        m_hWnd->show();
        m_hWnd->activateWindow();
    }
    return m_hWnd != nullptr;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (auto* window = static_cast<QDialog*>(m_hWnd)) {
        window->done(nResult);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN || !m_hWnd || !pMsg->hwnd || pMsg->hwnd->window() != m_hWnd) {
        return FALSE;
    }
    int command = 0;
    if (pMsg->wParam == VK_RETURN) {
        command = IDOK;
    } else if (pMsg->wParam == VK_ESCAPE) {
        command = IDCANCEL;
    } else {
        return FALSE;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(command), BN_CLICKED), 0);
    return TRUE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
    if (nCode != BN_CLICKED) {
        return FALSE;
    }
    if (nID == IDOK) {
        OnOK();
        return TRUE;
    }
    if (nID == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(nID, nCode) : FALSE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
