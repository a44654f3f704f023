// The real services over Qt, and the recorder the tests use.
#include "platform/services.h"

#include <QDesktopServices>
#include <QLocale>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace {

class QtServices : public Services {
public:
    int MessageBox(HWND owner, const CString& text, const char* caption, UINT type) override {
        QMessageBox box(owner ? owner->window() : nullptr);
        box.setWindowTitle(QString::fromUtf8(caption ? caption : ""));
        box.setText(QString::fromUtf8(text.GetString()));
        if ((type & 0xF0) == MB_ICONEXCLAMATION)
            box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return IDOK;
    }

    void OpenAddress(const CString& address) override {
        QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromUtf8(address.GetString())));
    }

    BOOL LocaleSeparators(std::string* decimal, std::string* group) override {
        const QLocale locale = QLocale::system();
        *decimal = locale.decimalPoint().toStdString();
        *group = locale.groupSeparator().toStdString();
        return TRUE;
    }
};

QtServices g_qtServices;
Services* g_services = nullptr;

} // namespace

Services& GetServices() {
    return g_services ? *g_services : g_qtServices;
}

Services* SetServices(Services* services) {
    Services* previous = g_services;
    g_services = services;
    return previous;
}

void ShellExecuteOpen(const CString& file) {
    GetServices().OpenAddress(file);
}

int RecordingServices::MessageBox(HWND owner, const CString& text, const char* caption, UINT type) {
    boxes.push_back(Box{owner, text.str(), caption ? caption : "", type});
    if (onMessageBox)
        onMessageBox(boxes.back());
    return IDOK;
}

void RecordingServices::OpenAddress(const CString& address) {
    opened.push_back(address.str());
}

BOOL RecordingServices::LocaleSeparators(std::string* decimalOut, std::string* groupOut) {
    if (!localeKnown)
        return FALSE;
    *decimalOut = decimal;
    *groupOut = group;
    return TRUE;
}
