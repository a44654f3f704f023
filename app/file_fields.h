// What the batch and parameter windows do alike with their file fields: the file types they
// offer, a file chosen with the desktop's dialog into a field, and the paths of files dropped
// on a window.
#pragma once

#include "platform/edit.h"
#include "platform/win_types.h"
#include "platform/wnd.h"

#include <optional>
#include <string>
#include <vector>

// Files of points, and parameter files, in the file dialogs' filter form.
constexpr const char* kPointFileFilter =
    "文本文件 (*.txt;*.csv;*.dat)|*.txt;*.csv;*.dat|所有文件 (*.*)|*||";
constexpr const char* kParameterFileFilter = "参数文件 (*.json)|*.json|所有文件 (*.*)|*||";

// An existing file chosen with the desktop's open dialog, starting from initial; none when the
// user cancels.
std::optional<std::string> ChooseFileToOpen(CWnd* owner, const char* initial, const char* filter,
                                            const char* title);

// The same, starting from the field's path and putting the chosen one into it.
void BrowseIntoField(CWnd* owner, CEdit& field, const char* filter, const char* title);

// The paths of the files dropped, the first `most` of them.
std::vector<std::string> DroppedFiles(HDROP hDropInfo, UINT most);
