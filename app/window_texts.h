// Sentences the desktop windows say about files and the desktop, gathered in one place so
// that every wording is found, checked and changed here.
#pragma once

namespace window_texts {

// Before a run replaces an existing output file; %s is its path.
inline constexpr const char* kReplaceOutput = "输出文件“%s”已存在。要用这次转换的结果替换它吗？";
// Closing a window while a run converts.
inline constexpr const char* kStopAndClose = "转换正在进行。要停止转换并关闭窗口吗？";
// The summary of a run that converted nothing and left the existing output untouched.
inline constexpr const char* kNothingConvertedOutputKept =
    "没有一条记录转换成功（失败 %llu 条），已有的输出文件保持原样，未被替换。";
// The desktop has nothing that opens a folder; %s is its path, to copy.
inline constexpr const char* kNoFileManager =
    "没有找到能打开文件夹的程序（文件管理器）。输出文件所在的文件夹是：\n%s";

} // namespace window_texts
