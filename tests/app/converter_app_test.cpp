// The application: start-up runs the form modally and ends with it; the minimised form shows
// the application icon.
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "platform/dc.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

TEST(ConverterApp, InitInstanceRunsTheFormCentredAndEndsWithIt) {
    CConverterApp app;
    bool sawForm = false;
    bool centred = false;
    CWnd* mainWhileOpen = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        sawForm = modal->objectName() == QStringLiteral("IDD_MAIN_DIALOG");
        const QPoint screenCentre = modal->screen()->availableGeometry().center();
        // Within the frame's margins, which the window system adds only once it is shown.
        const QRect frame = modal->frameGeometry();
        const int margins = frame.width() - modal->width() + frame.height() - modal->height();
        centred = (frame.center() - screenCentre).manhattanLength() <= margins;
        mainWhileOpen = app.m_pMainWnd;
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(app.InitInstance(), FALSE);
    EXPECT_TRUE(sawForm);
    EXPECT_TRUE(centred);
    EXPECT_NE(mainWhileOpen, nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr); // the form is gone with InitInstance
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

class PaintableDlg : public CConverterDlg {
public:
    using CConverterDlg::OnQueryDragIcon;
};

TEST(ConverterApp, TheMinimisedFormDrawsItsIconCentred) {
    CConverterApp app;
    PaintableDlg dlg;
    ASSERT_TRUE(dlg.Create());
    ASSERT_NE(dlg.m_hIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.OnQueryDragIcon()), dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);

    struct Case {
        const char* state;
        bool minimised;
    };
    const Case cases[] = {{"minimised", true}, {"open", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        if (c.minimised) {
            dlg.m_hWnd->showMinimized();
        } else {
            dlg.m_hWnd->showNormal();
        }
        ASSERT_EQ(dlg.IsIconic(), c.minimised ? TRUE : FALSE);
        QImage image(dlg.m_hWnd->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        dlg.m_hWnd->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        CImageDC(icon).DrawIcon(0, 0, dlg.m_hIcon);
        const int x = (dlg.m_hWnd->width() - 32 + 1) / 2;
        const int y = (dlg.m_hWnd->height() - 32 + 1) / 2;
        int same = 0, opaque = 0;
        for (int iy = 0; iy < icon.height(); ++iy) {
            for (int ix = 0; ix < icon.width(); ++ix) {
                if (qAlpha(icon.pixel(ix, iy)) == 255) {
                    ++opaque;
                    same += image.pixel(x + ix, y + iy) == icon.pixel(ix, iy);
                }
            }
        }
        ASSERT_GT(opaque, 100);
        if (c.minimised) {
            EXPECT_EQ(same, opaque);
        } else {
            EXPECT_LT(same, opaque / 2);
        }
    }
}

} // namespace
