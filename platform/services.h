// The one seam for what reaches outside the program: modal message boxes, the desktop's file
// dialogs, opening an address with the desktop's default handler, and the system locale's
// number separators. Tests install a recorder so that nothing blocks and nothing opens.
#pragma once

#include "platform/cstring.h"
#include "platform/win_types.h"

#include <functional>
#include <string>
#include <vector>

// What a file dialog is asked for. The filter lists name|patterns pairs, each pair's patterns
// separated by ';' ("文本文件 (*.txt)|*.txt;*.csv|所有文件 (*.*)|*.*||").
struct FileDialogRequest {
    bool open = true; // an existing file to read, or a file to write
    std::string title;
    std::string fileName; // the path the dialog starts from
    std::string filter;
    std::string defaultExt; // added to a name typed without an extension
    bool confirmOverwrite = true;
};

class Services {
public:
    virtual ~Services() = default;
    // A modal message box over owner; returns the id of the button that closed it.
    virtual int MessageBox(HWND owner, const CString& text, const char* caption, UINT type) = 0;
    // A modal file dialog over owner; TRUE with the chosen path, FALSE when cancelled.
    virtual BOOL ChooseFile(HWND owner, const FileDialogRequest& request, std::string* path) = 0;
    // Hands an address (a web address, or a file or folder path) to the desktop's default
    // handler ("open"); FALSE when the desktop has no program to hand it to.
    virtual BOOL OpenAddress(const CString& address) = 0;
    // The system locale's decimal and group separators as UTF-8 text; FALSE if unknown.
    virtual BOOL LocaleSeparators(std::string* decimal, std::string* group) = 0;
};

Services& GetServices();
// Installs a replacement (nullptr restores the real services); returns the one it replaces.
Services* SetServices(Services* services);

// ShellExecute with the verb "open"; FALSE when nothing could open it.
BOOL ShellExecuteOpen(const CString& file);

// Records every call; message boxes answer at once with `answer`, file dialogs with the next
// of `chosenFiles` (cancelled when none is left).
class RecordingServices : public Services {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT type;
    };
    std::vector<Box> boxes;
    std::vector<std::string> opened;
    std::vector<FileDialogRequest> fileDialogs;
    int answer = IDOK;
    BOOL openSucceeds = TRUE; // what OpenAddress answers
    std::vector<std::string> chosenFiles;
    std::string decimal = ".";
    std::string group = ",";
    BOOL localeKnown = TRUE;
    // Runs while a message box is "open", to observe the program at that moment.
    std::function<void(const Box&)> onMessageBox;

    int MessageBox(HWND owner, const CString& text, const char* caption, UINT type) override;
    BOOL ChooseFile(HWND owner, const FileDialogRequest& request, std::string* path) override;
    BOOL OpenAddress(const CString& address) override;
    BOOL LocaleSeparators(std::string* decimalOut, std::string* groupOut) override;
};

// Installs a recorder for the lifetime of the object.
class ScopedRecordingServices : public RecordingServices {
public:
    ScopedRecordingServices() : m_previous(SetServices(this)) {}
    ~ScopedRecordingServices() override { SetServices(m_previous); }
    ScopedRecordingServices(const ScopedRecordingServices&) = delete;
    ScopedRecordingServices& operator=(const ScopedRecordingServices&) = delete;

private:
    Services* m_previous;
};
