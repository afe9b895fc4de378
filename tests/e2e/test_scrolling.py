"""Scrolling of the question panel: wheel, page keys, scroll codes, the Tab
rule and resizing. Scroll positions cannot be read across processes under
Wine: they are derived from where box 4001 (content position 610, 5) sits."""

import unittest

from zelto_e2e import WM_HSCROLL, WM_VSCROLL, PlayerTest, wait_until
from test_text_quiz import toml_text

COUNT = 30
CONTENT_WIDTH, CONTENT_HEIGHT = 850, 5 + 25 * COUNT
EM_GETSEL = 0x00B0
SB_LINEDOWN, SB_PAGERIGHT, SB_LINELEFT, SB_TOP, SB_BOTTOM = 1, 3, 0, 6, 7


class ScrollingTest(PlayerTest):

    def positions(self):
        box = self.player.control(self.panel, 4001)
        view = self.player.probe.info(self.panel.hwnd).client
        return 610 - (box.rect.left - view.left), 5 - (box.rect.top - view.top)

    def wait_vertical(self, expected, what):
        last = [None]

        def matches():
            last[0] = self.positions()[1]
            return last[0] == expected
        try:
            wait_until(matches, what=what)
        except AssertionError:
            self.fail("%s: vertical position %r, expected %r" % (what, last[0], expected))

    def barrier(self, box):
        """Returns once every key sent before has been handled: End moves the caret of the
        focused box (whose text is one letter) to its end."""
        self.player.key("End")
        wait_until(lambda: self.session.probe.send(box.hwnd, EM_GETSEL) == 0x10001, what="the End key")

    def test_scrolling(self):
        s = self.session
        exe = s.build_quiz(toml_text(["R%d" % q for q in range(1, COUNT + 1)], ["C%d" % q for q in range(COUNT)]))
        s.write("quiz.txt", b"x\r\n" * COUNT)
        self.player = player = s.start(exe)
        header, self.panel = panel = player.panels()
        panel = self.panel
        view = panel.client
        h, w = view.height, view.width
        v_max, h_max = CONTENT_HEIGHT - h, CONTENT_WIDTH - w
        self.assertGreater(v_max, 310)
        self.assertEqual(self.positions(), (0, 0))

        # Wheel: over the panel each notch reaches the panel and the main window (2 x 50);
        # over the header only the main window (50).
        mid_y = (view.top + view.bottom) // 2
        s.xdotool("mousemove", str(view.left + 8), str(mid_y), "click", "5")
        self.wait_vertical(100, "one notch down over the panel")
        s.xdotool("click", "4")
        self.wait_vertical(0, "one notch up over the panel")
        s.xdotool("mousemove", str(header.client.left + 3), str(header.client.top + 40), "click", "5")
        self.wait_vertical(50, "one notch down over the header")

        # Scroll codes sent to the panel.
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_TOP)
        self.wait_vertical(0, "SB_TOP")
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_LINEDOWN)
        self.wait_vertical(310, "SB_LINEDOWN")
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_LINEDOWN)
        self.wait_vertical(v_max, "SB_LINEDOWN clamped")
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_TOP)
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_BOTTOM)
        self.wait_vertical(v_max, "SB_BOTTOM")
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_TOP)
        s.probe.send(panel.hwnd, WM_HSCROLL, SB_PAGERIGHT)
        wait_until(lambda: self.positions() == (h_max, 0), what="SB_PAGERIGHT clamped")
        s.probe.send(panel.hwnd, WM_HSCROLL, SB_LINELEFT)
        wait_until(lambda: self.positions() == (h_max - 1, 0), what="SB_LINELEFT")

        # Page keys in an answer box: a page is the view's height less one pixel.
        box = player.focus_control(panel, 4001)
        player.key("Next")
        self.wait_vertical(h - 1, "Page Down")
        player.key("Down")
        self.wait_vertical(min(2 * (h - 1), v_max), "Down arrow")
        player.key("Prior")
        self.wait_vertical(min(2 * (h - 1), v_max) - (h - 1), "Page Up")
        player.key("Up")
        self.wait_vertical(0, "Up arrow")
        self.barrier(box)

        # The Tab rule through every box: a box out of view brings the panel to its top edge
        # (screen coordinates) minus 360; entering the last box brings it to the top.
        outer = player.probe.info(panel.hwnd).rect
        for number in range(2, COUNT + 1):
            v = self.positions()[1]
            top = view.top + 5 + 25 * (number - 1) - v
            player.key("Tab")
            box = player.control(panel, 4000 + number)
            wait_until(lambda: player.focus() == box.hwnd, what="the focus in box %d" % number)
            self.barrier(box)
            if (number + 1) % COUNT == 1:
                expected = 0
            elif top + 20 > outer.bottom or top < outer.top:
                expected = max(0, min(top - 360, v_max))
            else:
                expected = v
            self.assertEqual(self.positions()[1], expected, "after Tab into box %d" % number)

        # Shift+Tab from box 3 into box 2 gives the remainder 1 as well: back to the top.
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_TOP)
        box = player.focus_control(panel, 4003)
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_LINEDOWN)
        self.wait_vertical(310, "SB_LINEDOWN")
        player.focus_x()
        s.xdotool("keydown", "shift", "key", "Tab", "keyup", "shift")
        box = player.control(panel, 4002)
        wait_until(lambda: player.focus() == box.hwnd, what="the focus in box 2")
        self.barrier(box)
        self.assertEqual(self.positions()[1], 0, "after Shift+Tab into box 2")

        # Resizing: at the bottom, a taller view keeps the content's end at the bottom; a view
        # wider than the content puts the horizontal position back to 0.
        s.probe.send(panel.hwnd, WM_VSCROLL, SB_BOTTOM)
        self.wait_vertical(v_max, "SB_BOTTOM")
        player.place(1000, 600)
        view = player.probe.info(panel.hwnd).client
        self.assertGreater(view.width, CONTENT_WIDTH)
        wait_until(lambda: self.positions() == (0, CONTENT_HEIGHT - view.height),
                   what="positions after the resize")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
