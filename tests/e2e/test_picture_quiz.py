"""Picture quizzes end to end: the grid layout with its pictures, the answer
picture of hint mode 1, and a two-answer quiz with its captions and score."""

import subprocess
import unittest

from zelto_e2e import PlayerTest, wait_until

RED, BLUE, GREEN_PIC, GREY = "#D02020", "#2040D0", "#20A040", "#808080"


def jpeg(width, height, colour):
    """A solid-colour JPEG made by ImageMagick."""
    return subprocess.run(["convert", "-size", "%dx%d" % (width, height), "xc:" + colour, "-quality", "95",
                           "jpg:-"], check=True, capture_output=True).stdout


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def picture_toml(questions, extra="", codes=None):
    """questions: list of dicts with the [[question]] keys."""
    count = len(questions)
    lines = ['genre = "image"', 'titre = "Quiz images"', 'auteur = "Testeur"', extra,
             "codes = [%s]" % ", ".join('"%s"' % c for c in (codes or ["C%d" % (i + 1) for i in range(count)]))]
    for q in questions:
        lines += ["", "[[question]]"] + ['%s = "%s"' % kv for kv in q.items()]
    return "\n".join(lines) + "\n"


def centre(window):
    return (window.rect.left + window.rect.right) // 2, (window.rect.top + window.rect.bottom) // 2


class PictureQuizTest(PlayerTest):

    def test_grid_layout(self):
        """Four questions, one box each, no hints: two rows; a wide picture is centred in its cell."""
        s = self.session
        files = {"q1.jpg": jpeg(300, 300, RED), "q2.jpg": jpeg(100, 50, BLUE), "q3.jpg": jpeg(260, 260, GREY),
                 "q4.jpg": jpeg(520, 520, GREEN_PIC)}
        questions = [{"image": "q%d.jpg" % q, "reponse": "R%d" % q} for q in range(1, 5)]
        exe = s.build_quiz(picture_toml(questions), files=files)
        player = s.start(exe)
        tree = player.tree()
        _, panel = player.panels(tree)

        pictures = {1: (46, 5, 260, 260), 2: (336, 5 + (260 - 130) // 2, 260, 130), 3: (626, 5, 260, 260),
                    4: (46, 335, 260, 260)}
        box_tops = {1: 275, 2: 275, 3: 275, 4: 605}
        cells = {1: 46, 2: 336, 3: 626, 4: 46}
        numbers = sorted(tree.all_by_id(panel, 153), key=lambda w: (w.rect.top, w.rect.left))
        self.assertEqual([n.text for n in numbers], ["1.", "2.", "3.", "4."])
        for q in range(1, 5):
            x, y = cells[q], box_tops[q]
            self.assertRect(tree.by_id(panel, 9900 + q), pictures[q], panel)
            self.assertRect(tree.by_id(panel, 4000 + q), (x, y, 260, 20), panel)
            self.assertRect(tree.by_id(panel, 5000 + q), (x, y + 19, 260, 20), panel)
            self.assertRect(numbers[q - 1], (x - 28, y + 2, 27, 17), panel)
            self.assertIsNone(tree.by_id(panel, 8000 + q), "no hint label without hints")

        # The pictures themselves, seen in a window large enough for the first row.
        player.place(960, 600)
        for q, colour in ((1, RED), (2, BLUE), (3, GREY)):
            x, y = centre(player.control(panel, 9900 + q))
            s.wait_pixel(x, y, rgb(colour), tolerance=12)
        self.assertEqual(player.close(), 0)

    def test_answer_picture(self):
        """Hint mode 1: a right answer swaps in the answer picture, which stays after a wrong one."""
        s = self.session
        files = {"q1.jpg": jpeg(260, 260, RED), "a1.jpg": jpeg(260, 260, BLUE), "q2.jpg": jpeg(260, 260, GREY)}
        questions = [{"image": "q1.jpg", "image_reponse": "a1.jpg", "reponse": "Rouge"},
                     {"image": "q2.jpg", "reponse": "Gris"}]
        exe = s.build_quiz(picture_toml(questions, 'indices = "image-reponse"'), files=files)
        player = s.start(exe)
        player.place(700, 400)
        _, panel = player.panels()
        x, y = centre(player.control(panel, 9901))
        s.wait_pixel(x, y, rgb(RED), tolerance=12)

        box = player.focus_control(panel, 4001)
        s.probe.set_text(box.hwnd, "rouge")
        player.key("Return")
        player.wait_text(panel, 5001, "BRAVO")
        s.wait_pixel(x, y, rgb(BLUE), tolerance=12)

        s.probe.set_text(box.hwnd, "vert")
        player.key("Return")
        player.wait_text(panel, 5001, "FAUX")
        # Question 2 has no answer picture: right, and its picture stays.
        box2 = player.focus_control(panel, 4002)
        s.probe.set_text(box2.hwnd, "gris")
        player.key("Return")
        player.wait_text(panel, 5002, "BRAVO")
        x2, y2 = centre(player.control(panel, 9902))
        shot = s.screenshot()
        for (px, py), colour in (((x, y), BLUE), ((x2, y2), GREY)):
            self.assertTrue(all(abs(a - b) <= 12 for a, b in zip(shot.pixel(px, py), rgb(colour))),
                            "pixel (%d, %d) is %r, expected %s" % (px, py, shot.pixel(px, py), colour))
        self.assertEqual(player.close(), 0)

    def test_two_answers(self):
        """Two boxes per question: captions, narrower boxes, the score counts only complete questions,
        the answers file has one line per box, and the hint shows only when both are right."""
        s = self.session
        files = {"q%d.jpg" % q: jpeg(260, 260, GREY) for q in (1, 2, 3, 4)}
        questions = [{"image": "q%d.jpg" % q, "reponse": "A%d" % q, "reponse_2": "B%d" % q,
                      "indice": "Indice %d" % q} for q in (1, 2, 3, 4)]
        extra = 'reponses_par_question = 2\nlegende_1 = "Nom"\nlegende_2 = "Lieu"\nindices = "indice"'
        exe = s.build_quiz(picture_toml(questions, extra, codes=["UN", "DEUX", "TROIS", "QUATRE"]), files=files)
        s.write("quiz.txt", b"a1\r\nb1\r\na2\r\n")
        player = s.start(exe)
        tree = player.tree()
        header, panel = player.panels(tree)

        captions = sorted(tree.all_by_id(panel, 156), key=lambda w: w.rect.top)
        self.assertEqual([c.text for c in captions], ["Nom", "Lieu", "Nom", "Lieu"])
        self.assertRect(captions[0], (4, 277, 95, 20), panel)
        self.assertRect(captions[1], (3, 297, 95, 20), panel)
        for q, x in ((1, 106), (2, 396), (3, 686)):
            self.assertRect(tree.by_id(panel, 4000 + 2 * q - 1), (x, 275, 201, 20), panel)
            self.assertRect(tree.by_id(panel, 4000 + 2 * q), (x, 294, 201, 20), panel)
            self.assertRect(tree.by_id(panel, 5000 + 2 * q - 1), (x + 200, 275, 60, 20), panel)
            self.assertRect(tree.by_id(panel, 5000 + 2 * q), (x + 200, 294, 60, 20), panel)
            hint = tree.by_id(panel, 8000 + q)
            self.assertRect(hint, (x, 275 + 46, 260, 65), panel)
            self.assertEqual(hint.text, "Indice %d" % q)
        # Second row: rowTop = 275 + 140 with hints.
        self.assertRect(tree.by_id(panel, 4007), (106, 415 + 270, 201, 20), panel)

        # Restored: question 1 complete, question 2 half right.
        verdicts = [tree.by_id(panel, 5000 + s_).text for s_ in range(1, 9)]
        self.assertEqual(verdicts, ["BRAVO", "BRAVO", "BRAVO", "?", "?", "?", "?", "?"])
        self.assertTrue(tree.by_id(panel, 8001).visible)
        self.assertFalse(tree.by_id(panel, 8002).visible)
        self.assertEqual(player.text(header, 32), " 1 / 4")
        self.assertEqual(player.text(header, 30), "UN")

        player.place(1000, 600)
        box = player.focus_control(panel, 4004)
        s.probe.set_text(box.hwnd, "b2")
        player.key("Return")
        player.wait_text(panel, 5004, "BRAVO")
        player.wait_text(header, 32, " 2 / 4")
        self.assertEqual(player.text(header, 30), "DEUX")
        wait_until(lambda: player.control(panel, 8002).visible, what="hint 2 to show")

        # One box of question 1 made wrong: its hint hides, the score drops.
        box = player.focus_control(panel, 4002)
        s.probe.set_text(box.hwnd, "b")
        player.key("Return")
        player.wait_text(panel, 5002, "Quasiment")
        player.wait_text(header, 32, " 1 / 4")
        self.assertEqual(player.text(header, 30), "UN")
        wait_until(lambda: not player.control(panel, 8001).visible, what="hint 1 to hide")

        self.assertEqual(player.close(), 0)
        self.assertEqual(s.read("quiz.txt"), b"a1\r\nb\r\na2\r\nb2\r\n" + b"\r\n" * 4)


if __name__ == "__main__":
    unittest.main()
