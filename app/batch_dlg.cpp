// The batch window: its settings, the input's preview, the default output name, and a run on
// the worker with progress, summary and failed records.
#include "app/batch_dlg.h"

#include "app/choice_lists.h"
#include "app/file_fields.h"
#include "app/window_texts.h"
#include "engine/ellipsoid.h"
#include "platform/ddx.h"
#include "platform/drop_files.h"
#include "platform/file_dialog.h"
#include "platform/services.h"
#include "res/resource.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr UINT_PTR kTickTimer = 1;
// The running summary's clock ticks this often, so the window repaints well within 100 ms.
constexpr UINT kTickMs = 50;
constexpr const char* kTitle = "批量转换";
// The errors list's columns, in pixels at the template's size.
constexpr int kLineWidth = 60;
constexpr int kFieldWidth = 110;
constexpr int kExplanationWidth = 270;

struct OperationChoice {
    const char* text;
    BatchOperation operation;
    bool zoneWidth; // the zone system is chosen, not implied by the operation
    bool angles;    // the operation reads or writes angles
};
const OperationChoice kOperations[] = {
    {"正算", BatchOperation::Forward, true, true},
    {"反算", BatchOperation::Inverse, true, true},
    {"邻带换算", BatchOperation::Adjacent, true, false},
    {"三度带 --> 六度带", BatchOperation::ThreeToSix, false, false},
    {"六度带 --> 三度带", BatchOperation::SixToThree, false, false},
    {"坐标系转换", BatchOperation::Datum, false, true},
    {"平面四参数", BatchOperation::Plane, false, false},
};

struct ZoneWidthChoice {
    const char* text;
    int width;
};
const ZoneWidthChoice kZoneWidths[] = {{"三度带", 3}, {"六度带", 6}};

// The engine's presets under their short names, then 自定义, which starts from the Beijing 1954
// values, as on the form.
struct EllipsoidChoice {
    std::string text;
    std::string key; // empty for 自定义
    double a;
    double alfa;
};
const std::vector<EllipsoidChoice>& Ellipsoids() {
    static const std::vector<EllipsoidChoice> choices = [] {
        std::vector<EllipsoidChoice> list;
        for (const EllipsoidPreset& preset : EllipsoidPresets()) {
            std::string_view name = preset.name;
            if (const size_t suffix = name.find("参考椭球"); suffix != std::string_view::npos) {
                name = name.substr(0, suffix);
            }
            list.push_back({std::string(name), std::string(preset.key), preset.a, preset.alfa});
        }
        list.push_back({"自定义", "", Beijing1954().a, Beijing1954().alfa});
        return list;
    }();
    return choices;
}

// The selected ellipsoid; the window's list always has one.
const EllipsoidChoice& SelectedEllipsoid(const CComboBox& combo) {
    const std::vector<EllipsoidChoice>& choices = Ellipsoids();
    const int index = combo.GetCurSel();
    return choices[index >= 0 && static_cast<size_t>(index) < choices.size()
                       ? static_cast<size_t>(index)
                       : 0];
}

// The rule in force, and where the two put 114°30′E.
struct ZoneRuleChoice {
    const char* text;
    BatchZoneRule rule;
};
const ZoneRuleChoice kZoneRules[] = {
    {"整度规则（本程序原有：114°30′E 属六度带第 19 带）", BatchZoneRule::Form},
    {"标准分带（同 EPSG 代码：114°30′E 属六度带第 20 带）", BatchZoneRule::Standard},
};

struct MethodChoice {
    const char* text;
    BatchMethod method;
};
const MethodChoice kMethods[] = {
    {"经典级数", BatchMethod::Series},
    {"Krüger 级数", BatchMethod::Krueger},
};

// Selects the preset with this key; the list is left as it is for a key it lacks.
void SelectEllipsoid(CComboBox& combo, const std::string& key) {
    const std::vector<EllipsoidChoice>& ellipsoids = Ellipsoids();
    for (size_t i = 0; i < ellipsoids.size(); ++i) {
        if (ellipsoids[i].key == key) {
            combo.SetCurSel(static_cast<int>(i));
        }
    }
}

// 3° <-> 6°, whose target an EPSG code may fix.
bool IsZoneChange(BatchOperation operation) {
    return operation == BatchOperation::ThreeToSix || operation == BatchOperation::SixToThree;
}

// Seconds with one decimal, whatever the user's locale.
std::string Seconds(double seconds) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

// The ellipsoid chosen in the window plays a part: not in a datum change or a plane
// transformation alone, nor where a datum change's file names it.
bool UsesEllipsoid(const BatchRequest& request) {
    return request.operation != BatchOperation::Datum &&
           request.operation != BatchOperation::Plane && request.datumParams.empty();
}

std::string FolderOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).parent_path().string();
}

} // namespace

std::string DefaultOutputName(const std::string& input) {
    if (input.empty()) {
        return {};
    }
    const size_t slash = input.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = input.find_last_of('.');
    // A name whose only dot starts it (".survey") has no extension.
    if (dot == std::string::npos || dot <= nameStart) {
        return input + "_out";
    }
    return input.substr(0, dot) + "_out" + input.substr(dot);
}

CBatchDlg::CBatchDlg(BatchBackend backend, CWnd* pParent)
    : CDialog(IDD_BATCH_DIALOG, pParent), m_backend(std::move(backend)) {}

CBatchDlg::~CBatchDlg() = default;

void CBatchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BATCH_INPUT, m_editInput);
    DDX_Control(pDX, IDC_BATCH_BROWSE_IN, m_btnBrowseIn);
    DDX_Control(pDX, IDC_BATCH_COLUMNS, m_editColumns);
    DDX_Control(pDX, IDC_BATCH_HEADER, m_checkHeader);
    DDX_Control(pDX, IDC_BATCH_PREVIEW, m_listPreview);
    DDX_Control(pDX, IDC_BATCH_OPERATION, m_comboOperation);
    DDX_Control(pDX, IDC_BATCH_ZONE_WIDTH, m_comboZoneWidth);
    DDX_Control(pDX, IDC_BATCH_ELLIPSOID, m_comboEllipsoid);
    DDX_Control(pDX, IDC_BATCH_ANGLES, m_comboAngles);
    DDX_Control(pDX, IDC_BATCH_A, m_editA);
    DDX_Control(pDX, IDC_BATCH_ALFA, m_editAlfa);
    DDX_Control(pDX, IDC_BATCH_METHOD, m_comboMethod);
    DDX_Control(pDX, IDC_BATCH_MERIDIAN, m_editMeridian);
    DDX_Control(pDX, IDC_BATCH_NO_PREFIX, m_checkNoPrefix);
    DDX_Control(pDX, IDC_BATCH_ZONE_RULE, m_comboZoneRule);
    DDX_Control(pDX, IDC_BATCH_EPSG, m_editEpsg);
    DDX_Control(pDX, IDC_BATCH_TARGET_EPSG, m_editTargetEpsg);
    DDX_Control(pDX, IDC_BATCH_EPSG_MATCH, m_staticEpsgMatch);
    DDX_Control(pDX, IDC_BATCH_DATUM_PARAMS, m_editDatumParams);
    DDX_Control(pDX, IDC_BATCH_BROWSE_DATUM, m_btnBrowseDatum);
    DDX_Control(pDX, IDC_BATCH_PLANE_PARAMS, m_editPlaneParams);
    DDX_Control(pDX, IDC_BATCH_BROWSE_PLANE, m_btnBrowsePlane);
    DDX_Control(pDX, IDC_BATCH_OUTPUT, m_editOutput);
    DDX_Control(pDX, IDC_BATCH_BROWSE_OUT, m_btnBrowseOut);
    DDX_Control(pDX, IDC_BATCH_RUN, m_btnRun);
    DDX_Control(pDX, IDC_BATCH_STOP, m_btnStop);
    DDX_Control(pDX, IDC_BATCH_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_BATCH_SUMMARY, m_staticSummary);
    DDX_Control(pDX, IDC_BATCH_ERRORS, m_listErrors);
    DDX_Control(pDX, IDC_BATCH_OPEN_FOLDER, m_btnOpenFolder);
}

BOOL CBatchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Fill(m_comboOperation, kOperations);
    Fill(m_comboZoneWidth, kZoneWidths);
    for (const EllipsoidChoice& choice : Ellipsoids()) {
        m_comboEllipsoid.AddString(choice.text.c_str());
    }
    m_comboEllipsoid.SetCurSel(0);
    Fill(m_comboAngles, kAngles);
    Fill(m_comboMethod, kMethods);
    Fill(m_comboZoneRule, kZoneRules);
    OnEllipsoidChanged();

    m_listErrors.InsertColumn(0, "行号", LVCFMT_RIGHT, kLineWidth);
    m_listErrors.InsertColumn(1, "字段", LVCFMT_LEFT, kFieldWidth);
    m_listErrors.InsertColumn(2, "说明", LVCFMT_LEFT, kExplanationWidth);
    m_progress.SetRange32(0, 1000);
    RememberLayout();
    // No label stands beside these two.
    m_progress.SetAccessibleName("转换进度");
    m_staticSummary.SetAccessibleName("转换结果");
    DragAcceptFiles(TRUE);
    UpdateControls();
    return TRUE;
}

void CBatchDlg::RememberLayout() {
    CRect client;
    GetClientRect(&client);
    m_szLaidOut = CSize(client.Width(), client.Height());
    m_layout.clear();
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        CRect rect;
        child->GetWindowRect(&rect);
        ScreenToClient(&rect);
        m_layout.push_back({child, rect});
    }
}

// The window grows to the right and down from its template's size. The paths, the progress bar
// and the summary take the added width, the buttons at the right edge move with it; the two
// lists take the added height, half each, and everything below a list moves down with it.
void CBatchDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_layout.empty()) {
        return;
    }
    const int dx = std::max(0, cx - static_cast<int>(m_szLaidOut.cx));
    const int dy = std::max(0, cy - static_cast<int>(m_szLaidOut.cy));
    const int dyPreview = dy / 2;
    CRect preview, errors;
    for (const Placed& placed : m_layout) {
        if (placed.pWnd->GetDlgCtrlID() == IDC_BATCH_PREVIEW) {
            preview = placed.rect;
        } else if (placed.pWnd->GetDlgCtrlID() == IDC_BATCH_ERRORS) {
            errors = placed.rect;
        }
    }
    for (const Placed& placed : m_layout) {
        CRect rect = placed.rect;
        switch (placed.pWnd->GetDlgCtrlID()) {
        case IDC_BATCH_INPUT:
        case IDC_BATCH_OUTPUT:
        case IDC_BATCH_PROGRESS:
        case IDC_BATCH_SUMMARY:
            rect.right += dx;
            break;
        case IDC_BATCH_PREVIEW:
            rect.right += dx;
            rect.bottom += dyPreview;
            break;
        case IDC_BATCH_ERRORS:
            rect.right += dx;
            rect.bottom += dy;
            break;
        case IDC_BATCH_BROWSE_IN:
        case IDC_BATCH_HEADER:
        case IDC_BATCH_BROWSE_OUT:
        case IDCANCEL:
            rect.left += dx;
            rect.right += dx;
            break;
        default:
            break;
        }
        const int shift = placed.rect.top >= errors.bottom    ? dy
                          : placed.rect.top >= preview.bottom ? dyPreview
                                                              : 0;
        if (placed.pWnd->GetDlgCtrlID() == IDC_BATCH_ERRORS) {
            rect.top += dyPreview;
        } else {
            rect.top += shift;
            rect.bottom += shift;
        }
        placed.pWnd->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
    }
    // The explanation takes the errors list's added width.
    CRect list;
    m_listErrors.GetClientRect(&list);
    m_listErrors.SetColumnWidth(
        2, std::max(kExplanationWidth, list.Width() - kLineWidth - kFieldWidth));
}

void CBatchDlg::OnOK() {
    if (m_btnRun.IsWindowEnabled()) {
        OnRun();
    }
}

void CBatchDlg::OnCancel() {
    if (IsRunning()) {
        if (m_bCloseWhenStopped || !AskToStop()) {
            return;
        }
        // The run may have ended while the question was open: then nothing is left to wait for.
        if (IsRunning()) {
            m_bCloseWhenStopped = TRUE;
            OnStop();
            return;
        }
    }
    CDialog::OnCancel();
}

BOOL CBatchDlg::AskToStop() {
    return MessageBox(window_texts::kStopAndClose, kTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

BOOL CBatchDlg::StopForClosing() {
    if (!IsRunning()) {
        return TRUE;
    }
    if (!AskToStop()) {
        return FALSE;
    }
    // The job looks at the stop flag before each block it reads, so the wait is short.
    if (IsRunning()) {
        m_run.Stop();
        m_run.Finish();
    }
    return TRUE;
}

BOOL CBatchDlg::OnCmdMsg(UINT nID, int nCode) {
    if (nCode == BN_CLICKED) {
        switch (nID) {
        case IDC_BATCH_BROWSE_IN:
            OnBrowseInput();
            return TRUE;
        case IDC_BATCH_BROWSE_OUT:
            OnBrowseOutput();
            return TRUE;
        case IDC_BATCH_BROWSE_DATUM:
            OnBrowseParameters(m_editDatumParams, "选择坐标系转换参数文件");
            return TRUE;
        case IDC_BATCH_BROWSE_PLANE:
            OnBrowseParameters(m_editPlaneParams, "选择平面四参数文件");
            return TRUE;
        case IDC_BATCH_RUN:
            OnRun();
            return TRUE;
        case IDC_BATCH_STOP:
            OnStop();
            return TRUE;
        case IDC_BATCH_OPEN_FOLDER:
            OnOpenFolder();
            return TRUE;
        case IDC_BATCH_NO_PREFIX:
            UpdateControls();
            return TRUE;
        case IDC_BATCH_HEADER:
            UpdatePreview();
            return TRUE;
        default:
            break;
        }
    } else if (nCode == EN_CHANGE) {
        switch (nID) {
        case IDC_BATCH_INPUT:
            OnInputChanged();
            return TRUE;
        case IDC_BATCH_COLUMNS:
            UpdatePreview();
            return TRUE;
        case IDC_BATCH_OUTPUT:
        case IDC_BATCH_MERIDIAN:
        case IDC_BATCH_DATUM_PARAMS:
        case IDC_BATCH_PLANE_PARAMS:
            UpdateControls();
            return TRUE;
        case IDC_BATCH_A:
        case IDC_BATCH_ALFA:
            UpdateCrsText();
            return TRUE;
        case IDC_BATCH_EPSG:
            OnEpsgChanged();
            return TRUE;
        case IDC_BATCH_TARGET_EPSG:
            OnTargetEpsgChanged();
            return TRUE;
        default:
            break;
        }
    } else if (nCode == CBN_SELCHANGE) {
        switch (nID) {
        case IDC_BATCH_OPERATION:
            OnOperationChanged();
            return TRUE;
        case IDC_BATCH_ZONE_WIDTH:
        case IDC_BATCH_ZONE_RULE:
            UpdateControls();
            return TRUE;
        case IDC_BATCH_ELLIPSOID:
            OnEllipsoidChanged();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCmdMsg(nID, nCode);
}

BOOL CBatchDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_BATCH_PROGRESS:
        OnRunProgress(wParam);
        *pResult = 0;
        return TRUE;
    case WM_BATCH_FAILED:
        OnRunFailed();
        *pResult = 0;
        return TRUE;
    case WM_BATCH_DONE:
        OnRunDone();
        *pResult = 0;
        return TRUE;
    default:
        return CDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
}

void CBatchDlg::OnDropFiles(HDROP hDropInfo) {
    if (IsRunning() || DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0) == 0) {
        return;
    }
    // Only one file converts at a time: the first of the drop.
    m_editInput.SetWindowText(DroppedFiles(hDropInfo, 1)[0].c_str());
}

void CBatchDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTickTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (IsRunning() && !m_run.IsStopping()) {
        ShowRunningSummary();
    }
}

void CBatchDlg::OnDestroy() {
    KillTimer(kTickTimer);
    // The worker posts to this window: it must end before the window does.
    if (IsRunning()) {
        m_run.Stop();
        m_run.Finish();
    }
    CDialog::OnDestroy();
}

void CBatchDlg::OnBrowseInput() {
    BrowseIntoField(this, m_editInput, kPointFileFilter, "选择要转换的文件");
}

void CBatchDlg::OnBrowseParameters(CEdit& field, const char* title) {
    BrowseIntoField(this, field, kParameterFileFilter, title);
}

void CBatchDlg::OnBrowseOutput() {
    CFileDialog dlg(FALSE, "txt", m_editOutput.GetWindowText(),
                    OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kPointFileFilter,
                    this);
    dlg.m_ofn.lpstrTitle = "保存转换结果";
    if (dlg.DoModal() == IDOK) {
        // The dialog has asked already whether to replace the file.
        m_strConfirmedOutput = dlg.GetPathName().str();
        m_editOutput.SetWindowText(dlg.GetPathName());
    }
}

// The output follows the input for as long as the user has not typed a name of their own.
void CBatchDlg::OnInputChanged() {
    const std::string output = m_editOutput.GetWindowText().str();
    if (output.empty() || output == m_strAutoOutput) {
        m_strAutoOutput = DefaultOutputName(m_editInput.GetWindowText().str());
        m_editOutput.SetWindowText(m_strAutoOutput.c_str());
    }
    // The last run's summary, failures and folder belong to the file it read.
    if (!IsRunning()) {
        ClearLastRun();
    }
    UpdatePreview();
    UpdateControls();
}

void CBatchDlg::ClearLastRun() {
    m_listErrors.DeleteAllItems();
    m_nListed = 0;
    m_permille = 0;
    m_progress.SetPos(0);
    m_staticSummary.SetWindowText("");
    m_strOutputFolder.clear();
}

// The preview's roles follow the operation (B, L or X, Y), and so do the options it uses.
void CBatchDlg::OnOperationChanged() {
    UpdatePreview();
    UpdateControls();
}

void CBatchDlg::OnEllipsoidChanged() {
    const EllipsoidChoice& choice = SelectedEllipsoid(m_comboEllipsoid);
    m_editA.SetWindowText(FormatDdxDouble(choice.a));
    m_editAlfa.SetWindowText(FormatDdxDouble(choice.alfa));
    UpdateControls();
    if (choice.key.empty()) {
        m_editA.SetFocus();
        m_editA.SetSel(0, -1);
    }
}

void CBatchDlg::OnEpsgChanged() {
    const std::string text = m_editEpsg.GetWindowText().str();
    m_strEpsgNote.clear();
    if (!text.empty() && m_backend.crs) {
        const BatchCrs crs = m_backend.crs(text);
        m_strEpsgNote = crs.message;
        if (crs.found) {
            for (size_t i = 0; i < std::size(kZoneWidths); ++i) {
                if (kZoneWidths[i].width == crs.zoneWidth) {
                    m_comboZoneWidth.SetCurSel(static_cast<int>(i));
                }
            }
            SelectEllipsoid(m_comboEllipsoid, crs.ellipsoid);
            OnEllipsoidChanged();
            m_editMeridian.SetWindowText(crs.centralMeridian.c_str());
            m_checkNoPrefix.SetCheck(crs.noPrefix ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    UpdateControls();
}

void CBatchDlg::OnTargetEpsgChanged() {
    const std::string text = m_editTargetEpsg.GetWindowText().str();
    m_strTargetNote.clear();
    if (!text.empty() && m_backend.crs) {
        const BatchCrs crs = m_backend.crs(text);
        if (crs.found) {
            m_strTargetNote = crs.message;
            SelectEllipsoid(m_comboEllipsoid, crs.ellipsoid);
            OnEllipsoidChanged();
        }
    }
    UpdateControls();
}

BatchRequest CBatchDlg::ChosenRequest() const {
    BatchRequest request;
    request.input = m_editInput.GetWindowText().str();
    request.output = m_editOutput.GetWindowText().str();
    request.columns = m_editColumns.GetWindowText().str();
    request.operation = Selected(m_comboOperation, kOperations).operation;
    request.zoneWidth = Selected(m_comboZoneWidth, kZoneWidths).width;
    request.angles = Selected(m_comboAngles, kAngles).angles;
    request.method = Selected(m_comboMethod, kMethods).method;
    const EllipsoidChoice& ellipsoid = SelectedEllipsoid(m_comboEllipsoid);
    request.ellipsoid = ellipsoid.key;
    request.a = ellipsoid.a;
    request.alfa = ellipsoid.alfa;
    request.centralMeridian = m_editMeridian.GetWindowText().str();
    request.noPrefix = m_checkNoPrefix.GetCheck() == BST_CHECKED;
    request.header = m_checkHeader.GetCheck() == BST_CHECKED;
    // Each file only where the operation applies it.
    const bool projects = request.operation == BatchOperation::Forward ||
                          request.operation == BatchOperation::Inverse;
    if (projects || request.operation == BatchOperation::Datum) {
        request.datumParams = m_editDatumParams.GetWindowText().str();
    }
    if (projects || request.operation == BatchOperation::Plane) {
        request.planeParams = m_editPlaneParams.GetWindowText().str();
    }
    request.zoneRule = Selected(m_comboZoneRule, kZoneRules).rule;
    if (IsZoneChange(request.operation)) {
        request.targetCrs = m_editTargetEpsg.GetWindowText().str();
    }
    return request;
}

BOOL CBatchDlg::ReadRequest(BatchRequest* pRequest) {
    BatchRequest request = ChosenRequest();
    struct Field {
        CEdit& edit;
        double& value;
        bool (*usable)(double);
        const char* prompt;
    };
    const Field fields[] = {
        {m_editA, request.a, [](double v) { return std::isfinite(v) && v > 0.0; },
         "长半轴 a 须是以米为单位的正数。"},
        {m_editAlfa, request.alfa, [](double v) { return std::isfinite(v); },
         "扁率倒数 alfa 须是一个数。"},
    };
    for (const Field& field : fields) {
        if (request.ellipsoid.empty() && UsesEllipsoid(request) &&
            (!ParseDdxDouble(field.edit.GetWindowText(), &field.value) ||
             !field.usable(field.value))) {
            MessageBox(field.prompt, kTitle, MB_OK | MB_ICONEXCLAMATION);
            field.edit.SetFocus();
            field.edit.SetSel(0, -1);
            return FALSE;
        }
    }
    if (m_backend.problem) {
        if (const std::string problem = m_backend.problem(request); !problem.empty()) {
            MessageBox(problem.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    *pRequest = std::move(request);
    return TRUE;
}

void CBatchDlg::OnRun() {
    BatchRequest request;
    if (IsRunning() || !m_backend.makeJob || !ReadRequest(&request)) {
        return;
    }
    if (!MayReplace(request.output)) {
        return;
    }
    BatchJob job = m_backend.makeJob(request);
    if (!job) {
        return;
    }
    ClearLastRun();
    m_bCloseWhenStopped = FALSE;
    m_started = std::chrono::steady_clock::now();
    m_run.Start(this, std::move(job));
    m_strRunOutput = request.output;
    SetTimer(kTickTimer, kTickMs);
    ShowRunningSummary();
    UpdateControls();
    m_btnStop.SetFocus();
}

BOOL CBatchDlg::MayReplace(const std::string& output) {
    std::error_code error;
    if (output == m_strConfirmedOutput || !std::filesystem::is_regular_file(output, error)) {
        return TRUE;
    }
    CString question;
    question.Format(window_texts::kReplaceOutput, output.c_str());
    if (MessageBox(question, kTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return FALSE;
    }
    m_strConfirmedOutput = output;
    return TRUE;
}

void CBatchDlg::OnStop() {
    if (!IsRunning()) {
        return;
    }
    m_run.Stop();
    m_staticSummary.SetWindowText("正在停止……");
    UpdateControls();
}

void CBatchDlg::OnOpenFolder() {
    if (m_strOutputFolder.empty() || ShellExecuteOpen(m_strOutputFolder)) {
        return;
    }
    CString message;
    message.Format(window_texts::kNoFileManager, m_strOutputFolder.c_str());
    MessageBox(message, kTitle, MB_OK | MB_ICONEXCLAMATION);
}

void CBatchDlg::OnRunProgress(WPARAM permille) {
    m_permille = permille;
    m_progress.SetPos(static_cast<int>(permille));
}

void CBatchDlg::OnRunFailed() {
    ShowFailures();
}

void CBatchDlg::OnRunDone() {
    KillTimer(kTickTimer);
    const BatchOutcome outcome = m_run.Finish();
    ShowFailures();
    CString summary;
    switch (outcome.status) {
    case BatchOutcome::Status::Done:
        m_progress.SetPos(1000);
        m_strOutputFolder = FolderOf(m_strRunOutput);
        if (outcome.outputKept) {
            summary.Format(window_texts::kNothingConvertedOutputKept,
                           static_cast<unsigned long long>(outcome.failed));
            break;
        }
        summary.Format("已转换 %llu 条记录，失败 %llu 条，用时 %s 秒。",
                       static_cast<unsigned long long>(outcome.converted),
                       static_cast<unsigned long long>(outcome.failed),
                       Seconds(ElapsedSeconds()).c_str());
        if (outcome.failed > m_nListed) {
            CString more;
            more.Format("下表只列出前 %zu 条。", m_nListed);
            summary += more;
        }
        break;
    case BatchOutcome::Status::Stopped:
        summary.Format("已停止，输出文件未写入（停止前已转换 %llu 条，失败 %llu 条）。",
                       static_cast<unsigned long long>(outcome.converted),
                       static_cast<unsigned long long>(outcome.failed));
        break;
    case BatchOutcome::Status::Failed:
        summary.Format("转换失败：%s。输出文件未写入。", outcome.message.c_str());
        break;
    }
    m_staticSummary.SetWindowText(summary);
    UpdateControls();
    if (m_bCloseWhenStopped) {
        m_bCloseWhenStopped = FALSE;
        CDialog::OnCancel();
    } else if (m_btnRun.IsWindowEnabled()) {
        m_btnRun.SetFocus();
    }
}

void CBatchDlg::UpdatePreview() {
    m_listPreview.DeleteAllItems();
    while (m_listPreview.DeleteColumn(0)) {
    }
    const BatchRequest request = ChosenRequest();
    if (!m_backend.preview || request.input.empty()) {
        return;
    }
    const BatchPreview preview = m_backend.preview(request);
    if (!preview.message.empty()) {
        m_listPreview.InsertColumn(0, "无法预览");
        m_listPreview.InsertItem(0, preview.message.c_str());
        m_listPreview.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
        return;
    }
    for (size_t c = 0; c < preview.headings.size(); ++c) {
        m_listPreview.InsertColumn(static_cast<int>(c), preview.headings[c].c_str());
    }
    for (size_t r = 0; r < preview.rows.size(); ++r) {
        const std::vector<std::string>& fields = preview.rows[r];
        const int row = m_listPreview.InsertItem(static_cast<int>(r), "");
        for (size_t c = 0; c < fields.size() && c < preview.headings.size(); ++c) {
            m_listPreview.SetItemText(row, static_cast<int>(c), fields[c].c_str());
        }
    }
    // The hint follows the lines it is about, as the run's note would follow its records.
    if (!preview.hint.empty()) {
        m_listPreview.InsertItem(static_cast<int>(preview.rows.size()), preview.hint.c_str());
    }
    for (size_t c = 0; c < preview.headings.size(); ++c) {
        m_listPreview.SetColumnWidth(static_cast<int>(c), LVSCW_AUTOSIZE_USEHEADER);
    }
}

void CBatchDlg::UpdateControls() {
    const bool idle = !IsRunning();
    const OperationChoice& operation = Selected(m_comboOperation, kOperations);
    const bool custom = SelectedEllipsoid(m_comboEllipsoid).key.empty();
    // A central meridian of one's own and unprefixed eastings are forward's and inverse's; the
    // zone transforms work in the standard zones.
    const bool projects = operation.operation == BatchOperation::Forward ||
                          operation.operation == BatchOperation::Inverse;
    const bool ownMeridian =
        m_editMeridian.GetWindowTextLength() > 0 && m_checkNoPrefix.GetCheck() == BST_CHECKED;
    const bool datum = operation.operation == BatchOperation::Datum;
    const bool plane = operation.operation == BatchOperation::Plane;
    // A datum change's file names the ellipsoid the projection works on.
    const bool ellipsoidFromFile = projects && m_editDatumParams.GetWindowTextLength() > 0;
    const bool ellipsoid = !datum && !plane && !ellipsoidFromFile;
    struct Rule {
        CWnd& control;
        bool enabled;
    };
    const Rule rules[] = {
        {m_editInput, idle},
        {m_btnBrowseIn, idle},
        {m_editColumns, idle},
        {m_checkHeader, idle},
        {m_comboOperation, idle},
        {m_comboZoneWidth, idle && operation.zoneWidth && !(projects && ownMeridian)},
        {m_comboEllipsoid, idle && ellipsoid},
        {m_comboAngles, idle && operation.angles},
        {m_editA, idle && ellipsoid && custom},
        {m_editAlfa, idle && ellipsoid && custom},
        {m_comboMethod, idle && !datum && !plane},
        {m_editMeridian, idle && projects},
        {m_checkNoPrefix, idle && projects},
        // The rule picks the zone of a longitude: forward's, and the target of 3° <-> 6°.
        {m_comboZoneRule, idle && operation.operation != BatchOperation::Inverse &&
                              operation.operation != BatchOperation::Adjacent && !datum && !plane},
        {m_editEpsg, idle},
        {m_editTargetEpsg, idle && IsZoneChange(operation.operation)},
        {m_editDatumParams, idle && (projects || datum)},
        {m_btnBrowseDatum, idle && (projects || datum)},
        {m_editPlaneParams, idle && (projects || plane)},
        {m_btnBrowsePlane, idle && (projects || plane)},
        {m_editOutput, idle},
        {m_btnBrowseOut, idle},
        {m_btnRun, idle && m_backend.makeJob && m_editInput.GetWindowTextLength() > 0 &&
                       m_editOutput.GetWindowTextLength() > 0},
        {m_btnStop, !idle && !m_run.IsStopping()},
        {m_btnOpenFolder, idle && !m_strOutputFolder.empty()},
    };
    for (const Rule& rule : rules) {
        rule.control.EnableWindow(rule.enabled ? TRUE : FALSE);
    }
    UpdateCrsText();
}

void CBatchDlg::UpdateCrsText() {
    if (!m_backend.crsText) {
        return;
    }
    BatchRequest request = ChosenRequest();
    if (request.ellipsoid.empty()) {
        // The user's own numbers, as far as they are numbers yet.
        ParseDdxDouble(m_editA.GetWindowText(), &request.a);
        ParseDdxDouble(m_editAlfa.GetWindowText(), &request.alfa);
    }
    std::string text = m_backend.crsText(request);
    // A target code the settings cannot take says why here, before a run would.
    if (text.empty() && !request.targetCrs.empty() && m_backend.problem) {
        text = m_backend.problem(request);
    }
    // The target code's note only while the operation takes the code.
    const std::string targetNote = request.targetCrs.empty() ? "" : m_strTargetNote;
    for (const std::string& note : {targetNote, m_strEpsgNote}) {
        if (!note.empty()) {
            text = note + (text.empty() ? "" : "。") + text;
        }
    }
    m_staticEpsgMatch.SetWindowText(text.c_str());
}

void CBatchDlg::ShowFailures() {
    for (const BatchFailure& failure : m_run.TakeFailures()) {
        const int row = m_listErrors.InsertItem(m_listErrors.GetItemCount(),
                                                std::to_string(failure.line).c_str());
        m_listErrors.SetItemText(row, 1, failure.field.c_str());
        m_listErrors.SetItemText(row, 2, failure.message.c_str());
        ++m_nListed;
    }
}

void CBatchDlg::ShowRunningSummary() {
    CString text;
    text.Format("正在转换……已读 %d%%，用时 %s 秒。", static_cast<int>(m_permille / 10),
                Seconds(ElapsedSeconds()).c_str());
    m_staticSummary.SetWindowText(text);
}

double CBatchDlg::ElapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
}
