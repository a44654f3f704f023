// The application object and an open form, as the program has them, with the steps a user takes
// on it: find a field or button by its id name, type over a field, click.
#pragma once

#include "app/converter_app.h"
#include "app/converter_dlg.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <string>
#include <vector>

class Form {
public:
    CConverterApp app; // before the form: the form loads its icon through it
    CConverterDlg dlg;

    Form() {
        EXPECT_TRUE(dlg.Create());
        app.m_pMainWnd = &dlg;
        QApplication::setActiveWindow(dlg.m_hWnd);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.m_hWnd));
    }
    ~Form() { app.m_pMainWnd = nullptr; }

    QLineEdit* Field(const char* name) const {
        auto* edit = dlg.m_hWnd->findChild<QLineEdit*>(QString::fromUtf8(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    QAbstractButton* Button(const char* name) const {
        auto* button = dlg.m_hWnd->findChild<QAbstractButton*>(QString::fromUtf8(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    std::string Text(const char* name) const { return Field(name)->text().toStdString(); }
    // The number a field shows, read the way the form reads it.
    double Number(const char* name) const {
        bool ok = false;
        const double v = QLocale::c().toDouble(Field(name)->text().trimmed(), &ok);
        EXPECT_TRUE(ok) << name << ": " << Text(name);
        return v;
    }
    // Clicks into the field, selects its text with the keyboard and types over it.
    void Type(const char* name, const char* text) {
        QLineEdit* edit = Field(name);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
        if (*text == '\0') {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(edit, text);
        }
    }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    // The operation buttons that are enabled, in the form's order.
    std::vector<std::string> EnabledOperations() const {
        std::vector<std::string> on;
        for (const char* name :
             {"IDC_PROJ_3", "IDC_PROJ_6", "IDC_ADJ_3", "IDC_ADJ_6", "IDC_3_TO_6", "IDC_6_TO_3"}) {
            if (Button(name)->isEnabled()) {
                on.push_back(name);
            }
        }
        return on;
    }
};
