// CComboBox and the "COMBOBOX" window class over QComboBox.
#include "platform/combo_box.h"

#include "platform/private/accessible_windows.h"
#include "platform/private/window_bridge.h"
#include "platform/private/window_classes.h"

#include <QComboBox>

#include <cstring>

namespace {

class ComboBoxWindow : public Bridged<QComboBox> {
public:
    explicit ComboBoxWindow(QWidget* parent) : Bridged<QComboBox>(parent) {
        // Only the user's choice tells the parent, as the window system's list does: activated
        // comes from the mouse and the keys, never from the program's setCurrentIndex.
        QObject::connect(this, &QComboBox::activated, this, [this](int index) {
            if (index == m_notified) {
                return;
            }
            m_notified = index;
            if (QWidget* parent = LayerParent(this)) {
                SendMessage(parent, WM_COMMAND,
                            MAKEWPARAM(static_cast<unsigned>(id()), CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
            }
        });
    }

    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case CB_ADDSTRING:
            addItem(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
            return count() - 1;
        case CB_GETCOUNT:
            return count();
        case CB_GETCURSEL:
            return currentIndex() < 0 ? CB_ERR : currentIndex();
        case CB_SETCURSEL: {
            const int index = static_cast<int>(wParam);
            if (index < -1 || index >= count()) {
                setCurrentIndex(-1);
                m_notified = -1;
                return CB_ERR;
            }
            setCurrentIndex(index);
            m_notified = index;
            return index < 0 ? CB_ERR : index;
        }
        case CB_RESETCONTENT:
            clear();
            m_notified = -1;
            return 0;
        case CB_GETLBTEXTLEN:
            return holds(wParam) ? itemText(static_cast<int>(wParam)).toUtf8().size() : CB_ERR;
        case CB_GETLBTEXT: {
            if (!holds(wParam) || !lParam) {
                return CB_ERR;
            }
            const QByteArray text = itemText(static_cast<int>(wParam)).toUtf8();
            std::memcpy(reinterpret_cast<char*>(lParam), text.constData(),
                        static_cast<size_t>(text.size()) + 1);
            return text.size();
        }
        default:
            return WindowBridge::classProc(message, wParam, lParam);
        }
    }

private:
    bool holds(WPARAM index) const {
        return static_cast<int>(index) >= 0 && static_cast<int>(index) < count();
    }
    int m_notified = -1; // the entry the parent last heard of, or set itself
};

} // namespace

QWidget* CreateComboBoxWindow(const WindowCreateParams& params) {
    InstallAccessibleWindows();
    auto* combo = new ComboBoxWindow(params.parent);
    combo->setWindowStyle(params.style);
    combo->setFocusPolicy((params.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    return combo;
}

int CComboBox::AddString(const char* lpszString) {
    return static_cast<int>(
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString ? lpszString : "")));
}

int CComboBox::GetCount() const {
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}

CString CComboBox::GetLBText(int nIndex) const {
    const LRESULT length = ::SendMessage(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex));
    if (length < 0) {
        return CString();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessage(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return CString(std::move(text));
}
