// CFileDialog: the desktop's dialog for choosing a file to open or to save, run modally through
// the services seam (platform/services.h), so tests answer it without a window.
#pragma once

#include "platform/wnd.h"

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// The parts of the dialog's set-up a program may change before DoModal.
struct OPENFILENAME {
    DWORD Flags = 0;
    const char* lpstrTitle = nullptr; // nullptr: the dialog's own title
};

class CFileDialog {
public:
    // lpszFilter pairs a name with its patterns: "文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*||".
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                         const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK once a file is chosen, IDCANCEL otherwise.
    int DoModal();
    // The chosen file's full path (before DoModal: the file name given).
    CString GetPathName() const { return m_strPathName; }
    // The chosen file's name without its folder.
    CString GetFileName() const;

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFilter;
    CString m_strPathName;
    CWnd* m_pParentWnd;
};
