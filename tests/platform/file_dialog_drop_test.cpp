// File dialogs through the services seam, files dropped on a window, and messages posted to a
// window from another thread.
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/drop_files.h"
#include "platform/file_dialog.h"
#include "platform/services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kDropDialog = 9701;

const DialogTemplateRegistration kDialog{
    DialogTemplate{.id = kDropDialog,
                   .idName = "IDD_DROP_TEST",
                   .caption = "拖放",
                   .cx = 120,
                   .cy = 60,
                   .style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
                   .items = {{-1, nullptr, "EDIT", "", 5, 5, 100, 14, WS_BORDER | WS_TABSTOP, 0}}}};

class DropDialog : public CDialog {
public:
    DropDialog() : CDialog(kDropDialog) {}
    std::vector<std::vector<std::string>> drops;
    std::vector<WPARAM> posted;
    bool postedOnGuiThread = true;

    void OnDropFiles(HDROP hDrop) override {
        std::vector<std::string> files;
        const UINT count = DragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::string path(DragQueryFile(hDrop, i, nullptr, 0), '\0');
            DragQueryFile(hDrop, i, path.data(), static_cast<UINT>(path.size() + 1));
            files.push_back(path);
        }
        EXPECT_EQ(DragQueryFile(hDrop, count, nullptr, 0), 0u);
        drops.push_back(files);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message != WM_APP + 1) {
            return CDialog::OnWndMsg(message, wParam, lParam, pResult);
        }
        postedOnGuiThread = postedOnGuiThread && QThread::currentThread() == qApp->thread();
        posted.push_back(wParam);
        return TRUE;
    }
};

// Drags the URLs over the window and drops them there; whether the drop was taken.
bool Drop(QWidget* window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

TEST(FileDialog, TheRequestCarriesTheDialogsSetUpAndTheAnswerBecomesThePath) {
    struct Case {
        const char* name;
        BOOL open;
        DWORD flags;
        std::vector<std::string> answers;
        int result;
        const char* path;
        const char* fileName;
    };
    const Case cases[] = {
        {"open, chosen",
         TRUE,
         OFN_FILEMUSTEXIST,
         {"/data/测量/pts.txt"},
         IDOK,
         "/data/测量/pts.txt",
         "pts.txt"},
        {"save, chosen",
         FALSE,
         OFN_OVERWRITEPROMPT,
         {"/data/out.txt"},
         IDOK,
         "/data/out.txt",
         "out.txt"},
        {"save, cancelled", FALSE, 0, {}, IDCANCEL, "start.txt", "start.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedRecordingServices services;
        services.chosenFiles = c.answers;
        CFileDialog dlg(c.open, "txt", "start.txt", c.flags, "文本文件 (*.txt)|*.txt|所有文件|*||");
        dlg.m_ofn.lpstrTitle = "选择文件";
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.GetPathName(), c.path);
        EXPECT_EQ(dlg.GetFileName(), c.fileName);
        ASSERT_EQ(services.fileDialogs.size(), 1u);
        const FileDialogRequest& request = services.fileDialogs[0];
        EXPECT_EQ(request.open, c.open != FALSE);
        EXPECT_EQ(request.title, "选择文件");
        EXPECT_EQ(request.fileName, "start.txt");
        EXPECT_EQ(request.filter, "文本文件 (*.txt)|*.txt|所有文件|*||");
        EXPECT_EQ(request.defaultExt, "txt");
        EXPECT_EQ(request.confirmOverwrite, (c.flags & OFN_OVERWRITEPROMPT) != 0);
    }
}

TEST(FileDrop, LocalFilesDroppedOnAnAcceptingWindowArriveAsOneMessage) {
    DropDialog dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_FALSE(Drop(dlg.m_hWnd, {QUrl::fromLocalFile("/tmp/a.txt")}));
    EXPECT_TRUE(dlg.drops.empty());

    dlg.DragAcceptFiles(TRUE);
    EXPECT_TRUE(dlg.m_hWnd->acceptDrops());
    EXPECT_TRUE(Drop(dlg.m_hWnd, {QUrl::fromLocalFile("/tmp/点 1.txt"),
                                  QUrl(QStringLiteral("https://example.com/x.txt")),
                                  QUrl::fromLocalFile("/tmp/b.csv")}));
    // Only addresses that are no local files: nothing to take.
    EXPECT_FALSE(Drop(dlg.m_hWnd, {QUrl(QStringLiteral("https://example.com/x.txt"))}));
    ASSERT_EQ(dlg.drops.size(), 1u);
    EXPECT_EQ(dlg.drops[0], (std::vector<std::string>{"/tmp/点 1.txt", "/tmp/b.csv"}));

    dlg.DragAcceptFiles(FALSE);
    EXPECT_FALSE(Drop(dlg.m_hWnd, {QUrl::fromLocalFile("/tmp/a.txt")}));
    EXPECT_EQ(dlg.drops.size(), 1u);
    EXPECT_FALSE(dlg.m_hWnd->acceptDrops());
}

TEST(FileDrop, APathReadIntoAShortBufferIsCutAndTerminated) {
    struct Query {
        UINT size;
        UINT length;
        std::string text;
    };
    std::vector<Query> queries;
    // The handler reads the one path into buffers of several sizes.
    struct Reader : DropDialog {
        std::vector<Query>* out = nullptr;
        void OnDropFiles(HDROP hDrop) override {
            for (UINT size : {0u, 1u, 5u, 64u}) {
                char buffer[64] = "untouched";
                const UINT n = DragQueryFile(hDrop, 0, buffer, size);
                out->push_back({size, n, size ? std::string(buffer) : std::string()});
            }
        }
    } reader;
    reader.out = &queries;
    ASSERT_TRUE(reader.Create());
    reader.DragAcceptFiles(TRUE);
    ASSERT_TRUE(Drop(reader.m_hWnd, {QUrl::fromLocalFile("/tmp/pts.txt")}));
    const std::vector<std::pair<UINT, std::string>> expected{
        {0, ""}, {0, ""}, {4, "/tmp"}, {12, "/tmp/pts.txt"}};
    ASSERT_EQ(queries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(queries[i].size);
        EXPECT_EQ(queries[i].length, expected[i].first);
        EXPECT_EQ(queries[i].text, expected[i].second);
    }
}

TEST(PostedMessages, AnotherThreadsMessagesArriveInOrderOnTheWindowsThread) {
    DropDialog dlg;
    ASSERT_TRUE(dlg.Create());
    constexpr WPARAM kCount = 500;
    std::thread poster([&dlg] {
        for (WPARAM i = 0; i < kCount; ++i) {
            dlg.PostMessage(WM_APP + 1, i);
        }
    });
    poster.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.posted.size() == kCount; }, 5000));
    for (WPARAM i = 0; i < kCount; ++i) {
        ASSERT_EQ(dlg.posted[i], i);
    }
    EXPECT_TRUE(dlg.postedOnGuiThread);
}

} // namespace
