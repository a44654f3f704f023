// The real services over Qt, and the recorder the tests use.
#include "platform/services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>
#include <QWidget>

namespace {

// "name|*.a;*.b|..." as Qt writes a filter: "name (*.a *.b);;...", the name without any
// patterns of its own in brackets.
QString QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromUtf8(filter.c_str()).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        if (name.isEmpty()) {
            break;
        }
        if (const qsizetype bracket = name.indexOf(QLatin1Char('(')); bracket > 0) {
            name = name.left(bracket).trimmed();
        }
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(name, patterns.trimmed());
    }
    return entries.join(QStringLiteral(";;"));
}

// The window manager writes the title in the box's title bar, beside its buttons; a short
// message would leave the box narrower than its title, which the title bar then cuts.
void WidenForTitle(QMessageBox& box) {
    // The title bar's buttons, icon and margins, beside the text.
    constexpr int kTitleBarAllowance = 120;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int wanted =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarAllowance;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

class QtServices : public Services {
public:
    int MessageBox(HWND owner, const CString& text, const char* caption, UINT type) override {
        QMessageBox box(owner ? owner->window() : nullptr);
        box.setWindowTitle(QString::fromUtf8(caption ? caption : ""));
        box.setText(QString::fromUtf8(text.GetString()));
        if ((type & 0xF0) == MB_ICONEXCLAMATION) {
            box.setIcon(QMessageBox::Warning);
        } else if ((type & 0xF0) == MB_ICONQUESTION) {
            box.setIcon(QMessageBox::Question);
        }
        const bool yesNo = (type & 0x0F) == MB_YESNO;
        box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        // What a message says (an address, a path) can be selected and copied.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        WidenForTitle(box);
        const int clicked = box.exec();
        if (!yesNo) {
            return IDOK;
        }
        return clicked == QMessageBox::Yes ? IDYES : IDNO;
    }

    BOOL ChooseFile(HWND owner, const FileDialogRequest& request, std::string* path) override {
        QFileDialog dialog(owner ? owner->window() : nullptr,
                           QString::fromUtf8(request.title.c_str()),
                           QString::fromUtf8(request.fileName.c_str()), QtFilter(request.filter));
        dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        if (!request.defaultExt.empty()) {
            dialog.setDefaultSuffix(QString::fromUtf8(request.defaultExt.c_str()));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return FALSE;
        }
        *path = dialog.selectedFiles().front().toStdString();
        return TRUE;
    }

    // Qt reports failure when it finds no program (browser, file manager, xdg-open) to start.
    BOOL OpenAddress(const CString& address) override {
        return QDesktopServices::openUrl(
                   QUrl::fromUserInput(QString::fromUtf8(address.GetString())))
                   ? TRUE
                   : FALSE;
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

BOOL ShellExecuteOpen(const CString& file) {
    return GetServices().OpenAddress(file);
}

int RecordingServices::MessageBox(HWND owner, const CString& text, const char* caption, UINT type) {
    boxes.push_back(Box{owner, text.str(), caption ? caption : "", type});
    if (onMessageBox) {
        onMessageBox(boxes.back());
    }
    return answer;
}

BOOL RecordingServices::ChooseFile(HWND, const FileDialogRequest& request, std::string* path) {
    fileDialogs.push_back(request);
    if (chosenFiles.empty()) {
        return FALSE;
    }
    *path = chosenFiles.front();
    chosenFiles.erase(chosenFiles.begin());
    return TRUE;
}

BOOL RecordingServices::OpenAddress(const CString& address) {
    opened.push_back(address.str());
    return openSucceeds;
}

BOOL RecordingServices::LocaleSeparators(std::string* decimalOut, std::string* groupOut) {
    if (!localeKnown) {
        return FALSE;
    }
    *decimalOut = decimal;
    *groupOut = group;
    return TRUE;
}
