// What assistive technology hears of the layer's windows where Qt's own account is wrong: a
// radio button is a radio button even though the layer, not Qt, keeps its group exclusive; a
// label the keyboard reaches (the tab-stop style) is a link that opens when pressed; a label
// with a name of its own still lets its text be heard.
#include "platform/private/accessible_windows.h"

#include "platform/private/static_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>

namespace {

// "&Open" and "打开(&O)" as read aloud: "Open", "打开".
QString WithoutMnemonic(QString text) {
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
    text.remove(bracketed);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

class RadioButtonAccessible : public QAccessibleWidget {
public:
    explicit RadioButtonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return WithoutMnemonic(button()->text());
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            button()->click();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A label of the layer: a link when the keyboard reaches it (the tab-stop style) and it has a
// text, a picture when it shows an icon or has no text for the keys (a drawing the program
// makes, such as a plot), a text otherwise. A label given a name of its own (a summary that
// changes) keeps its text as the description, so both are heard.
class StaticAccessible : public QAccessibleWidget {
public:
    explicit StaticAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    QAccessible::Role role() const override {
        if (IsLink()) {
            return QAccessible::Link;
        }
        if (!label()->pixmap().isNull() || IsTabStop()) {
            return QAccessible::Graphic;
        }
        return QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        const QString own = label()->text();
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? WithoutMnemonic(own) : name;
        }
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty() &&
            !widget()->accessibleName().isEmpty()) {
            return own;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = IsLink();
        s.readOnly = !IsLink();
        return s;
    }
    QStringList actionNames() const override {
        return IsLink() ? QStringList{pressAction()} : QStringList{};
    }
    // Pressed, a link does what a click does.
    void doAction(const QString& action) override {
        if (!IsLink() || action != pressAction()) {
            return;
        }
        if (WindowBridge* bridge = WindowBridge::Of(widget())) {
            bridge->send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
            bridge->send(WM_LBUTTONUP, 0, 0);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    bool IsTabStop() const {
        const WindowBridge* bridge = WindowBridge::Of(widget());
        return bridge && (bridge->windowStyle() & WS_TABSTOP);
    }
    bool IsLink() const { return IsTabStop() && !label()->text().isEmpty(); }
};

// A drop-down list of a dialog. On this platform Qt names a combo box by its current entry
// and leaves the label to a relation; a screen reader then hears "六度带" where the dialog says
// "投影带: 六度带". The label's name is its name here, and the entry its value.
class ComboBoxAccessible : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value ||
            (t == QAccessible::Name && widget()->accessibleName().isEmpty())) {
            return combo()->currentText();
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view() && combo()->view()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            combo()->showPopup();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* LayerAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return nullptr;
    }
    if (className == QLatin1String("QRadioButton")) {
        return new RadioButtonAccessible(widget);
    }
    if (className == QLatin1String("QLabel") && dynamic_cast<StaticWindow*>(widget)) {
        return new StaticAccessible(widget);
    }
    if (className == QLatin1String("QComboBox") && WindowBridge::Of(widget)) {
        return new ComboBoxAccessible(widget);
    }
    return nullptr;
}

} // namespace

void InstallAccessibleWindows() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(LayerAccessible);
        return true;
    }();
}
