// The one seam for what reaches outside the program: modal message boxes, opening an address
// with the desktop's default handler, and the system locale's number separators. Tests install
// a recorder so that nothing blocks and nothing opens.
#pragma once

#include "platform/cstring.h"
#include "platform/win_types.h"

#include <functional>
#include <string>
#include <vector>

class Services {
public:
    virtual ~Services() = default;
    // A modal message box over owner; returns the id of the button that closed it.
    virtual int MessageBox(HWND owner, const CString& text, const char* caption, UINT type) = 0;
    // Hands an address to the desktop's default handler ("open").
    virtual void OpenAddress(const CString& address) = 0;
    // The system locale's decimal and group separators as UTF-8 text; FALSE if unknown.
    virtual BOOL LocaleSeparators(std::string* decimal, std::string* group) = 0;
};

Services& GetServices();
// Installs a replacement (nullptr restores the real services); returns the one it replaces.
Services* SetServices(Services* services);

// ShellExecute with the verb "open".
void ShellExecuteOpen(const CString& file);

// Records every call; message boxes answer IDOK at once.
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
    std::string decimal = ".";
    std::string group = ",";
    BOOL localeKnown = TRUE;
    // Runs while a message box is "open", to observe the program at that moment.
    std::function<void(const Box&)> onMessageBox;

    int MessageBox(HWND owner, const CString& text, const char* caption, UINT type) override;
    void OpenAddress(const CString& address) override;
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
