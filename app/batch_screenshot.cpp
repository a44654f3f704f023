// Build tool behind scripts/screenshot: runs the batch window over a small field book with one
// bad record, from WGS 84 through a datum change onto Beijing 1954 and its zones, and saves the
// window's image, summary and failed record in view, to the PNG file named on the command line.
#include "app/batch_backend.h"
#include "app/batch_dlg.h"
#include "app/batch_run.h"
#include "platform/snapshot.h"
#include "platform/win_app.h"
#include "res/resource.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const char* g_output = nullptr;

constexpr const char* kFieldBook = "# 外业记录 2024-05-12\r\n"
                                   "K101,CP,30.3015,114.2030,25.312\r\n"
                                   "K102,CP,30.3102,114.2211,27.004\r\n"
                                   "K103,,30.3147,114.2405,26.871\r\n"
                                   "K104,CP,30.3x22,114.2518,24.950\r\n"
                                   "K105,,30.3311,114.2644,23.118\r\n";

// Seven parameters from WGS 84 to Beijing 1954 as the parameter window saves them.
constexpr const char* kDatum = R"({
  "model": "helmert7",
  "convention": "position_vector",
  "rotation": "small_angle",
  "tx_m": -12.6539,
  "ty_m": 118.7421,
  "tz_m": 53.2871,
  "rx_arcsec": 0.412305,
  "ry_arcsec": -2.118934,
  "rz_arcsec": 1.903381,
  "scale_ppm": -3.28714,
  "source_ellipsoid": "wgs84",
  "target_ellipsoid": "beijing54"
}
)";

// The window that starts its run as it opens and, once the run has ended, takes its picture.
class CScreenshotBatchDlg : public CBatchDlg {
public:
    CScreenshotBatchDlg(std::string input, std::string output, std::string datum)
        : CBatchDlg(FileConversionBackend()), m_input(std::move(input)),
          m_output(std::move(output)), m_datum(std::move(datum)) {}
    BOOL m_bSaved = FALSE;

protected:
    BOOL OnInitDialog() override {
        CBatchDlg::OnInitDialog();
        m_editColumns.SetWindowText("name,-,B,L,-");
        m_editEpsg.SetWindowText("4547");
        m_editInput.SetWindowText(m_input.c_str());
        m_editOutput.SetWindowText(m_output.c_str());
        m_editDatumParams.SetWindowText(m_datum.c_str());
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_BATCH_RUN, BN_CLICKED));
        return TRUE;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const BOOL handled = CBatchDlg::OnWndMsg(message, wParam, lParam, pResult);
        if (message == WM_BATCH_DONE) {
            m_bSaved = SaveWindowImage(m_hWnd, g_output);
            EndDialog(IDOK);
        }
        return handled;
    }

private:
    std::string m_input;
    std::string m_output;
    std::string m_datum;
};

class CBatchScreenshotApp : public CWinApp {
public:
    int m_nResult = 1;
    BOOL InitInstance() override {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "外业";
        std::filesystem::create_directories(folder);
        const std::string input = (folder / "第1天.txt").string();
        std::ofstream(input, std::ios::binary) << kFieldBook;
        const std::string datum = (folder / "WGS84-北京54.json").string();
        std::ofstream(datum, std::ios::binary) << kDatum;
        CScreenshotBatchDlg dlg(input, (folder / "第1天_out.txt").string(), datum);
        dlg.DoModal();
        m_nResult = dlg.m_bSaved ? 0 : 1;
        std::filesystem::remove_all(folder);
        return FALSE;
    }
    int ExitInstance() override { return m_nResult; }
};

CBatchScreenshotApp theApp;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gk_batch_screenshot <output.png>\n");
        return 2;
    }
    g_output = argv[1];
    const int status = AfxWinMain(argc, argv);
    if (status != 0) {
        std::fprintf(stderr, "gk_batch_screenshot: cannot write %s\n", g_output);
    }
    return status;
}
