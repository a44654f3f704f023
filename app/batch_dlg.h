// CBatchDlg: the batch window beside the main form. It converts one whole file with the
// settings chosen in it: the input and a preview of its first records, the operation, zone
// system, ellipsoid, angle form, method and central meridian (or an EPSG code that sets them),
// the zone rule (or, for 3° <-> 6°, the target system's EPSG code), and the output, which by
// default is the input's name with
// "_out" before the extension. The run goes on a worker thread (CBatchRun); the window moves
// its progress bar, and when the run ends shows a summary and the records that failed.
#pragma once

#include "app/batch_job.h"
#include "app/batch_run.h"
#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_ctrl.h"
#include "platform/progress_ctrl.h"
#include "platform/static.h"

#include <chrono>
#include <string>
#include <vector>

// The output name offered for an input: "_out" before the extension of the file's name
// ("pts.txt" -> "pts_out.txt", "pts" -> "pts_out"); empty for an empty input.
std::string DefaultOutputName(const std::string& input);

class CBatchDlg : public CDialog {
public:
    // Without a backend's job maker the window cannot run; without its preview the preview
    // stays empty.
    explicit CBatchDlg(BatchBackend backend, CWnd* pParent = nullptr);
    ~CBatchDlg() override;

    CEdit m_editInput;
    CButton m_btnBrowseIn;
    CEdit m_editColumns;
    CButton m_checkHeader;
    CListCtrl m_listPreview;
    CComboBox m_comboOperation;
    CComboBox m_comboZoneWidth;
    CComboBox m_comboEllipsoid;
    CComboBox m_comboAngles;
    CEdit m_editA;
    CEdit m_editAlfa;
    CComboBox m_comboMethod;
    CEdit m_editMeridian;
    CButton m_checkNoPrefix;
    CComboBox m_comboZoneRule;
    CEdit m_editEpsg;
    CEdit m_editTargetEpsg;
    CStatic m_staticEpsgMatch;
    CEdit m_editDatumParams;
    CButton m_btnBrowseDatum;
    CEdit m_editPlaneParams;
    CButton m_btnBrowsePlane;
    CEdit m_editOutput;
    CButton m_btnBrowseOut;
    CButton m_btnRun;
    CButton m_btnStop;
    CProgressCtrl m_progress;
    CStatic m_staticSummary;
    CListCtrl m_listErrors;
    CButton m_btnOpenFolder;

    // The settings as the window shows them; FALSE (after a prompt at the field) when a or
    // alfa of a user-defined ellipsoid is not a usable number, or (after a message) when the
    // backend refuses them.
    BOOL ReadRequest(BatchRequest* pRequest);
    BOOL IsRunning() const { return m_run.IsRunning(); }
    // Whether the window may go now, as when the program is closed: during a run only once
    // the user agrees to stop it, and then after it has stopped. TRUE when idle.
    BOOL StopForClosing();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter runs, when a run can start.
    void OnOK() override;
    // Escape, the close box and 关闭 hide the window; during a run only once the user agrees
    // to stop it, and then when it has stopped.
    void OnCancel() override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnDropFiles(HDROP hDropInfo) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDestroy() override;

    void OnBrowseInput();
    void OnBrowseOutput();
    void OnBrowseParameters(CEdit& field, const char* title);
    void OnInputChanged();
    void OnOperationChanged();
    void OnEllipsoidChanged();
    // A code typed into the EPSG field fills the projection settings, which stay editable.
    void OnEpsgChanged();
    // A target code for 3° <-> 6° takes the ellipsoid of its system.
    void OnTargetEpsgChanged();
    void OnRun();
    void OnStop();
    void OnOpenFolder();
    void OnRunProgress(WPARAM permille);
    void OnRunFailed();
    void OnRunDone();

private:
    // Every choice but the ellipsoid's numbers, which only a run reads.
    BatchRequest ChosenRequest() const;
    void UpdatePreview();
    // Enables each control for the window's state: idle or running, and the chosen operation
    // and ellipsoid.
    void UpdateControls();
    // The line under the settings: the EPSG codes of the projection they describe.
    void UpdateCrsText();
    void ShowFailures();
    void ShowRunningSummary();
    double ElapsedSeconds() const;
    // The question before a run stops for the window to close; TRUE for yes.
    BOOL AskToStop();
    // FALSE when output names an existing file the user does not want replaced (asked once
    // per name, unless the save dialog has asked).
    BOOL MayReplace(const std::string& output);
    // Empties the summary, the failed records, the bar and the folder of the last run.
    void ClearLastRun();
    // Notes where every control sits at the template's size, for OnSize.
    void RememberLayout();

    BatchBackend m_backend;
    CBatchRun m_run;
    std::string m_strAutoOutput;      // the output name last offered, while the user keeps it
    std::string m_strRunOutput;       // the output of the run going or last run
    std::string m_strOutputFolder;    // of the last output written
    std::string m_strEpsgNote;        // what the EPSG field's text is not, or that it is deprecated
    std::string m_strTargetNote;      // that the target code is deprecated
    std::string m_strConfirmedOutput; // an existing file the user agreed to replace
    std::chrono::steady_clock::time_point m_started;
    WPARAM m_permille = 0;
    std::size_t m_nListed = 0;
    BOOL m_bCloseWhenStopped = FALSE;
    struct Placed {
        CWnd* pWnd;
        CRect rect; // in the client area, at the template's size
    };
    std::vector<Placed> m_layout;
    CSize m_szLaidOut;
};
