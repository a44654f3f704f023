// The "BUTTON" window class: push buttons, radio buttons, check boxes and group boxes.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/private/window_bridge.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

// What every kind of clickable button answers: check state, push state, style, click.
class ButtonMessages {
public:
    static LRESULT Handle(WindowBridge& bridge, QAbstractButton& button, UINT message,
                          WPARAM wParam, LPARAM lParam, bool* handled);
    // Sends BN_CLICKED to the parent, as every button does when it is clicked.
    static void NotifyClicked(WindowBridge& bridge);
};

// A button the user clicks: its text is the window text, it answers the button messages, and
// each click tells the parent with BN_CLICKED.
template <class QtButton> class ClickableWindow : public Bridged<QtButton> {
public:
    explicit ClickableWindow(QWidget* parent) : Bridged<QtButton>(parent) {
        QObject::connect(this, &QAbstractButton::clicked, this,
                         [this] { ButtonMessages::NotifyClicked(*this); });
    }
    QString windowText() const override { return QtButton::text(); }
    void setWindowText(const QString& text) override { QtButton::setText(text); }
    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        bool handled = false;
        const LRESULT r = ButtonMessages::Handle(*this, *this, message, wParam, lParam, &handled);
        return handled ? r : WindowBridge::classProc(message, wParam, lParam);
    }
};

// A push button. It holds the mouse capture while pressed with the left button, and drops its
// pressed state when another window takes the capture away. With the owner-draw style it paints
// nothing itself: each paint asks the attached CButton's DrawItem.
class PushButtonWindow : public ClickableWindow<QPushButton> {
public:
    explicit PushButtonWindow(QWidget* parent = nullptr);
    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void drawOwnerItem(QPaintEvent* e);
    bool m_releasingCapture = false; // our own release at the end of a press
};

class RadioButtonWindow : public ClickableWindow<QRadioButton> {
public:
    explicit RadioButtonWindow(QWidget* parent = nullptr);

protected:
    // An automatic radio button checks itself and clears the others of its group.
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* e) override;
};

// A group of radio buttons whose first button has the tab-stop style is one stop for Tab: its
// checked button, or its first when none is checked. Called again whenever a check changes.
void ArrangeRadioGroup(QWidget* member);
// Every radio group among a dialog's controls, once the dialog has all of them.
void ArrangeRadioGroups(QWidget* dialog);

class CheckBoxWindow : public ClickableWindow<QCheckBox> {
public:
    explicit CheckBoxWindow(QWidget* parent = nullptr) : ClickableWindow<QCheckBox>(parent) {}
};

// A group box frames the controls inside it and holds them, so that assistive technology hears
// it as their group; it takes no focus and no clicks.
class GroupBoxWindow : public Bridged<QGroupBox> {
public:
    explicit GroupBoxWindow(QWidget* parent = nullptr);
    QString windowText() const override { return QGroupBox::title(); }
    void setWindowText(const QString& text) override { QGroupBox::setTitle(text); }
    bool nestsControls() const override { return true; }

protected:
    // The mouse reaches the dialog beneath, as if the frame were not there.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

// Puts each of a dialog's controls that lies inside a group box into the smallest such box,
// where it stays on the screen exactly where it was.
void NestControlsInGroupBoxes(const std::vector<QWidget*>& controls);
