// Menu bars from menu templates, over QMenuBar and QMenu.
#include "platform/menu.h"

#include "platform/dialog_template.h"
#include "platform/wnd.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

void AddItems(QWidget* menu, const std::vector<MenuItemTemplate>& items, HWND target) {
    for (const MenuItemTemplate& item : items) {
        const QString text = QString::fromUtf8(item.text);
        if (!item.popup.empty()) {
            auto* popup = new QMenu(text, menu);
            AddItems(popup, item.popup, target);
            if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
                bar->addMenu(popup);
            } else {
                static_cast<QMenu*>(menu)->addMenu(popup);
            }
            continue;
        }
        if (text.isEmpty()) {
            if (auto* popupMenu = qobject_cast<QMenu*>(menu)) {
                popupMenu->addSeparator();
            }
            continue;
        }
        auto* action = new QAction(text, menu);
        const int id = item.id;
        QPointer<QWidget> window = target;
        QObject::connect(action, &QAction::triggered, action, [window, id] {
            if (window) {
                SendMessage(window, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), 0), 0);
            }
        });
        menu->addAction(action);
    }
}

} // namespace

int CreateMenuBar(HWND hWnd, int menuId) {
    const MenuTemplate* menuTemplate = FindMenuTemplate(menuId);
    if (!hWnd || !menuTemplate) {
        return 0;
    }
    auto* bar = new QMenuBar(hWnd);
    if (menuTemplate->idName) {
        bar->setObjectName(QString::fromUtf8(menuTemplate->idName));
    }
    AddItems(bar, menuTemplate->items, hWnd);
    const int height = bar->sizeHint().height();
    bar->setGeometry(0, 0, hWnd->width(), height);
    bar->show();
    return height;
}
