#!/usr/bin/python3
"""Checks what a screen reader hears of the program's windows over AT-SPI: the main form, the
About box, the batch window and the parameter window, each opened by its keys as a user opens
it. Each control must be there with its role and its label's name; no radio button may be heard
as a check box, no drop-down list by its entry, no control the keys reach without a name, no
group box may take the focus, and a group box holds the radio buttons and fields inside it.
Prints what is wrong and exits 1, or prints the windows it read."""
import subprocess
import sys
import time

import pyatspi

# (role, name) a window must hold.
EXPECTED = {
    "高斯坐标转换": [
        ("radio button", "高斯坐标正算"), ("radio button", "高斯坐标反算"),
        ("radio button", "WGS1984参考椭球"), ("radio button", "西安1980参考椭球"),
        ("radio button", "北京1954参考椭球"), ("radio button", "自定义参考椭球"),
        ("text", "B 度"), ("text", "L 秒"), ("text", "X"), ("text", "Y"), ("text", "alfa"),
        ("push button", "三度带投影"), ("push button", "六度带 --> 三度带"),
    ],
    "关于": [
        ("link", "http://www.example.com/"), ("image", "程序图标"), ("label", "鸣谢"),
        ("push button", "确定(O)"),
    ],
    "批量转换": [
        ("text", "输入文件"), ("text", "各列含义"), ("text", "输出文件"), ("text", "中央子午线"),
        ("combo box", "换算方式"), ("combo box", "投影带"), ("combo box", "参考椭球"),
        ("combo box", "角度格式"), ("combo box", "计算方法"), ("combo box", "分带规则"),
        ("tree", "文件预览"), ("tree", "未能转换的记录"),
        ("progress bar", "转换进度"), ("label", "转换结果"),
        ("check box", "首行为表头(H)"), ("check box", "Y 不带带号"),
    ],
    "转换参数计算": [
        ("text", "源坐标文件"), ("push button", "浏览(S)..."), ("text", "目标坐标文件"),
        ("push button", "浏览(G)..."), ("text", "各列含义"), ("combo box", "角度格式"),
        ("check box", "首行为表头(H)"), ("combo box", "模型"), ("combo box", "旋转约定"),
        ("combo box", "源椭球"), ("combo box", "目标椭球"), ("push button", "计算(C)"),
        ("push button", "保存参数(V)..."), ("push button", "载入参数(L)..."),
        ("tree", "公共点"), ("image", "残差图"), ("text", "计算结果"),
        ("push button", "关闭(X)"),
    ],
}

# The roles of controls a user reaches; each must be heard by a name.
CONTROLS = {"text", "combo box", "check box", "radio button", "push button", "tree", "table",
            "list", "image", "link"}


# (role, name) a group box must hold as its own children: a screen reader hears each radio
# button as one of its group.
GROUPS = {
    "高斯坐标转换": {
        "换算方式": [("radio button", "高斯坐标正算"), ("radio button", "高斯坐标反算")],
        "椭球参数": [
            ("radio button", "WGS1984参考椭球"), ("radio button", "西安1980参考椭球"),
            ("radio button", "北京1954参考椭球"), ("radio button", "自定义参考椭球"),
        ],
        "大地坐标": [("text", "B 度"), ("text", "L 秒")],
    },
    "批量转换": {
        "换算设置": [("combo box", "换算方式"), ("combo box", "参考椭球"), ("text", "中央子午线")],
    },
    "转换参数计算": {
        "转换模型": [("combo box", "模型"), ("combo box", "旋转约定"), ("combo box", "源椭球"),
                     ("combo box", "目标椭球")],
    },
}


def check_groups(window, title):
    problems = []
    groups = {n.name: n for n in nodes(window) if n.getRoleName() in ("panel", "grouping")}
    for group, members in GROUPS.get(title, {}).items():
        if group not in groups:
            problems.append("%s: no group %r" % (title, group))
            continue
        held = {(child.getRoleName(), child.name) for child in groups[group] if child is not None}
        for role, name in members:
            if (role, name) not in held:
                problems.append("%s: the group %r does not hold the %s %r" %
                                (title, group, role, name))
    return problems


def find_app(name, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def find_window(app, title, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for window in app:
            if window is not None and window.name == title and window.childCount > 0 and \
                    window.getState().contains(pyatspi.STATE_SHOWING):
                return window
        time.sleep(0.1)
    return None


def wait_gone(app, title, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not any(w is not None and w.name == title for w in app):
            return True
        time.sleep(0.1)
    return False


def nodes(node):
    if node is None:
        return
    yield node
    for child in node:
        yield from nodes(child)


def check(window, title):
    problems = []
    heard = [(n.getRoleName(), n.name, n) for n in nodes(window)]
    pairs = {(role, name) for role, name, _ in heard}
    for role, name in EXPECTED[title]:
        if (role, name) not in pairs:
            problems.append("%s: no %s named %r" % (title, role, name))
    for role, name, node in heard:
        if role == "check box" and (role, name) not in EXPECTED[title]:
            problems.append("%s: %r is heard as a check box" % (title, name))
        # A drop-down list is heard by its label; its entry is its value, not its name.
        if role == "combo box" and (role, name) not in EXPECTED[title]:
            problems.append("%s: a combo box is heard as %r" % (title, name))
        if role in CONTROLS and not name and node.getState().contains(pyatspi.STATE_FOCUSABLE):
            problems.append("%s: a %s the keys reach has no name" % (title, role))
        if role in ("panel", "grouping") and node.getState().contains(pyatspi.STATE_FOCUSABLE):
            problems.append("%s: the group %r takes the focus" % (title, name))
        if role == "link":
            actions = node.queryAction()
            if actions.nActions == 0:
                problems.append("%s: the link %r has no action" % (title, name))
            if not node.getState().contains(pyatspi.STATE_FOCUSABLE):
                problems.append("%s: the link %r cannot take the focus" % (title, name))
    print("== %s" % title)
    for role, name, _ in heard:
        if name:
            print("%s|%s" % (role, name))
    return problems


def keys(*names):
    subprocess.run(["xdotool", "key"] + list(names), check=True)


def main():
    app = find_app(sys.argv[1], 20)
    if app is None:
        print("no application %r on the accessibility bus" % sys.argv[1], file=sys.stderr)
        return 1
    problems = []
    steps = [("高斯坐标转换", None), ("关于", ("alt+h", "a")), ("批量转换", ("alt+t", "b")),
             ("转换参数计算", ("alt+t", "p"))]
    for title, opening in steps:
        if opening:
            # The keys go to the form, once a box opened over it has gone.
            if not wait_gone(app, "关于"):
                problems.append("the About box did not close")
                break
            # With no window manager, nothing gives the focus back to the form: take it there.
            subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^高斯坐标转换$",
                            "windowfocus", "--sync"], check=True)
            time.sleep(0.3)
            keys(*opening)
        window = find_window(app, title)
        if window is None:
            problems.append("the window %r did not open" % title)
            break
        problems += check(window, title)
        problems += check_groups(window, title)
        if title == "关于":
            keys("Escape")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


sys.exit(main())
