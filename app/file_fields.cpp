// The windows' file fields: the open dialog and dropped files.
#include "app/file_fields.h"

#include "platform/drop_files.h"
#include "platform/file_dialog.h"

std::optional<std::string> ChooseFileToOpen(CWnd* owner, const char* initial, const char* filter,
                                            const char* title) {
    CFileDialog dlg(TRUE, nullptr, initial,
                    OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, filter, owner);
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) {
        return std::nullopt;
    }
    return dlg.GetPathName().str();
}

void BrowseIntoField(CWnd* owner, CEdit& field, const char* filter, const char* title) {
    const CString current = field.GetWindowText();
    if (const auto path = ChooseFileToOpen(owner, current.GetString(), filter, title)) {
        field.SetWindowText(path->c_str());
    }
}

std::vector<std::string> DroppedFiles(HDROP hDropInfo, UINT most) {
    const UINT count = DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    for (UINT i = 0; i < count && i < most; ++i) {
        std::string path(DragQueryFile(hDropInfo, i, nullptr, 0), '\0');
        DragQueryFile(hDropInfo, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    return paths;
}
