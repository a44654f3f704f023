// CDialog: a dialog window built from its template (platform/dialog_template.h), run modally by
// DoModal or shown modeless after Create. Enter sends IDOK, Escape and the close box IDCANCEL;
// OnOK reads the fields and closes, OnCancel closes. Commands the dialog does not handle go on
// to the application object (CWinApp::OnCmdMsg).
#pragma once

#include "platform/wnd.h"

class CDataExchange;
struct DialogTemplate;

class CDialog : public CWnd {
public:
    // The template is looked up by id when the window is built, so a dialog object can exist
    // before or without its window.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the window, runs OnInitDialog and the modal loop until EndDialog, destroys the
    // window and returns the value given to EndDialog; -1 if the window cannot be built. The
    // owner is the parent given to the constructor, else the application's main window.
    virtual int DoModal();
    // Builds the window and runs OnInitDialog without a modal loop; the window shows at once
    // when the template has WS_VISIBLE, otherwise on ShowWindow. FALSE if it cannot be built.
    BOOL Create(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);
    // Ends the modal loop (or hides a modeless dialog) with nResult as DoModal's result.
    void EndDialog(int nResult);

    // TRUE gives the focus to the first tab stop in template order; FALSE means the handler
    // placed the focus itself. The base runs the first writing data exchange.
    virtual BOOL OnInitDialog();
    // IDOK: UpdateData(TRUE), and EndDialog(IDOK) if it succeeded.
    virtual void OnOK();
    // IDCANCEL: EndDialog(IDCANCEL).
    virtual void OnCancel();

    // TRUE reads and checks every field into its member, stopping at the first failure (which
    // has been reported, focused and selected by then) and returning FALSE; FALSE writes every
    // member into its field.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Enter and Escape become the dialog's commands before any control sees them.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // IDOK and IDCANCEL; anything else goes to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode) override;
    // Adds WM_INITDIALOG (OnInitDialog) to the window's messages.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Dialog units of this dialog to pixels (x * cx / 4, y * cy / 8, from the dialog font).
    void MapDialogRect(RECT* lpRect) const;
    // The dialog font's base units in pixels: average character width and height.
    CSize GetDialogBaseUnits() const;

    UINT GetTemplateId() const { return m_nIDTemplate; }
    // The result given to EndDialog, -1 until then.
    int GetModalResult() const { return m_nModalResult; }

protected:
    // The exchange table: DDX_Control, DDX_Text and DDV_ calls in field order.
    virtual void DoDataExchange(CDataExchange* pDX);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL BuildWindow(HWND owner);
    int m_nModalResult = -1;
    CSize m_baseUnits;
};
