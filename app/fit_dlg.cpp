// The parameter window: its settings, the fit (at once or on the worker), the points list and
// plot kept in step, and the parameter file saved and loaded.
#include "app/fit_dlg.h"

#include "app/choice_lists.h"
#include "app/file_fields.h"
#include "engine/ellipsoid.h"
#include "platform/ddx.h"
#include "platform/drop_files.h"
#include "platform/file_dialog.h"
#include "res/resource.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

constexpr const char* kTitle = "转换参数计算";
// The flag column's mark: a sign of its own, so the flag does not rest on colour.
constexpr const char* kFlagMark = "※";

struct ModelChoice {
    const char* text;
    FitModelChoice model;
};
const ModelChoice kModels[] = {
    {"七参数 (布尔莎)", FitModelChoice::Helmert7},
    {"三参数", FitModelChoice::Helmert3},
    {"四参数 (平面)", FitModelChoice::Plane4},
};

const char* const kConventions[] = {"位置矢量", "坐标框架"};

// The ellipsoid presets under their short names.
struct EllipsoidChoice {
    std::string text;
    std::string key;
};
const std::vector<EllipsoidChoice>& Ellipsoids() {
    static const std::vector<EllipsoidChoice> choices = [] {
        std::vector<EllipsoidChoice> list;
        for (const EllipsoidPreset& preset : EllipsoidPresets()) {
            std::string_view name = preset.name;
            if (const size_t suffix = name.find("参考椭球"); suffix != std::string_view::npos) {
                name = name.substr(0, suffix);
            }
            list.push_back({std::string(name), std::string(preset.key)});
        }
        return list;
    }();
    return choices;
}

int IndexOf(const CComboBox& combo, int count) {
    const int index = combo.GetCurSel();
    return index >= 0 && index < count ? index : 0;
}

std::uintmax_t FileBytes(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// The list's columns: name, the residuals, their total, the statistic, the flag, the reason.
constexpr int kNameColumn = 0;
int TotalColumn(bool helmert) {
    return helmert ? 4 : 3;
}

// A row's text in a column after the name; total is TotalColumn's.
const char* CellText(const FitRow& row, int column, int total) {
    if (column < total) {
        const size_t k = static_cast<size_t>(column - 1);
        return k < row.residuals.size() ? row.residuals[k].c_str() : "";
    }
    switch (column - total) {
    case 0:
        return row.total.c_str();
    case 1:
        return row.statistic.c_str();
    case 2:
        return row.flagged ? kFlagMark : "";
    default:
        return row.reason.c_str();
    }
}

// The same points in the same order, each in both files or in one only as before: the rows
// of the one view can become the other's in place.
bool SamePoints(const std::vector<FitRow>& a, const std::vector<FitRow>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const FitRow& x, const FitRow& y) {
        return x.matched == y.matched && x.name == y.name;
    });
}

} // namespace

CFitDlg::CFitDlg(FitBackend backend, CWnd* pParent)
    : CDialog(IDD_FIT_DIALOG, pParent), m_backend(std::move(backend)) {}

CFitDlg::~CFitDlg() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void CFitDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIT_SOURCE, m_editSource);
    DDX_Control(pDX, IDC_FIT_BROWSE_SOURCE, m_btnBrowseSource);
    DDX_Control(pDX, IDC_FIT_TARGET, m_editTarget);
    DDX_Control(pDX, IDC_FIT_BROWSE_TARGET, m_btnBrowseTarget);
    DDX_Control(pDX, IDC_FIT_COLUMNS, m_editColumns);
    DDX_Control(pDX, IDC_FIT_ANGLES, m_comboAngles);
    DDX_Control(pDX, IDC_FIT_HEADER, m_checkHeader);
    DDX_Control(pDX, IDC_FIT_MODEL, m_comboModel);
    DDX_Control(pDX, IDC_FIT_CONVENTION, m_comboConvention);
    DDX_Control(pDX, IDC_FIT_FROM_ELLIPSOID, m_comboFromEllipsoid);
    DDX_Control(pDX, IDC_FIT_TO_ELLIPSOID, m_comboToEllipsoid);
    DDX_Control(pDX, IDC_FIT_COMPUTE, m_btnCompute);
    DDX_Control(pDX, IDC_FIT_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_FIT_LOAD, m_btnLoad);
    DDX_Control(pDX, IDC_FIT_POINTS, m_listPoints);
    DDX_Control(pDX, IDC_FIT_PLOT, m_plot);
    DDX_Control(pDX, IDC_FIT_RESULT, m_editResult);
}

BOOL CFitDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Fill(m_comboAngles, kAngles);
    Fill(m_comboModel, kModels);
    for (const char* text : kConventions) {
        m_comboConvention.AddString(text);
    }
    m_comboConvention.SetCurSel(0);
    for (CComboBox* combo : {&m_comboFromEllipsoid, &m_comboToEllipsoid}) {
        for (const EllipsoidChoice& choice : Ellipsoids()) {
            combo->AddString(choice.text.c_str());
        }
    }
    // From the satellite system to the older national one: the usual direction of the work.
    m_comboFromEllipsoid.SetCurSel(0);
    m_comboToEllipsoid.SetCurSel(std::min(2, m_comboToEllipsoid.GetCount() - 1));

    m_listPoints.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ShowColumns(true);
    // The report's columns line up in a fixed-pitch font.
    m_fontResult.CreatePointFont(90, "Liberation Mono");
    m_editResult.SetFont(&m_fontResult);
    DragAcceptFiles(TRUE);
    UpdateControls();
    return TRUE;
}

FitInput CFitDlg::ReadInput() const {
    FitInput input;
    input.source = m_editSource.GetWindowText().str();
    input.target = m_editTarget.GetWindowText().str();
    input.columns = m_editColumns.GetWindowText().str();
    input.angles = Selected(m_comboAngles, kAngles).angles;
    input.header = m_checkHeader.GetCheck() == BST_CHECKED;
    input.model = Selected(m_comboModel, kModels).model;
    input.coordinateFrame = m_comboConvention.GetCurSel() == 1;
    const auto& ellipsoids = Ellipsoids();
    const int count = static_cast<int>(ellipsoids.size());
    input.fromEllipsoid = ellipsoids[static_cast<size_t>(IndexOf(m_comboFromEllipsoid, count))].key;
    input.toEllipsoid = ellipsoids[static_cast<size_t>(IndexOf(m_comboToEllipsoid, count))].key;
    input.exclude = m_exclude;
    return input;
}

void CFitDlg::OnOK() {
    OnCompute();
}

BOOL CFitDlg::OnCmdMsg(UINT nID, int nCode) {
    if (nCode == BN_CLICKED) {
        switch (nID) {
        case IDC_FIT_BROWSE_SOURCE:
            OnBrowse(m_editSource, "选择源坐标系的公共点文件");
            return TRUE;
        case IDC_FIT_BROWSE_TARGET:
            OnBrowse(m_editTarget, "选择目标坐标系的公共点文件");
            return TRUE;
        case IDC_FIT_COMPUTE:
            OnCompute();
            return TRUE;
        case IDC_FIT_SAVE:
            OnSave();
            return TRUE;
        case IDC_FIT_LOAD:
            OnLoad();
            return TRUE;
        default:
            break;
        }
    }
    if (nID == IDC_FIT_PLOT && nCode == STN_CLICKED) {
        OnPlotClicked();
        return TRUE;
    }
    if (nID == IDC_FIT_MODEL && nCode == CBN_SELCHANGE) {
        OnModelChanged();
        return TRUE;
    }
    return CDialog::OnCmdMsg(nID, nCode);
}

BOOL CFitDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_FIT_DONE:
        if (wParam == m_nWorkerFit) {
            OnFitDone();
        }
        *pResult = 0;
        return TRUE;
    case WM_FIT_AGAIN:
        if (std::exchange(m_bFitQueued, false)) {
            StartFit(ReadInput());
        }
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change && change->hdr.idFrom == IDC_FIT_POINTS && change->hdr.code == LVN_ITEMCHANGED) {
            OnPointChanged(*change);
            *pResult = 0;
            return TRUE;
        }
        return CDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
    default:
        return CDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
}

void CFitDlg::OnDropFiles(HDROP hDropInfo) {
    const std::vector<std::string> paths = DroppedFiles(hDropInfo, 2);
    if (paths.empty()) {
        return;
    }
    if (paths.size() == 2) {
        // Two files at once: the source and the target, in the order dropped.
        m_editSource.SetWindowText(paths[0].c_str());
        m_editTarget.SetWindowText(paths[1].c_str());
        return;
    }
    // One file: the field it was dropped on, or the lower half of the file rows for the
    // target; elsewhere the first empty field.
    POINT at{};
    DragQueryPoint(hDropInfo, &at);
    CRect target;
    m_editTarget.GetWindowRect(&target);
    ScreenToClient(&target);
    CRect source;
    m_editSource.GetWindowRect(&source);
    ScreenToClient(&source);
    const bool onTarget = at.y >= target.top && at.y < target.bottom;
    const bool onSource = at.y >= source.top && at.y < source.bottom;
    CEdit& field = onTarget                                              ? m_editTarget
                   : onSource || m_editSource.GetWindowTextLength() == 0 ? m_editSource
                                                                         : m_editTarget;
    field.SetWindowText(paths[0].c_str());
}

void CFitDlg::OnDestroy() {
    // The worker posts to this window: it must end before the window does.
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_pending.reset();
    CDialog::OnDestroy();
}

void CFitDlg::OnBrowse(CEdit& field, const char* title) {
    BrowseIntoField(this, field, kPointFileFilter, title);
}

void CFitDlg::OnModelChanged() {
    UpdateControls();
}

void CFitDlg::OnCompute() {
    // A fresh fit uses every matched point.
    m_exclude.clear();
    StartFit(ReadInput());
}

void CFitDlg::StartFit(FitInput input) {
    if (!m_backend.compute) {
        return;
    }
    if (m_worker.joinable()) {
        m_pending = std::move(input);
        return;
    }
    if (FileBytes(input.source) + FileBytes(input.target) <= kForegroundFitBytes) {
        ShowView(m_backend.compute(input));
        return;
    }
    m_editResult.SetWindowText("正在计算...");
    m_bResultShowsReport = false;
    UpdateControls();
    const WPARAM fit = ++m_nWorkerFit;
    m_worker = std::thread([this, fit, input = std::move(input)] {
        m_workerView = m_backend.compute(input);
        PostMessage(WM_FIT_DONE, fit);
    });
    UpdateControls();
}

void CFitDlg::FinishFit() {
    if (std::exchange(m_bFitQueued, false)) {
        StartFit(ReadInput());
    }
    while (m_worker.joinable()) {
        OnFitDone();
    }
}

void CFitDlg::OnFitDone() {
    if (!m_worker.joinable()) {
        return; // the fit was finished already (FinishFit); its message comes late
    }
    m_worker.join();
    if (m_pending) {
        // The user changed the points meanwhile: only the latest fit is worth showing.
        FitInput next = std::move(*m_pending);
        m_pending.reset();
        StartFit(std::move(next));
        return;
    }
    ShowView(m_workerView);
    UpdateControls();
}

void CFitDlg::ShowColumns(bool helmert) {
    if (m_columnsHelmert == helmert) {
        return;
    }
    m_columnsHelmert = helmert;
    while (m_listPoints.DeleteColumn(0)) {
    }
    // Widths that show every column but the reason's end in the template's list.
    m_listPoints.InsertColumn(kNameColumn, "点名", LVCFMT_LEFT, 62);
    int column = 1;
    const std::vector<const char*> residuals =
        helmert ? std::vector<const char*>{"北/毫米", "东/毫米", "高/毫米"}
                : std::vector<const char*>{"x/毫米", "y/毫米"};
    for (const char* heading : residuals) {
        m_listPoints.InsertColumn(column++, heading, LVCFMT_RIGHT, 52);
    }
    m_listPoints.InsertColumn(column++, "合计/毫米", LVCFMT_RIGHT, 62);
    m_listPoints.InsertColumn(column++, "T", LVCFMT_RIGHT, 44);
    m_listPoints.InsertColumn(column++, "粗差", LVCFMT_CENTER, 34);
    m_listPoints.InsertColumn(column, "说明", LVCFMT_LEFT, 96);
}

void CFitDlg::ShowView(const FitView& view) {
    if (!view.fitted) {
        // The list keeps what the user sees and ticks; the reason shows where the report was.
        m_editResult.SetWindowText(view.message.c_str());
        m_bResultShowsReport = false;
        m_view.fitted = false;
        m_view.parameterText.clear();
        UpdateControls();
        return;
    }
    // The selected point stays selected across fits.
    std::string selected;
    if (const int row = m_listPoints.GetNextItem(-1, LVNI_SELECTED);
        row >= 0 && static_cast<size_t>(row) < m_view.rows.size()) {
        selected = m_view.rows[static_cast<size_t>(row)].name;
    }
    // A tick fits the same points again: their rows take the new residuals in place and
    // keep their order, ticks, selection, the focus and the scroll position.
    const bool inPlace = m_bListShowsView && m_columnsHelmert == view.helmert &&
                         static_cast<size_t>(m_listPoints.GetItemCount()) == view.rows.size() &&
                         SamePoints(m_view.rows, view.rows);
    const FitView before = std::exchange(m_view, view);
    ShowColumns(view.helmert);
    ShowRows(inPlace ? &before.rows : nullptr);
    // Ten thousand lines of report take a frame to show: the same report is left as it is.
    if (!m_bResultShowsReport || view.report != before.report) {
        m_editResult.SetWindowText(view.report.c_str());
        m_bResultShowsReport = true;
    }
    for (size_t i = 0; i < m_view.rows.size() && !selected.empty(); ++i) {
        if (m_view.rows[i].name == selected) {
            m_listPoints.SetItemState(static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                                      LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    // A row that stayed selected tells nothing: the plot is told here.
    const int row = m_listPoints.GetNextItem(-1, LVNI_SELECTED);
    const auto point = std::find(m_plotRows.begin(), m_plotRows.end(), row);
    m_plot.SetCurSel(
        row < 0 || point == m_plotRows.end() ? -1 : static_cast<int>(point - m_plotRows.begin()));
    UpdateControls();
}

void CFitDlg::ShowRows(const std::vector<FitRow>* shown) {
    m_bFilling = true;
    m_listPoints.SetRedraw(FALSE);
    if (!shown) {
        m_listPoints.DeleteAllItems();
    }
    std::vector<PlotPoint> plot;
    m_plotRows.clear();
    const int total = TotalColumn(m_view.helmert);
    m_listTicks.resize(m_view.rows.size());
    for (size_t i = 0; i < m_view.rows.size(); ++i) {
        const FitRow& row = m_view.rows[i];
        const int at = shown
                           ? static_cast<int>(i)
                           : m_listPoints.InsertItem(m_listPoints.GetItemCount(), row.name.c_str());
        // Only the texts that differ from the row's are set: a tick leaves most flags and
        // reasons as they were.
        for (int column = kNameColumn + 1; column <= total + 3; ++column) {
            const char* text = CellText(row, column, total);
            if (shown ? std::strcmp(text, CellText((*shown)[i], column, total)) != 0
                      : *text != '\0') {
                m_listPoints.SetItemText(at, column, text);
            }
        }
        if (!row.matched) {
            if (!shown) {
                m_listPoints.SetItemGrayed(at);
            }
        } else if (!shown || m_listTicks[i] != row.used) {
            m_listPoints.SetCheck(at, row.used);
        }
        m_listTicks[i] = row.matched && row.used;
        if (row.placed) {
            plot.push_back({row.x, row.y, row.vx, row.vy, row.used, row.flagged});
            m_plotRows.push_back(at);
        }
    }
    m_listPoints.SetRedraw(TRUE);
    m_plot.SetPoints(std::move(plot));
    m_bListShowsView = true;
    m_bFilling = false;
}

void CFitDlg::OnPointChanged(const NMLISTVIEW& change) {
    if (m_bFilling || change.iItem < 0 || static_cast<size_t>(change.iItem) >= m_view.rows.size()) {
        return;
    }
    if ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) {
        const FitRow& row = m_view.rows[static_cast<size_t>(change.iItem)];
        const bool ticked = change.uNewState & INDEXTOSTATEIMAGEMASK(2);
        m_listTicks[static_cast<size_t>(change.iItem)] = ticked;
        std::vector<std::string> exclude = m_exclude;
        std::erase(exclude, row.name);
        if (!ticked) {
            exclude.push_back(row.name);
        }
        // Left out in the order of the list, so the same points give the same fit.
        std::vector<std::string> ordered;
        for (const FitRow& other : m_view.rows) {
            if (std::find(exclude.begin(), exclude.end(), other.name) != exclude.end()) {
                ordered.push_back(other.name);
            }
        }
        m_exclude = std::move(ordered);
        if (!std::exchange(m_bFitQueued, true)) {
            PostMessage(WM_FIT_AGAIN);
        }
        return;
    }
    if (change.uNewState & LVIS_SELECTED) {
        const auto at = std::find(m_plotRows.begin(), m_plotRows.end(), change.iItem);
        m_plot.SetCurSel(at == m_plotRows.end() ? -1 : static_cast<int>(at - m_plotRows.begin()));
    }
}

void CFitDlg::OnPlotClicked() {
    const int point = m_plot.GetCurSel();
    if (point < 0 || static_cast<size_t>(point) >= m_plotRows.size()) {
        return;
    }
    const int row = m_plotRows[static_cast<size_t>(point)];
    m_listPoints.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listPoints.EnsureVisible(row, FALSE);
}

void CFitDlg::OnSave() {
    if (!m_view.fitted || m_view.parameterText.empty() || !m_backend.save) {
        return;
    }
    CFileDialog dlg(FALSE, "json", "params.json",
                    OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                    kParameterFileFilter, this);
    dlg.m_ofn.lpstrTitle = "保存转换参数";
    if (dlg.DoModal() != IDOK) {
        return;
    }
    const std::string refusal = m_backend.save(dlg.GetPathName().str(), m_view.parameterText);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CFitDlg::OnLoad() {
    if (!m_backend.load || m_worker.joinable()) {
        return;
    }
    const std::optional<std::string> path =
        ChooseFileToOpen(this, nullptr, kParameterFileFilter, "载入转换参数");
    if (!path) {
        return;
    }
    const FitView view = m_backend.load(*path);
    if (!view.fitted) {
        MessageBox(view.message.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The loaded file's points cannot be ticked again: their files are not read.
    m_exclude.clear();
    ShowView(view);
    for (int row = 0; row < m_listPoints.GetItemCount(); ++row) {
        m_listPoints.SetItemGrayed(row);
    }
    m_bListShowsView = false; // greyed, the rows are no longer the view's to update
}

void CFitDlg::UpdateControls() {
    const FitModelChoice model = Selected(m_comboModel, kModels).model;
    const bool helmert = model != FitModelChoice::Plane4;
    const bool busy = m_worker.joinable();
    m_comboConvention.EnableWindow(model == FitModelChoice::Helmert7);
    m_comboFromEllipsoid.EnableWindow(helmert);
    m_comboToEllipsoid.EnableWindow(helmert);
    m_btnSave.EnableWindow(!busy && m_view.fitted && !m_view.parameterText.empty());
    m_btnLoad.EnableWindow(!busy);
}
