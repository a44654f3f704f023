// The "EDIT" window class with ES_MULTILINE: a QPlainTextEdit holding lines of text. The
// program writes whole texts into it and reads them back; the user reads, selects and copies,
// and types only when it is not read-only. Lines never wrap: a report's columns stay columns.
#include "platform/private/gdi_private.h"
#include "platform/private/window_bridge.h"
#include "platform/private/window_classes.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {

class MultiLineEditWindow : public Bridged<QPlainTextEdit> {
public:
    explicit MultiLineEditWindow(QWidget* parent) : Bridged<QPlainTextEdit>(parent) {
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setTabChangesFocus(true);
        QObject::connect(this, &QPlainTextEdit::textChanged, this, [this] {
            if (QWidget* parent = LayerParent(this)) {
                SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id()), EN_CHANGE),
                            reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
            }
        });
    }

    DWORD windowStyle() const override {
        DWORD s = WindowBridge::windowStyle() & ~ES_READONLY;
        if (isReadOnly()) {
            s |= ES_READONLY;
        }
        return s;
    }

    void setWindowStyle(DWORD style) override {
        WindowBridge::setWindowStyle(style);
        applyReadOnly(style & ES_READONLY);
        setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                        : Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                          : Qt::ScrollBarAlwaysOff);
        setFrameStyle((style & WS_BORDER) ? (QFrame::StyledPanel | QFrame::Sunken)
                                          : QFrame::NoFrame);
    }

    QString windowText() const override { return toPlainText(); }
    void setWindowText(const QString& text) override { setPlainText(text); }

    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case EM_SETREADONLY:
            applyReadOnly(wParam != 0);
            return TRUE;
        case WM_SETFONT: {
            // A font the program chooses for the text (a fixed pitch one for columns) shows.
            const auto* font = reinterpret_cast<CFont*>(wParam);
            if (font && font->m_hObject) {
                setFont(font->m_hObject->font);
            }
            return WindowBridge::classProc(message, wParam, lParam);
        }
        default:
            return WindowBridge::classProc(message, wParam, lParam);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        translateKeyPress(e, [this, e] { QPlainTextEdit::keyPressEvent(e); });
    }

private:
    void applyReadOnly(bool readOnly) {
        setReadOnly(readOnly);
        // Read-only text is still selectable, and by the keys too.
        setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                         : Qt::TextEditorInteraction);
        QPalette colours = palette();
        colours.setColor(QPalette::Base,
                         ToQColor(GetSysColor(readOnly ? COLOR_BTNFACE : COLOR_WINDOW)));
        setPalette(colours);
    }
};

} // namespace

QWidget* CreateMultiLineEditWindow(const WindowCreateParams& params) {
    auto* edit = new MultiLineEditWindow(params.parent);
    edit->setWindowStyle(params.style);
    edit->setWindowText(params.text);
    return edit;
}
