// Window images over QWidget::grab.
#include "platform/snapshot.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

BOOL SaveWindowImage(HWND hWnd, const char* path) {
    if (!hWnd || !path) {
        return FALSE;
    }
    return hWnd->grab().save(QString::fromLocal8Bit(path), "PNG") ? TRUE : FALSE;
}
