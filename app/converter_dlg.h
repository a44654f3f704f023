// CConverterDlg: the main form. It holds B and L (degrees, minutes, seconds), the Gauss plane
// coordinates X and Y and the ellipsoid's a and alfa, and its commands load the projection
// engine from the fields, run one operation and write the results back.
#pragma once

#include "app/batch_dlg.h"
#include "app/fit_dlg.h"
#include "controls/hover_button.h"
#include "controls/numeric_edit.h"
#include "engine/gauss_projection.h"
#include "platform/button.h"
#include "platform/dialog.h"
#include "platform/edit.h"

#include <memory>

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* pParent = nullptr);
    ~CConverterDlg() override;

    // Members in declaration order: built in this order, destroyed in the reverse.
    CGaussProjection m_proj;
    CHoverButton m_btnAdj6;
    CHoverButton m_btn6To3;
    CHoverButton m_btnProj6;
    CHoverButton m_btn3To6;
    CHoverButton m_btnAdj3;
    CHoverButton m_btnProj3;
    CNumericEdit m_editAlfa;
    CNumericEdit m_editA;
    CNumericEdit m_editY;
    CNumericEdit m_editX;
    CNumericEdit m_editLSec;
    CEdit m_editLMin;
    CEdit m_editLDeg;
    CNumericEdit m_editBSec;
    CEdit m_editBMin;
    CEdit m_editBDeg;
    CButton m_radioWgs1984;
    CButton m_radioForward;
    int m_nBDeg;
    int m_nBMin;
    double m_dBSec;
    int m_nLDeg;
    int m_nLMin;
    double m_dLSec;
    double m_dX;
    double m_dY;
    double m_dA;
    double m_dAlfa;
    HICON m_hIcon;
    // What the batch window converts with; the batch window while one is open.
    BatchBackend m_batchBackend;
    std::unique_ptr<CBatchDlg> m_pBatchDlg;
    // What the parameter window fits with; the parameter window while one is open.
    FitBackend m_fitBackend;
    std::unique_ptr<CFitDlg> m_pFitDlg;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;

    // Direction.
    void OnForward();
    void OnInverse();
    // Ellipsoid.
    void OnWgs1984();
    void OnXian1980();
    void OnBeijing1954();
    void OnCustomEllipsoid();
    // Operations.
    void OnProj3();
    void OnProj6();
    void OnAdjacent3();
    void OnAdjacent6();
    void On3To6();
    void On6To3();
    // Tools.
    void OnBatchConvert();
    void OnFitParameters();

private:
    // FALSE when a field failed its read: the command stops there, after the prompt.
    BOOL LoadEngine(int nZoneWidth);
    void Project(int nZoneWidth);
    // A zone command: one engine operation on X and Y in zones of nZoneWidth; FALSE when the
    // read failed.
    BOOL TransformZone(int nZoneWidth, void (CGaussProjection::*pTransform)());
    // Puts a window beside the form on the screen.
    void PlaceBeside(CWnd& window);
    // Enables the four zone buttons of the zone system (3 or 6) the fields now hold.
    void EnterZoneSystem(int nZoneWidth);
    // Makes B and L, or X and Y, the fields the user types into.
    void ChooseDirection(BOOL bForward);
    // FALSE when a field failed the read (a and alfa change all the same).
    BOOL ChooseEllipsoid(double a, double alfa, BOOL bEditable);
};
