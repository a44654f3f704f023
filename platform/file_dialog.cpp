// CFileDialog over the services seam.
#include "platform/file_dialog.h"

#include "platform/services.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt), m_strFilter(lpszFilter),
      m_strPathName(lpszFileName), m_pParentWnd(pParentWnd) {
    m_ofn.Flags = dwFlags;
}

int CFileDialog::DoModal() {
    FileDialogRequest request;
    request.open = m_bOpenFileDialog != FALSE;
    request.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
    request.fileName = m_strPathName.str();
    request.filter = m_strFilter.str();
    request.defaultExt = m_strDefExt.str();
    request.confirmOverwrite = (m_ofn.Flags & OFN_OVERWRITEPROMPT) != 0;
    std::string path;
    if (!GetServices().ChooseFile(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, request, &path)) {
        return IDCANCEL;
    }
    m_strPathName = CString(std::move(path));
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    const std::string& path = m_strPathName.str();
    const size_t slash = path.find_last_of('/');
    return CString(slash == std::string::npos ? path : path.substr(slash + 1));
}
