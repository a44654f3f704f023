// A window of the program under test, shown and active, with the steps a user takes on it:
// find a control by its id name, type over a field, step a drop-down list to an entry, click.
// And a folder of files for the windows to read and write, gone with the test.
#pragma once

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

template <class Dlg> class DialogWindow {
public:
    std::unique_ptr<Dlg> dlg;

    // Creates the window, shows it and makes it the active one.
    void Open(std::unique_ptr<Dlg> made) {
        dlg = std::move(made);
        EXPECT_TRUE(dlg->Create());
        dlg->ShowWindow(SW_SHOW);
        QApplication::setActiveWindow(dlg->m_hWnd);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg->m_hWnd));
    }

    template <class W = QWidget> W* Item(const char* name) const {
        auto* w = dlg->m_hWnd->template findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Types over the field's text, as a user does.
    void Type(const char* name, const std::string& text) {
        auto* edit = Item<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromStdString(text));
    }
    // Steps a drop-down list down to the entry with that text, as with the arrow keys.
    void Choose(const char* name, const char* text) {
        auto* combo = Item<QComboBox>(name);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < combo->count() && combo->currentText() != QString::fromUtf8(text);
             ++i) {
            QTest::keyClick(combo, Qt::Key_Down);
        }
        EXPECT_EQ(combo->currentText().toStdString(), text);
    }
    void Click(const char* name) { QTest::mouseClick(Item<QAbstractButton>(name), Qt::LeftButton); }
};

// A folder of the test's own, made empty and removed with everything in it.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        static int made = 0;
        path = std::filesystem::temp_directory_path() /
               ("gk_window_test_" + std::to_string(getpid()) + "_" + std::to_string(++made));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string file = (path / name).string();
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    std::string Path(const std::string& name) const { return (path / name).string(); }
    // The names in the folder, sorted: what a run left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
