// CFitDlg: the parameter window beside the main form. It estimates transformation parameters
// from the common points of two files: the points with their residuals in a list and a plot,
// the report of the fit, and the parameter file saved or loaded. Unticking a point fits
// again at once without it. A fit of large files runs on a worker thread, so the window never
// stops answering; a small one runs at once.
#pragma once

#include "app/fit_job.h"
#include "app/fit_plot.h"
#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/gdi_objects.h"
#include "platform/list_ctrl.h"

#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The worker's fit has ended (wParam: which fit); a fit asked for while the list was telling
// of a tick.
constexpr UINT WM_FIT_DONE = WM_APP + 11;
constexpr UINT WM_FIT_AGAIN = WM_APP + 12;

// Files larger than this together are fitted on the worker: reading and fitting about a
// thousand points takes a frame's time (bench/fit_window_bench).
constexpr std::uintmax_t kForegroundFitBytes = 48 * 1024;

class CFitDlg : public CDialog {
public:
    explicit CFitDlg(FitBackend backend, CWnd* pParent = nullptr);
    ~CFitDlg() override;

    CEdit m_editSource;
    CButton m_btnBrowseSource;
    CEdit m_editTarget;
    CButton m_btnBrowseTarget;
    CEdit m_editColumns;
    CComboBox m_comboAngles;
    CButton m_checkHeader;
    CComboBox m_comboModel;
    CComboBox m_comboConvention;
    CComboBox m_comboFromEllipsoid;
    CComboBox m_comboToEllipsoid;
    CButton m_btnCompute;
    CButton m_btnSave;
    CButton m_btnLoad;
    CListCtrl m_listPoints;
    CFitPlot m_plot;
    CEdit m_editResult;

    // The settings as the window shows them, with the points the user unticked left out.
    FitInput ReadInput() const;
    // The view shown last.
    const FitView& GetView() const { return m_view; }
    BOOL IsFitting() const { return m_worker.joinable(); }
    // Runs a fit asked for and not yet begun, waits for one on the worker, and shows it
    // (tests, screenshots).
    void FinishFit();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter computes.
    void OnOK() override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnDropFiles(HDROP hDropInfo) override;
    void OnDestroy() override;

    void OnBrowse(CEdit& field, const char* title);
    void OnModelChanged();
    void OnCompute();
    void OnSave();
    void OnLoad();
    void OnPointChanged(const NMLISTVIEW& change);
    void OnPlotClicked();
    void OnFitDone();

private:
    // Fits the input: at once for small files, else on the worker (a fit asked for while one
    // runs waits for it, and only the latest waits).
    void StartFit(FitInput input);
    void ShowView(const FitView& view);
    void ShowColumns(bool helmert);
    // Fills the list with the view's rows, or, given the rows it shows (the same points),
    // sets only what differs.
    void ShowRows(const std::vector<FitRow>* shown);
    void UpdateControls();

    FitBackend m_backend;
    FitView m_view;
    std::vector<std::string> m_exclude; // the points the user unticked
    std::vector<int> m_plotRows;        // the list row of each point in the plot
    std::vector<bool> m_listTicks;      // each row's tick as the list last told it
    bool m_bFilling = false;            // the list is being filled: its notices are ours
    bool m_bListShowsView = false;      // the list holds m_view's rows as ShowRows left them
    bool m_bResultShowsReport = false;  // the result field holds m_view's report
    std::optional<bool> m_columnsHelmert;
    CFont m_fontResult;

    std::thread m_worker;
    WPARAM m_nWorkerFit = 0; // counts the worker's fits, so a late message is told apart
    FitView m_workerView;
    std::optional<FitInput> m_pending;
    // A tick changed: the fit runs once the list has finished telling of it, since the fit
    // fills the list anew.
    bool m_bFitQueued = false;
};
