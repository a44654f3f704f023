// File drops over Qt's drag and drop: a filter on the accepting window takes drags that carry
// local files and turns the drop into WM_DROPFILES.
#include "platform/drop_files.h"

#include "platform/private/window_bridge.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

struct GkDrop {
    std::vector<std::string> paths;
    QPoint point; // in the accepting window's client area
};

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    return paths;
}

class DropFilter : public QObject {
public:
    explicit DropFilter(QWidget* window) : QObject(window) { setObjectName(kName); }
    static constexpr const char* kName = "gk_drop_filter";

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (LocalFiles(drag->mimeData()).empty()) {
                drag->ignore();
            } else {
                drag->acceptProposedAction();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            GkDrop files{LocalFiles(drop->mimeData()), drop->position().toPoint()};
            if (files.paths.empty()) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            SendMessage(static_cast<QWidget*>(watched), WM_DROPFILES,
                        reinterpret_cast<WPARAM>(&files), 0);
            return true;
        }
        default:
            return false;
        }
    }
};

} // namespace

void CWnd::DragAcceptFiles(BOOL bAccept) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    if (!bridge) {
        return;
    }
    QObject* filter =
        m_hWnd->findChild<QObject*>(QLatin1String(DropFilter::kName), Qt::FindDirectChildrenOnly);
    if (bAccept && !filter) {
        m_hWnd->installEventFilter(new DropFilter(m_hWnd));
    } else if (!bAccept && filter) {
        delete filter;
    }
    m_hWnd->setAcceptDrops(bAccept != FALSE);
    bridge->setExStyle(bAccept ? bridge->exStyle() | WS_EX_ACCEPTFILES
                               : bridge->exStyle() & ~WS_EX_ACCEPTFILES);
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, char* lpszFile, UINT cch) {
    if (!hDrop) {
        return 0;
    }
    if (iFile == 0xFFFFFFFF) {
        return static_cast<UINT>(hDrop->paths.size());
    }
    if (iFile >= hDrop->paths.size()) {
        return 0;
    }
    const std::string& path = hDrop->paths[iFile];
    if (!lpszFile) {
        return static_cast<UINT>(path.size());
    }
    if (cch == 0) {
        return 0;
    }
    const size_t n = std::min<size_t>(path.size(), cch - 1);
    std::memcpy(lpszFile, path.data(), n);
    lpszFile[n] = '\0';
    return static_cast<UINT>(n);
}

BOOL DragQueryPoint(HDROP hDrop, POINT* lppt) {
    if (!hDrop || !lppt) {
        return FALSE;
    }
    lppt->x = hDrop->point.x();
    lppt->y = hDrop->point.y();
    return TRUE;
}
