// Build tool behind scripts/screenshot: fits seven parameters to the common points of a small
// survey, one of which the fit flags, selects that point and saves the window's
// image to the PNG file named on the command line.
#include "app/fit_backend.h"
#include "app/fit_dlg.h"
#include "platform/snapshot.h"
#include "platform/win_app.h"
#include "res/resource.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const char* g_output = nullptr;
constexpr UINT WM_TAKE_PICTURE = WM_APP + 60;

constexpr const char* kWgs84 = "# WGS 84: 点名, B, L, H\n"
                               "GPS01,30.525276138,114.395873418,58.341\n"
                               "GPS02,30.469510091,114.384510083,47.577\n"
                               "GPS03,30.558731934,114.200845374,19.131\n"
                               "GPS04,30.492201065,114.378990655,28.600\n"
                               "GPS05,30.520384641,114.258881825,53.546\n"
                               "GPS06,30.626846539,114.282445462,59.935\n"
                               "GPS07,30.414926270,114.397530520,54.763\n"
                               "GPS08,30.436219715,114.367559212,41.473\n";
// GPS06 lies 4 cm north of where the others put it: the point the fit flags.
constexpr const char* kBeijing54 = "# 北京54: 点名, B, L, H\n"
                                   "GPS01,30.525300288,114.395954368,-202.971\n"
                                   "GPS02,30.469532769,114.384590924,-213.740\n"
                                   "GPS03,30.558756547,114.200920920,-242.322\n"
                                   "GPS04,30.492224285,114.379071206,-232.724\n"
                                   "GPS06,30.626873782,114.282523055,-201.465\n"
                                   "GPS07,30.414947549,114.397611819,-206.551\n"
                                   "GPS08,30.436241518,114.367639656,-219.871\n"
                                   "BM12,30.612345670,114.276543200,44.210\n";

class CScreenshotFitDlg : public CFitDlg {
public:
    CScreenshotFitDlg(std::string source, std::string target)
        : CFitDlg(CommonPointBackend()), m_source(std::move(source)), m_target(std::move(target)) {}
    BOOL m_bSaved = FALSE;

protected:
    BOOL OnInitDialog() override {
        CFitDlg::OnInitDialog();
        m_editSource.SetWindowText(m_source.c_str());
        m_editTarget.SetWindowText(m_target.c_str());
        m_editColumns.SetWindowText("name,B,L,H");
        m_comboAngles.SetCurSel(1); // decimal degrees
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_FIT_COMPUTE, BN_CLICKED));
        PostMessage(WM_TAKE_PICTURE);
        return TRUE;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message != WM_TAKE_PICTURE) {
            return CFitDlg::OnWndMsg(message, wParam, lParam, pResult);
        }
        FinishFit();
        for (int row = 0; row < m_listPoints.GetItemCount(); ++row) {
            if (m_listPoints.GetItemText(row, 6) == "※") {
                m_listPoints.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED,
                                          LVIS_SELECTED | LVIS_FOCUSED);
            }
        }
        m_listPoints.SetFocus();
        m_bSaved = SaveWindowImage(m_hWnd, g_output);
        EndDialog(IDOK);
        *pResult = 0;
        return TRUE;
    }

private:
    std::string m_source;
    std::string m_target;
};

class CFitScreenshotApp : public CWinApp {
public:
    int m_nResult = 1;
    BOOL InitInstance() override {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "控制测量";
        std::filesystem::create_directories(folder);
        const std::string source = (folder / "公共点-WGS84.txt").string();
        const std::string target = (folder / "公共点-北京54.txt").string();
        std::ofstream(source, std::ios::binary) << kWgs84;
        std::ofstream(target, std::ios::binary) << kBeijing54;
        CScreenshotFitDlg dlg(source, target);
        dlg.DoModal();
        m_nResult = dlg.m_bSaved ? 0 : 1;
        std::filesystem::remove_all(folder);
        return FALSE;
    }
    int ExitInstance() override { return m_nResult; }
};

CFitScreenshotApp theApp;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gk_fit_screenshot <output.png>\n");
        return 2;
    }
    g_output = argv[1];
    const int status = AfxWinMain(argc, argv);
    if (status != 0) {
        std::fprintf(stderr, "gk_fit_screenshot: cannot write %s\n", g_output);
    }
    return status;
}
