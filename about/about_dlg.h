// CAboutDlg: the About box. Besides its fixed texts it holds the hyperlink label and a black
// credits area in which the lines of g_apszCredits and one bitmap rise from the bottom edge, one
// pixel per 40 ms tick, in a loop for as long as the box is open.
#pragma once

#include "about/credits_area.h"
#include "about/hyper_link.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
    ~CAboutDlg() override;

    enum { IDD = IDD_ABOUTBOX };
    // The scroller's timer and its interval.
    static constexpr UINT_PTR kCreditsTimer = 150;
    static constexpr UINT kCreditsInterval = 40;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Entry nIndex of the credits list, fetched when its turn comes.
    virtual CString GetCreditsEntry(int nIndex) const;

    RECT m_rcScroll;
    RECT m_rcLine;
    int m_nLineIndex;
    int m_nTick;
    CString m_strLine;
    BOOL m_bFirstPaint;
    int m_nRisen;
    int m_nLinePitch;
    CCreditsArea* m_pCredits;
    CBitmap m_bmpCredits;
    HBITMAP m_hOrigBitmap;
    POINT m_ptBitmap;
    BITMAP m_bmInfo;
    CDC m_dcBitmap;
    BOOL m_bBitmapShowing;
    CHyperLink m_link;
    // The window object of the credits area, which keeps its picture.
    CCreditsArea m_credits;
    // A bitmap line could not be loaded: the scroller has stopped for good, and the message
    // about it is shown once.
    BOOL m_bScrollerStopped;

private:
    // How a text line looks, by its format code; its height is also its pitch in ticks.
    struct LineLook {
        int nHeight;
        int nWeight;
        BYTE bUnderline;
        COLORREF crText;
    };
    static LineLook LookOf(char chCode);

    // Takes the next entry of the list as the current line and sets the scroller up for it;
    // FALSE when it names a bitmap that cannot be loaded (the scroller has then stopped).
    BOOL FetchNextLine();
    // Paints the credits area's rows still to be painted from the scroller's state, which it
    // leaves as it is: the timer alone moves the animation.
    void DrawCredits();
    // Loads the bitmap a bitmap line names and places it; FALSE when there is no such bitmap.
    BOOL StartBitmapLine();
    void ShowMissingBitmap(const CString& strName);
};
