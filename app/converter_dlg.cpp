// The main form: opening set-up, data exchange, and the direction, ellipsoid and operation
// commands.
#include "app/converter_dlg.h"

#include "app/batch_backend.h"
#include "app/fit_backend.h"
#include "app/window_placement.h"

#include "engine/ellipsoid.h"
#include "engine/packed_angle.h"
#include "platform/dc.h"
#include "platform/ddx.h"
#include "platform/win_app.h"
#include "res/resource.h"

#include <algorithm>
#include <vector>

namespace {

bool ParseField(const CString& text, int* value) {
    return ParseDdxInt(text, value);
}
bool ParseField(const CString& text, double* value) {
    return ParseDdxDouble(text, value);
}

// A field the user cannot type into shows a result, not an input. Reading, it gives its member
// the number it shows, and when it shows none (negative degrees are a number; the text of a
// non-finite X is not) the member keeps the value that was written there. It never prompts:
// the user could not correct it. FALSE for a field to exchange as usual.
template <class T> bool ReadResultField(CDataExchange* pDX, int nIDC, T& value) {
    if (!pDX->m_bSaveAndValidate || pDX->m_bFailed) {
        return false;
    }
    CWnd* field = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (!field || !(field->GetStyle() & ES_READONLY)) {
        return false;
    }
    ParseField(field->GetWindowText(), &value);
    return true;
}

void ExchangeField(CDataExchange* pDX, int nIDC, int& value, int minVal, int maxVal) {
    if (ReadResultField(pDX, nIDC, value)) {
        return;
    }
    DDX_Text(pDX, nIDC, value);
    DDV_MinMaxInt(pDX, value, minVal, maxVal);
}

void ExchangeField(CDataExchange* pDX, int nIDC, double& value, double minVal, double maxVal) {
    if (ReadResultField(pDX, nIDC, value)) {
        return;
    }
    DDX_Text(pDX, nIDC, value);
    DDV_MinMaxDouble(pDX, value, minVal, maxVal);
}

void ExchangeField(CDataExchange* pDX, int nIDC, double& value) {
    if (ReadResultField(pDX, nIDC, value)) {
        return;
    }
    DDX_Text(pDX, nIDC, value);
}

} // namespace

CConverterDlg::CConverterDlg(CWnd* pParent)
    : CDialog(IDD_MAIN_DIALOG, pParent), m_nBDeg(31), m_nBMin(4), m_dBSec(41.6832), m_nLDeg(111),
      m_nLMin(47), m_dLSec(24.8974), m_dX(3386902.25), m_dY(18399692.74), m_dA(0.0), m_dAlfa(0.0),
      m_hIcon(nullptr), m_batchBackend(FileConversionBackend()),
      m_fitBackend(CommonPointBackend()) {
    if (CWinApp* app = AfxGetApp()) {
        m_hIcon = app->LoadIcon(IDR_MAINFRAME);
    }
}

CConverterDlg::~CConverterDlg() {
    DestroyIcon(m_hIcon);
}

void CConverterDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADJ_6, m_btnAdj6);
    DDX_Control(pDX, IDC_6_TO_3, m_btn6To3);
    DDX_Control(pDX, IDC_PROJ_6, m_btnProj6);
    DDX_Control(pDX, IDC_3_TO_6, m_btn3To6);
    DDX_Control(pDX, IDC_ADJ_3, m_btnAdj3);
    DDX_Control(pDX, IDC_PROJ_3, m_btnProj3);
    DDX_Control(pDX, IDC_ALFA, m_editAlfa);
    DDX_Control(pDX, IDC_A, m_editA);
    DDX_Control(pDX, IDC_Y, m_editY);
    DDX_Control(pDX, IDC_X, m_editX);
    DDX_Control(pDX, IDC_L_SEC, m_editLSec);
    DDX_Control(pDX, IDC_L_MIN, m_editLMin);
    DDX_Control(pDX, IDC_L_DEG, m_editLDeg);
    DDX_Control(pDX, IDC_B_SEC, m_editBSec);
    DDX_Control(pDX, IDC_B_MIN, m_editBMin);
    DDX_Control(pDX, IDC_B_DEG, m_editBDeg);
    DDX_Control(pDX, IDC_WGS1984, m_radioWgs1984);
    DDX_Control(pDX, IDC_FORWARD, m_radioForward);
    // A latitude goes no further than the pole: once the degrees are read, the minutes and
    // then the seconds may only fill what is left up to 90°.
    ExchangeField(pDX, IDC_B_DEG, m_nBDeg, 0, 90);
    ExchangeField(pDX, IDC_B_MIN, m_nBMin, 0, m_nBDeg >= 90 ? 0 : 60);
    const double dSecondsToPole = (90.0 - m_nBDeg) * 3600.0 - m_nBMin * 60.0;
    ExchangeField(pDX, IDC_B_SEC, m_dBSec, 0.0, dSecondsToPole < 60.0 ? dSecondsToPole : 60.0);
    ExchangeField(pDX, IDC_L_DEG, m_nLDeg, 0, 360);
    ExchangeField(pDX, IDC_L_MIN, m_nLMin, 0, 60);
    ExchangeField(pDX, IDC_L_SEC, m_dLSec, 0.0, 60.0);
    ExchangeField(pDX, IDC_X, m_dX);
    ExchangeField(pDX, IDC_Y, m_dY, 1000000.0, 121000000.0);
    ExchangeField(pDX, IDC_A, m_dA);
    ExchangeField(pDX, IDC_ALFA, m_dAlfa);
}

BOOL CConverterDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_editAlfa.SetGrouping(FALSE);
    m_editA.SetGrouping(FALSE);
    m_editY.SetGrouping(FALSE);
    m_editX.SetGrouping(FALSE);
    m_editLSec.SetGrouping(FALSE);
    m_editBSec.SetGrouping(FALSE);

    m_radioForward.SendMessage(BM_SETCHECK, BST_CHECKED);
    m_radioWgs1984.SendMessage(BM_SETCHECK, BST_CHECKED);

    m_dA = Wgs1984().a;
    m_dAlfa = Wgs1984().alfa;
    UpdateData(FALSE);

    // L minutes takes three characters, one more than B minutes.
    m_editBDeg.SendMessage(EM_LIMITTEXT, 3);
    m_editLDeg.SendMessage(EM_LIMITTEXT, 3);
    m_editBMin.SendMessage(EM_LIMITTEXT, 2);
    m_editLMin.SendMessage(EM_LIMITTEXT, 3);

    CHoverButton* const operations[] = {&m_btnAdj6, &m_btn6To3, &m_btnProj6,
                                        &m_btn3To6, &m_btnAdj3, &m_btnProj3};
    for (CHoverButton* button : operations) {
        button->SetIcon(IDI_OPERATION, 0, 32, 32);
    }
    return TRUE;
}

// Enter must not read the fields or close the form: the form has no OK button.
void CConverterDlg::OnOK() {}

// Closing the form ends the program, and with it a batch run: the batch window's question
// first, and the run stopped before the form goes.
void CConverterDlg::OnCancel() {
    if (m_pBatchDlg && !m_pBatchDlg->StopForClosing()) {
        return;
    }
    CDialog::OnCancel();
}

BOOL CConverterDlg::OnCmdMsg(UINT nID, int nCode) {
    if (nCode == BN_CLICKED) {
        switch (nID) {
        case IDC_FORWARD:
            OnForward();
            return TRUE;
        case IDC_INVERSE:
            OnInverse();
            return TRUE;
        case IDC_WGS1984:
            OnWgs1984();
            return TRUE;
        case IDC_XIAN1980:
            OnXian1980();
            return TRUE;
        case IDC_BEIJING1954:
            OnBeijing1954();
            return TRUE;
        case IDC_CUSTOM:
            OnCustomEllipsoid();
            return TRUE;
        case IDC_PROJ_3:
            OnProj3();
            return TRUE;
        case IDC_PROJ_6:
            OnProj6();
            return TRUE;
        case IDC_ADJ_3:
            OnAdjacent3();
            return TRUE;
        case IDC_ADJ_6:
            OnAdjacent6();
            return TRUE;
        case IDC_3_TO_6:
            On3To6();
            return TRUE;
        case IDC_6_TO_3:
            On6To3();
            return TRUE;
        case ID_TOOLS_BATCH:
            OnBatchConvert();
            return TRUE;
        case ID_TOOLS_FIT:
            OnFitParameters();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCmdMsg(nID, nCode);
}

void CConverterDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CConverterDlg::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

void CConverterDlg::ChooseDirection(BOOL bForward) {
    struct Field {
        CEdit& edit;
        BOOL bForwardInput;
    };
    const Field fields[] = {{m_editX, FALSE},   {m_editY, FALSE},   {m_editBDeg, TRUE},
                            {m_editBMin, TRUE}, {m_editBSec, TRUE}, {m_editLDeg, TRUE},
                            {m_editLMin, TRUE}, {m_editLSec, TRUE}};
    for (const Field& field : fields) {
        field.edit.SendMessage(EM_SETREADONLY, field.bForwardInput != bForward);
    }
}

void CConverterDlg::OnForward() {
    ChooseDirection(TRUE);
    m_editBDeg.SetFocus();
}

void CConverterDlg::OnInverse() {
    ChooseDirection(FALSE);
    m_editX.SetFocus();
}

// The read keeps what was typed into the other fields, which the write then shows again. When
// a field fails the read, the others keep what the user typed and only a and alfa change.
BOOL CConverterDlg::ChooseEllipsoid(double a, double alfa, BOOL bEditable) {
    const BOOL bRead = UpdateData(TRUE);
    m_dA = a;
    m_dAlfa = alfa;
    if (bRead) {
        UpdateData(FALSE);
    } else {
        CDataExchange dx(this, FALSE);
        DDX_Text(&dx, IDC_A, m_dA);
        DDX_Text(&dx, IDC_ALFA, m_dAlfa);
    }
    m_editA.SendMessage(EM_SETREADONLY, !bEditable);
    m_editAlfa.SendMessage(EM_SETREADONLY, !bEditable);
    return bRead;
}

void CConverterDlg::OnWgs1984() {
    ChooseEllipsoid(Wgs1984().a, Wgs1984().alfa, FALSE);
}

void CConverterDlg::OnXian1980() {
    ChooseEllipsoid(Xian1980().a, Xian1980().alfa, FALSE);
}

void CConverterDlg::OnBeijing1954() {
    ChooseEllipsoid(Beijing1954().a, Beijing1954().alfa, FALSE);
}

// A user-defined ellipsoid starts from the Beijing 1954 values. After a failed read the focus
// stays on the field to correct.
void CConverterDlg::OnCustomEllipsoid() {
    if (ChooseEllipsoid(Beijing1954().a, Beijing1954().alfa, TRUE)) {
        m_editA.SetFocus();
    }
}

// A failed read stops the command: what the user typed stays in the fields, and nothing is
// computed from values that were just refused.
BOOL CConverterDlg::LoadEngine(int nZoneWidth) {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    const double B = JoinPacked(m_nBDeg, m_nBMin, m_dBSec);
    const double L = JoinPacked(m_nLDeg, m_nLMin, m_dLSec);
    const double f = 1.0 / m_dAlfa;
    m_proj.SetAll(nZoneWidth, m_dA, f, B, L, m_dX, m_dY);
    return TRUE;
}

void CConverterDlg::EnterZoneSystem(int nZoneWidth) {
    struct ZoneButton {
        CHoverButton& button;
        int nZoneWidth;
    };
    const ZoneButton buttons[] = {{m_btnAdj3, 3}, {m_btn3To6, 3}, {m_btn6To3, 6}, {m_btnAdj6, 6}};
    for (const ZoneButton& zone : buttons) {
        zone.button.EnableWindow(zone.nZoneWidth == nZoneWidth);
    }
}

void CConverterDlg::Project(int nZoneWidth) {
    if (!LoadEngine(nZoneWidth)) {
        return;
    }
    // Only the forward radio is asked: anything but forward is the inverse direction.
    if (m_radioForward.SendMessage(BM_GETCHECK)) {
        m_proj.ZoneFromL();
        // The zone rule puts a longitude below 1° (6° zones) or 2° (3° zones) into zone 0,
        // which no easting can name: L's degrees are refused with the range that has a zone.
        if (m_proj.m_nZone < 1) {
            CDataExchange dx(this, TRUE);
            dx.PrepareEditCtrl(IDC_L_DEG);
            DDV_MinMaxInt(&dx, m_nLDeg, nZoneWidth == 3 ? 2 : 1, 360);
            return;
        }
        m_proj.BLToXY();
        m_dX = m_proj.m_X;
        m_dY = m_proj.m_Y;
    } else {
        m_proj.ZoneFromY();
        m_proj.XYToBL();
        SplitPacked(m_proj.m_B, m_nBDeg, m_nBMin, m_dBSec);
        SplitPacked(m_proj.m_L, m_nLDeg, m_nLMin, m_dLSec);
    }
    UpdateData(FALSE);
    EnterZoneSystem(nZoneWidth);
}

void CConverterDlg::OnProj3() {
    Project(3);
}

void CConverterDlg::OnProj6() {
    Project(6);
}

BOOL CConverterDlg::TransformZone(int nZoneWidth, void (CGaussProjection::*pTransform)()) {
    if (!LoadEngine(nZoneWidth)) {
        return FALSE;
    }
    (m_proj.*pTransform)();
    m_dX = m_proj.m_X;
    m_dY = m_proj.m_Y;
    UpdateData(FALSE);
    return TRUE;
}

void CConverterDlg::OnAdjacent3() {
    TransformZone(3, &CGaussProjection::AdjacentZone3);
}

void CConverterDlg::OnAdjacent6() {
    TransformZone(6, &CGaussProjection::AdjacentZone6);
}

// A zone-system change whose read fails leaves the buttons as they were.
void CConverterDlg::On3To6() {
    if (TransformZone(3, &CGaussProjection::Zone3To6)) {
        EnterZoneSystem(6);
    }
}

void CConverterDlg::On6To3() {
    if (TransformZone(6, &CGaussProjection::Zone6To3)) {
        EnterZoneSystem(3);
    }
}

// One batch window at a time: while it is open the command brings it to the front; once it
// has been closed, the command opens a fresh one.
void CConverterDlg::OnBatchConvert() {
    if (m_pBatchDlg && m_pBatchDlg->IsWindowVisible()) {
        m_pBatchDlg->SetForegroundWindow();
        return;
    }
    // A window of its own, not owned by the form: each is raised, focused and minimised on
    // its own, and it opens beside the form rather than over it.
    // Placed before it is shown, so the window manager takes the place as the program's.
    m_pBatchDlg = std::make_unique<CBatchDlg>(m_batchBackend);
    if (!m_pBatchDlg->Create(IDD_BATCH_DIALOG)) {
        return;
    }
    PlaceBeside(*m_pBatchDlg);
    m_pBatchDlg->ShowWindow(SW_SHOW);
    m_pBatchDlg->SetForegroundWindow();
}

// Beside the form and clear of the other tool window, where the screen has room (see
// PlaceToolWindow).
void CConverterDlg::PlaceBeside(CWnd& window) {
    CRect form, other, work;
    GetWindowRect(&form);
    window.GetWindowRect(&other);
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0)) {
        return;
    }
    // The window manager has yet to frame the new window: take the form's frame for its own.
    CRect client;
    GetClientRect(&client);
    const int frameWidth = std::max(0, form.Width() - client.Width());
    const int frameHeight = std::max(0, form.Height() - client.Height());
    const CSize size(other.Width() + frameWidth, other.Height() + frameHeight);
    std::vector<CRect> open;
    for (CWnd* tool :
         {static_cast<CWnd*>(m_pBatchDlg.get()), static_cast<CWnd*>(m_pFitDlg.get())}) {
        if (tool && tool != &window && tool->m_hWnd && tool->IsWindowVisible()) {
            CRect frame;
            tool->GetWindowRect(&frame);
            open.push_back(frame);
        }
    }
    const ToolWindowPlace place = PlaceToolWindow(form, size, open, work);
    if (place.formMoved) {
        SetWindowPos(nullptr, place.formMoved->x, place.formMoved->y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    window.SetWindowPos(nullptr, place.topLeft.x, place.topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// One parameter window at a time, as with the batch window.
void CConverterDlg::OnFitParameters() {
    if (m_pFitDlg && m_pFitDlg->IsWindowVisible()) {
        m_pFitDlg->SetForegroundWindow();
        return;
    }
    // A window of its own like the batch window, placed beside the form and clear of it.
    m_pFitDlg = std::make_unique<CFitDlg>(m_fitBackend, this);
    if (!m_pFitDlg->Create(IDD_FIT_DIALOG)) {
        return;
    }
    PlaceBeside(*m_pFitDlg);
    m_pFitDlg->ShowWindow(SW_SHOW);
    m_pFitDlg->SetForegroundWindow();
}
