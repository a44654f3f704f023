// The "EDIT" window class: a single-line QLineEdit that answers the edit-control messages.
// The program counts text offsets in bytes of UTF-8 and Qt in UTF-16 units; the two agree for
// ASCII, and the conversions below keep them consistent for any other text too.
#include "platform/private/edit_window.h"

#include "platform/private/gdi_private.h"
#include "platform/private/window_classes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// Byte offset in the UTF-8 form of text -> index into the QString (clamped to the text).
int IndexFromByteOffset(const QString& text, long offset) {
    if (offset <= 0) {
        return 0;
    }
    long bytes = 0;
    int i = 0;
    while (i < text.size()) {
        const int n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const long size = text.mid(i, n).toUtf8().size();
        if (bytes + size > offset) {
            break;
        }
        bytes += size;
        i += n;
    }
    return i;
}

long ByteOffsetFromIndex(const QString& text, int index) {
    return text.left(index).toUtf8().size();
}

bool TypesCharacter(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    const QString t = e->text();
    return !t.isEmpty() && t.at(0).unicode() >= 0x20 && t.at(0).unicode() != 0x7F;
}

bool TypesNonDigit(const QKeyEvent* e) {
    const QString t = e->text();
    return TypesCharacter(e) &&
           !(t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9'));
}

} // namespace

EditWindow::EditWindow(QWidget* parent) : Bridged<QLineEdit>(parent) {
    setFrame(true);
    setMaxLength(kDefaultLimit);
    setAcceptDrops(false);
    // Every change of the text, by the user or the program, tells the parent (EN_CHANGE).
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        if (QWidget* parent = LayerParent(this)) {
            SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id()), EN_CHANGE),
                        reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
        }
    });
}

DWORD EditWindow::windowStyle() const {
    DWORD s = WindowBridge::windowStyle() & ~ES_READONLY;
    if (isReadOnly()) {
        s |= ES_READONLY;
    }
    return s;
}

void EditWindow::setWindowStyle(DWORD style) {
    WindowBridge::setWindowStyle(style);
    applyReadOnly(style & ES_READONLY);
}

void EditWindow::applyReadOnly(bool readOnly) {
    setReadOnly(readOnly);
    // A read-only edit is drawn on the button face, so the user sees it takes no typing.
    QPalette colours = palette();
    colours.setColor(QPalette::Base,
                     ToQColor(GetSysColor(readOnly ? COLOR_BTNFACE : COLOR_WINDOW)));
    setPalette(colours);
}

QString EditWindow::windowText() const {
    return QLineEdit::text();
}

void EditWindow::setWindowText(const QString& text) {
    QLineEdit::setText(text);
    setCursorPosition(0);
}

void EditWindow::selection(long* start, long* end) const {
    const QString t = QLineEdit::text();
    int from = cursorPosition();
    int to = from;
    if (hasSelectedText()) {
        from = selectionStart();
        to = from + static_cast<int>(selectedText().size());
    }
    *start = ByteOffsetFromIndex(t, from);
    *end = ByteOffsetFromIndex(t, to);
}

void EditWindow::setSelection(long start, long end) {
    const QString t = QLineEdit::text();
    if (start < 0) { // -1 removes the selection and keeps the caret
        deselect();
        return;
    }
    if (end < 0) {
        end = ByteOffsetFromIndex(t, static_cast<int>(t.size()));
    }
    const int from = IndexFromByteOffset(t, start);
    const int to = IndexFromByteOffset(t, end);
    // The caret stands at the end given last, so start > end selects backwards.
    QLineEdit::setSelection(from, to - from);
    if (from == to) {
        setCursorPosition(from);
    }
}

LRESULT EditWindow::classProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case EM_GETSEL: {
        long start = 0, end = 0;
        selection(&start, &end);
        if (wParam) {
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        }
        if (lParam) {
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        }
        return static_cast<LRESULT>(MAKELPARAM(static_cast<int>(start), static_cast<int>(end)) &
                                    0xFFFFFFFF);
    }
    case EM_SETSEL:
        setSelection(static_cast<long>(static_cast<int>(wParam)),
                     static_cast<long>(static_cast<int>(lParam)));
        return 0;
    case EM_REPLACESEL: {
        insert(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
        return 0;
    }
    case EM_SCROLLCARET:
        // QLineEdit keeps its caret in view by itself.
        return TRUE;
    case EM_LIMITTEXT:
        m_limit = wParam == 0 || wParam > kDefaultLimit ? kDefaultLimit : static_cast<int>(wParam);
        return 0;
    case EM_SETREADONLY:
        applyReadOnly(wParam != 0);
        return TRUE;
    default:
        return WindowBridge::classProc(message, wParam, lParam);
    }
}

void EditWindow::keyPressEvent(QKeyEvent* e) {
    translateKeyPress(e, [this, e] {
        // A digits-only field refuses every other typed character.
        if ((WindowBridge::windowStyle() & ES_NUMBER) && TypesNonDigit(e)) {
            return;
        }
        if (TypesCharacter(e) && !isReadOnly()) {
            const auto kept = QLineEdit::text().size() - selectedText().size();
            if (kept + e->text().size() > m_limit) {
                return;
            }
        }
        QLineEdit::keyPressEvent(e);
    });
}

void EditWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    Bridged<QLineEdit>::mousePressEvent(e);
}

void EditWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    Bridged<QLineEdit>::mouseReleaseEvent(e);
}

void EditWindow::inputMethodEvent(QInputMethodEvent* e) {
    if (!attached() || e->commitString().isEmpty() || isReadOnly()) {
        Bridged<QLineEdit>::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent composing(e->preeditString(), e->attributes());
    composing.setCommitString(QString(), e->replacementStart(), e->replacementLength());
    Bridged<QLineEdit>::inputMethodEvent(&composing);
    QPointer<QWidget> alive = this;
    for (const char32_t ch : e->commitString().toUcs4()) {
        const QString typed = QString::fromUcs4(&ch, 1);
        dispatch(WM_CHAR, static_cast<WPARAM>(ch), 1, [this, typed] { insert(typed); });
        if (!alive) {
            return;
        }
    }
    e->accept();
}

QWidget* CreateEditWindow(const WindowCreateParams& params) {
    if (params.style & ES_MULTILINE) {
        return CreateMultiLineEditWindow(params);
    }
    auto* edit = new EditWindow(params.parent);
    edit->setWindowStyle(params.style);
    edit->setWindowText(params.text);
    edit->setFrame(params.style & WS_BORDER);
    edit->fitTextMargins();
    return edit;
}

void EditWindow::fitTextMargins() {
    // The window system's edit keeps its text kBorderGap pixels from its outer edge (a
    // one-pixel border and a one-pixel margin); Qt's frame and its own margin take more and
    // would cut the end of a number the template's width was made for.
    constexpr int kBorderGap = 2;
    constexpr int kQtTextMargin = 2; // the line edit's fixed inner margin beside its frame
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame =
        hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this) : 0;
    const int margin = std::min(0, kBorderGap - frame - kQtTextMargin);
    setTextMargins(margin, 0, margin, 0);
}
