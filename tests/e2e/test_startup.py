"""Start-up, main window geometry, header layout and close, on the bare player."""

import os
import unittest

from zelto_e2e import IDOK, SCREEN_HEIGHT, SCREEN_WIDTH, PlayerTest, wait_until

MAIN_WIDTH, MAIN_HEIGHT = 544, 375
WS_OVERLAPPEDWINDOW = 0x00CF0000
VERSION_TEXT = "R\u00e9alis\u00e9 avec la version 2.1.4  "
CONTENT_ERROR = "Erreur dans le d\u00e9cryptage des reponses"
DEFAULT_TITLE = "nom du zelto"
HEADER_BLUE = (128, 128, 255)
LABEL_GREY = (212, 208, 200)
LINK_BLUE = (50, 50, 255)
DEFAULT_BACKGROUND = (90, 95, 150)

# Header controls that keep their place from creation: id -> (x, y, width, height).
HEADER_FIXED = {32: (10, 1, 80, 20), 31: (7, 29, 36, 15), 30: (44, 29, 53, 16),
                29: (110, 3, 260, 18), 120: (0, 26, 100, 1), 121: (100, 0, 1, 50)}


def header_moving(r):
    """Header controls placed from the header's client width r."""
    return {24: (r - 134, 0, 115, 18), 25: (r - 134, 25, 26, 18), 26: (r - 107, 25, 105, 18),
            27: (r - 204, 25, 55, 18), 28: (110, 19, r - 324, 28), 122: (r - 145, 0, 1, 50)}


class BareStartupTest(PlayerTest):
    """The player without quiz resources: the content error, then the window with the defaults."""

    def check_size_rule(self, player):
        tree = player.tree()
        main = tree.root
        header, panel = player.panels(tree)
        w, h = main.client.width, main.client.height
        self.assertRect(header, (5, 2, w - 11, 49), main, "header panel")
        self.assertRect(panel, (5, 50, w - 11, h - 68), main, "question panel")
        label = tree.by_id(main, 8000)
        self.assertRect(label, (w - 145, h - 16, 140, 15), main, "version label")

        r = header.client.width
        expected = dict(HEADER_FIXED)
        expected.update(header_moving(r))
        for control_id, rect in sorted(expected.items()):
            control = tree.by_id(header, control_id)
            self.assertIsNotNone(control, "header control %d" % control_id)
            self.assertRect(control, rect, header)
        return tree

    def test_content_error_then_default_window(self):
        s = self.session
        exe = s.copy_player("zelto.exe")
        s.write("zelto.mp3", b"left over")
        player = s.start(exe, wait=False)

        # The loader's message comes before any window.
        box = wait_until(lambda: s.probe.message_boxes(), what="the content error message")[0]
        self.assertEqual(box["caption"], "Zelto")
        self.assertEqual(box["texts"], [CONTENT_ERROR])
        self.assertEqual([b[0] for b in box["buttons"]], [IDOK])
        self.assertFalse([w for w in s.probe.toplevels() if w.cls == "WindowsApp" and w.visible])
        s.probe.press(box["hwnd"], IDOK)

        main = player.wait_main_window()
        self.assertEqual(main.text, DEFAULT_TITLE)
        self.assertEqual(main.style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW)
        left = (SCREEN_WIDTH - MAIN_WIDTH) // 2
        top = (SCREEN_HEIGHT - MAIN_HEIGHT) // 2
        self.assertEqual(main.rect.tuple(), (left, top, left + MAIN_WIDTH, top + MAIN_HEIGHT))
        self.assertEqual(s.probe.message_boxes(), [], "only one content message")

        tree = self.check_size_rule(player)
        header, panel = player.panels(tree)
        texts = {c.id: c.text for c in tree.children(header)}
        self.assertEqual(texts[32], " 0 / 0")
        self.assertEqual(texts[30], "")
        self.assertEqual(texts[29], DEFAULT_TITLE)
        self.assertEqual(texts[26], " createur")
        self.assertEqual(texts[28], "")
        self.assertEqual(texts[25], "Par :")
        self.assertEqual(texts[27], "Sauver")
        self.assertEqual(texts[31], " Code :")
        self.assertEqual(tree.by_id(tree.root, 8000).text, VERSION_TEXT)
        self.assertEqual(tree.children(panel), [], "no question, no control")

        # Colours: header brush, label brush, the default quiz background.
        shot = s.screenshot()
        self.assertEqual(shot.pixel(header.client.left + 3, header.client.top + 40), HEADER_BLUE)
        self.assertEqual(shot.dominant_colour(tree.by_id(tree.root, 8000).rect, inset=0), LABEL_GREY)
        self.assertEqual(shot.dominant_colour(panel.client), DEFAULT_BACKGROUND)

        # A real resize: the size rule and the header rule follow the new client size.
        before = {c.id: c.rect for c in tree.children(header)}
        player.resize(900, 520)
        wait_until(lambda: player.panels()[0].client.width != header.client.width, what="the header to resize")
        wider = self.check_size_rule(player)
        grown = player.panels(wider)[0].client.width - header.client.width
        self.assertGreater(grown, 300)
        for control in wider.children(player.panels(wider)[0]):
            old = before[control.id]
            if control.id in HEADER_FIXED or control.id == 28:
                self.assertEqual(control.rect.left, old.left, "control %d stays" % control.id)
            else:
                self.assertEqual(control.rect.left - old.left, grown, "control %d follows the edge" % control.id)

        # Moved and resized where the whole window is on screen, the link and the
        # version label are painted at their new places.
        player.place(700, 500)
        placed = player.tree()
        link = placed.by_id(player.panels(placed)[0], 24).rect
        label = placed.by_id(placed.root, 8000).rect
        wait_until(lambda: s.screenshot().dominant_colour(label, inset=0) == LABEL_GREY,
                   what="the version label painted at its new place")
        wait_until(lambda: LINK_BLUE in s.screenshot().colours_in(link), what="the link painted at its new place")

        self.assertEqual(player.close(), 0)
        self.assertFalse(s.exists("zelto.txt"), "no quiz loaded, nothing to save")
        self.assertFalse(os.path.exists(s.path("zelto.mp3")), "zelto.mp3 is deleted at close")

    def test_arguments_are_ignored_and_alt_f4_closes(self):
        s = self.session
        exe = s.copy_player("Bare.exe")
        player = s.start(exe, wait=False, args=["/min", "quiz.toml"])
        box = wait_until(lambda: s.probe.message_boxes(), what="the content error message")[0]
        s.probe.press(box["hwnd"], IDOK)
        main = player.wait_main_window()
        left = (SCREEN_WIDTH - MAIN_WIDTH) // 2
        top = (SCREEN_HEIGHT - MAIN_HEIGHT) // 2
        self.assertEqual(main.rect.tuple(), (left, top, left + MAIN_WIDTH, top + MAIN_HEIGHT))
        player.key("alt+F4")
        self.assertEqual(player.wait_exit(), 0)
        self.assertFalse(s.exists("Bare.txt"), "no quiz loaded, nothing to save")


if __name__ == "__main__":
    unittest.main()
