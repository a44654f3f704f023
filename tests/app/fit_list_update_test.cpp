// The parameter window's point list after a new fit of the same points, brought up to date in
// place, against a window that shows the same fit in a list filled anew: the same texts,
// ticks, greyed rows and selection, and the plot's points and selection.
#include "app/fit_dlg.h"
#include "tests/app/window_fixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A fit's view made up: n points, the last `single` in one file only; residuals that differ
// with the seed; the points in `left` unticked; one point flagged (or none, -1).
struct ViewSpec {
    int points;
    int single;
    bool helmert;
    int seed;
    std::vector<int> left;
    int flagged;
};

FitView MakeView(const ViewSpec& s) {
    FitView view;
    view.fitted = true;
    view.helmert = s.helmert;
    view.report = "报告 " + std::to_string(s.seed) + "\n";
    for (int i = 0; i < s.points; ++i) {
        FitRow row;
        row.name = "P" + std::to_string(i + 1);
        row.matched = i < s.points - s.single;
        if (!row.matched) {
            row.used = false;
            row.reason = i % 2 ? "仅在目标文件中" : "仅在源文件中";
            view.rows.push_back(row);
            continue;
        }
        row.used = std::find(s.left.begin(), s.left.end(), i) == s.left.end();
        row.reason = row.used ? "" : "未选用";
        for (int k = 0; k < (s.helmert ? 3 : 2); ++k) {
            char text[16];
            std::snprintf(text, sizeof text, "%.1f", ((s.seed * 7 + i * 3 + k) % 19 - 9) / 2.0);
            row.residuals.push_back(text);
        }
        row.total = std::to_string((s.seed + i) % 11) + ".0";
        row.statistic = std::to_string((s.seed * i) % 4) + ".25";
        row.flagged = i == s.flagged;
        row.placed = true;
        row.x = 10.0 * i;
        row.y = 7.0 * (i % 3);
        row.vx = 0.001 * (s.seed - i);
        row.vy = 0.002 * s.seed;
        view.used += row.used ? 1 : 0;
        view.rows.push_back(row);
    }
    return view;
}

// What a row of the list shows and does.
struct RowState {
    std::vector<std::string> texts;
    Qt::CheckState check;
    BOOL ticked;
    BOOL greyed;
    bool selected;
    Qt::ItemFlags flags;
    QRgb colour;
    bool operator==(const RowState&) const = default;
};

void PrintTo(const RowState& r, std::ostream* os) {
    for (const std::string& t : r.texts) {
        *os << '[' << t << ']';
    }
    *os << " check " << r.check << " greyed " << r.greyed << " selected " << r.selected << " flags "
        << r.flags.toInt();
}

// A window whose fits are whatever the test sets next.
class Window : public DialogWindow<CFitDlg> {
public:
    FitView next;

    Window() {
        FitBackend backend;
        backend.compute = [this](const FitInput&) { return next; };
        Open(std::make_unique<CFitDlg>(backend));
        // Paths of no file: the fit runs at once.
        dlg->m_editSource.SetWindowText("a.txt");
        dlg->m_editTarget.SetWindowText("b.txt");
    }
    void Compute(const FitView& view) {
        next = view;
        Click("IDC_FIT_COMPUTE");
        dlg->FinishFit();
    }
    QTreeWidget* Points() const { return Item<QTreeWidget>("IDC_FIT_POINTS"); }
    void Select(int row) {
        if (row >= 0) {
            dlg->m_listPoints.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED,
                                           LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    std::vector<RowState> Rows() const {
        std::vector<RowState> rows;
        QTreeWidget* list = Points();
        CListCtrl& ctrl = dlg->m_listPoints;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = list->topLevelItem(r);
            RowState row{{},
                         item->checkState(0),
                         ctrl.GetCheck(r),
                         ctrl.IsItemGrayed(r),
                         item->isSelected(),
                         item->flags(),
                         item->foreground(0).color().rgb()};
            for (int c = 0; c < list->columnCount(); ++c) {
                row.texts.push_back(item->text(c).toStdString());
            }
            rows.push_back(row);
        }
        return rows;
    }
};

struct Case {
    const char* what;
    ViewSpec first;
    int selected; // the row selected before the new fit, or -1
    int toggle;   // the row the user ticks or unticks, whose fit is the second; -1: 计算
    ViewSpec second;
    bool inPlace; // the same points: the rows stay the same rows
};

// clang-format off
const Case kCases[] = {
    {"a point unticked: new residuals, its reason, the flag moved",
     {6, 0, true, 1, {}, 2}, 1, 3, {6, 0, true, 2, {3}, 4}, true},
    {"a point ticked again", {6, 0, true, 2, {3}, 4}, 5, 3, {6, 0, true, 1, {}, 2}, true},
    {"points in one file only stay greyed after their neighbours",
     {7, 2, true, 1, {}, -1}, 2, 0, {7, 2, true, 3, {0}, 1}, true},
    {"plane columns, nothing selected", {5, 1, false, 4, {}, 0}, -1, 2, {5, 1, false, 5, {2}, 0},
     true},
    {"the same fit again", {5, 1, false, 4, {1}, 0}, 3, -1, {5, 1, false, 4, {1}, 0}, true},
    // The fit, not the list, has the last word on a tick.
    {"a fit that keeps the unticked point", {6, 0, true, 1, {}, 2}, 0, 4, {6, 0, true, 3, {}, 2},
     true},
    {"seven parameters, then the plane's columns", {6, 0, true, 1, {}, 2}, 1, -1,
     {6, 0, false, 1, {}, 2}, false},
    {"other points", {6, 1, true, 1, {}, 2}, 1, -1, {8, 1, true, 2, {}, 3}, false},
};
// clang-format on

TEST(FitListUpdate, AListBroughtUpToDateEqualsOneFilledAnew) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Window updated;
        updated.Compute(MakeView(c.first));
        updated.Select(c.selected);
        QTreeWidgetItem* firstRow = updated.Points()->topLevelItem(0);
        updated.next = MakeView(c.second);
        if (c.toggle >= 0) {
            CListCtrl& list = updated.dlg->m_listPoints;
            list.SetCheck(c.toggle, !list.GetCheck(c.toggle));
            updated.dlg->FinishFit();
        } else {
            updated.Click("IDC_FIT_COMPUTE");
            updated.dlg->FinishFit();
        }
        if (c.inPlace) {
            EXPECT_EQ(updated.Points()->topLevelItem(0), firstRow);
        }

        Window filled;
        filled.Compute(MakeView(c.second));
        filled.Select(c.selected);

        const std::vector<RowState> rows = filled.Rows();
        ASSERT_EQ(rows.size(), static_cast<size_t>(c.second.points));
        EXPECT_EQ(updated.Rows(), rows);
        EXPECT_EQ(updated.Points()->columnCount(), filled.Points()->columnCount());
        EXPECT_EQ(updated.dlg->m_listPoints.GetNextItem(-1, LVNI_SELECTED), c.selected);
        EXPECT_EQ(updated.dlg->m_plot.GetCurSel(), filled.dlg->m_plot.GetCurSel());
        const std::vector<PlotPoint>& plotted = updated.dlg->m_plot.GetPoints();
        const std::vector<PlotPoint>& expected = filled.dlg->m_plot.GetPoints();
        ASSERT_EQ(plotted.size(), expected.size());
        for (size_t i = 0; i < plotted.size(); ++i) {
            EXPECT_EQ(plotted[i].used, expected[i].used) << i;
            EXPECT_EQ(plotted[i].flagged, expected[i].flagged) << i;
            EXPECT_EQ(plotted[i].vx, expected[i].vx) << i;
        }
    }
}

// A list updated in place still tells of the user's ticks and fits again without them.
TEST(FitListUpdate, TicksAfterAnUpdateInPlaceFitAgain) {
    Window w;
    w.Compute(MakeView({6, 1, true, 1, {}, 2}));
    w.next = MakeView({6, 1, true, 2, {3}, 2});
    CListCtrl& list = w.dlg->m_listPoints;
    list.SetCheck(3, FALSE);
    w.dlg->FinishFit();
    EXPECT_EQ(w.dlg->ReadInput().exclude, std::vector<std::string>{"P4"});
    EXPECT_EQ(w.Rows()[3].texts.back(), "未选用");
    w.next = MakeView({6, 1, true, 3, {1, 3}, 2});
    list.SetCheck(1, FALSE);
    w.dlg->FinishFit();
    EXPECT_EQ(w.dlg->ReadInput().exclude, (std::vector<std::string>{"P2", "P4"}));
    w.next = MakeView({6, 1, true, 4, {1}, 2});
    list.SetCheck(3, TRUE);
    w.dlg->FinishFit();
    EXPECT_EQ(w.dlg->ReadInput().exclude, std::vector<std::string>{"P2"});
    EXPECT_FALSE(list.GetCheck(1));
    EXPECT_TRUE(list.GetCheck(3));
    EXPECT_EQ(w.Rows()[3].texts.back(), "");
}

} // namespace
