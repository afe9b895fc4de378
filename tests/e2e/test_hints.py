"""Hint modes 3 (hint label and message box) and 4 (all hints at the end) on
picture quizzes; modes 1 and 2 are in test_picture_quiz.py."""

import unittest

from zelto_e2e import IDOK, PlayerTest, wait_until
from test_picture_quiz import GREY, jpeg, picture_toml


def hint_quiz(session, mode, count):
    files = {"q.jpg": jpeg(100, 100, GREY)}
    questions = [{"image": "q.jpg", "reponse": "R%d" % q, "indice": "Indice %d" % q} for q in range(1, count + 1)]
    return session.build_quiz(picture_toml(questions, "indices = %d" % mode), files=files)


class HintModesTest(PlayerTest):

    def dismiss_hint_boxes(self, hint, until, what):
        """Presses OK on every message box, each of which must show `hint` under the caption
        "texte", until `until()` holds and no box is left. Returns how many there were."""
        s = self.session
        seen = [0]

        def step():
            boxes = s.probe.message_boxes()
            for box in boxes:
                self.assertEqual((box["caption"], box["texts"]), ("texte", [hint]))
                self.assertEqual([b[0] for b in box["buttons"]], [IDOK])
                s.probe.press(box["hwnd"], IDOK)
                seen[0] += 1
            return not boxes and until()
        wait_until(step, what=what)
        return seen[0]

    def focus_through_boxes(self, player, panel, control_id, hint):
        """Clicks an answer box until it holds the focus, closing the hint boxes that leaving a
        right box brings up on the way (each takes the focus away again)."""
        s = self.session
        box = player.control(panel, control_id)

        def focused():
            if player.focus() == box.hwnd and not s.probe.message_boxes():
                return True
            player.focus_x()
            player.click(box)
            wait_until(lambda: player.focus() == box.hwnd or s.probe.message_boxes(),
                       what="the focus or a hint box")
            self.dismiss_hint_boxes(hint, lambda: True, "no more boxes")
            return False
        wait_until(focused, what="the focus in box %d" % control_id)
        return box

    def test_message_box_mode(self):
        s = self.session
        exe = hint_quiz(s, 3, 2)
        s.write("quiz.txt", b"r1\r\n\r\n")
        player = s.start(exe, wait=False)

        # A restored right answer already shows its hint in a box during start-up.
        main = [None]

        def window_up():
            main[0] = player.probe.find(cls="WindowsApp", timeout=0)
            return main[0]
        seen = self.dismiss_hint_boxes("Indice 1", window_up, "the main window after the start-up boxes")
        self.assertGreaterEqual(seen, 1)
        player.main = main[0]
        _, panel = player.panels()
        wait_until(lambda: player.control(panel, 8001).visible, what="hint 1 shown")
        self.assertFalse(player.control(panel, 8002).visible)
        self.assertEqual(player.text(panel, 5001), "BRAVO")

        # Enter on a right answer: the box comes before the verdict is written.
        # Leaving the right box 1 judges it again, and shows its hint once more.
        # Leaving the right box 1 shows its hint again.
        player.place(700, 400)
        player.focus_x()
        player.click(player.control(panel, 4002))
        wait_until(lambda: s.probe.message_boxes(), what="the hint box of box 1 on leaving it")
        box = self.focus_through_boxes(player, panel, 4002, "Indice 1")
        s.probe.set_text(box.hwnd, "r2")
        player.key("Return")
        wait_until(lambda: s.probe.message_boxes(), what="the hint message box")
        self.assertEqual(player.text(panel, 5002), "?")
        self.dismiss_hint_boxes("Indice 2", lambda: player.text(panel, 5002) == "BRAVO", "the verdict")
        wait_until(lambda: player.control(panel, 8002).visible, what="hint 2 shown")

        # A wrong answer hides the hint again, with no box.
        box = self.focus_through_boxes(player, panel, 4002, "Indice 2")
        s.probe.set_text(box.hwnd, "xyz")
        player.key("Return")
        player.wait_text(panel, 5002, "FAUX")
        wait_until(lambda: not player.control(panel, 8002).visible, what="hint 2 hidden")
        self.assertEqual(s.probe.message_boxes(), [])
        self.assertEqual(player.close(), 0)

    def test_all_hints_at_the_end(self):
        s = self.session
        exe = hint_quiz(s, 4, 3)
        player = s.start(exe)
        player.place(960, 600)
        _, panel = player.panels()

        def visible_hints():
            return [player.control(panel, 8000 + q).visible for q in (1, 2, 3)]

        def answer(q, text, verdict):
            box = player.focus_control(panel, 4000 + q)
            s.probe.set_text(box.hwnd, text)
            player.key("Return")
            player.wait_text(panel, 5000 + q, verdict)

        self.assertEqual(visible_hints(), [False, False, False])
        answer(1, "r1", "BRAVO")
        answer(2, "r2", "BRAVO")
        self.assertEqual(visible_hints(), [False, False, False])
        answer(3, "r3", "BRAVO")
        wait_until(lambda: visible_hints() == [True, True, True], what="all hints shown")
        self.assertEqual([player.text(panel, 8000 + q) for q in (1, 2, 3)], ["Indice 1", "Indice 2", "Indice 3"])

        # One wrong answer hides that question's hint only; all right again shows all.
        answer(1, "r", "Quasiment")
        wait_until(lambda: visible_hints() == [False, True, True], what="hint 1 hidden, the others kept")
        answer(1, "r1", "BRAVO")
        wait_until(lambda: visible_hints() == [True, True, True], what="all hints shown again")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
