// The "BUTTON" window class: push buttons, radio buttons, check boxes and group boxes.
#pragma once

#include "platform/window_bridge.h"

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

// A push button. It holds the mouse capture while pressed with the left button, and drops its
// pressed state when another window takes the capture away. With the owner-draw style it paints
// nothing itself: each paint asks the attached CButton's DrawItem.
class PushButtonWindow : public Bridged<QPushButton> {
public:
    explicit PushButtonWindow(QWidget* parent = nullptr);
    QString windowText() const override { return QPushButton::text(); }
    void setWindowText(const QString& text) override { QPushButton::setText(text); }
    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void drawOwnerItem(QPaintEvent* e);
    bool m_releasingCapture = false; // our own release at the end of a press
};

class RadioButtonWindow : public Bridged<QRadioButton> {
public:
    explicit RadioButtonWindow(QWidget* parent = nullptr);
    QString windowText() const override { return QRadioButton::text(); }
    void setWindowText(const QString& text) override { QRadioButton::setText(text); }
    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // An automatic radio button checks itself and clears the others of its group.
    void nextCheckState() override;
};

class CheckBoxWindow : public Bridged<QCheckBox> {
public:
    explicit CheckBoxWindow(QWidget* parent = nullptr);
    QString windowText() const override { return QCheckBox::text(); }
    void setWindowText(const QString& text) override { QCheckBox::setText(text); }
    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class GroupBoxWindow : public Bridged<QGroupBox> {
public:
    explicit GroupBoxWindow(QWidget* parent = nullptr);
    QString windowText() const override { return QGroupBox::title(); }
    void setWindowText(const QString& text) override { QGroupBox::setTitle(text); }
};
