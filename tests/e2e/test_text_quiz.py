"""A text quiz end to end: layout, every verdict word with its colour, the score
and reward code, the answers file at F2 and at close, restoring at the next
start, and F1."""

import unittest

from zelto_e2e import PlayerTest, wait_until

# (expected answer, typed answer, verdict). Typed texts go in with WM_SETTEXT
# (exact bytes) unless the test types them with real keys.
CASES = [
    ("Paris", "paris ", "BRAVO"),
    ("Paris", "sirap", "Anagramme"),
    ("Paris", "pari", "Quasiment"),
    ("Paris", "par", "Presque"),
    ("Paris", "Paris France", "Trop long"),
    ("Tour Eiffel", "Tour Eif", "Trop court"),
    ("Tour Eiffel", "Tour Ei", "pas loin"),
    ("Le Penseur de Rodin", "La Penseuse de Rodin", "y a de l'id\u00e9e"),
    ("Paris", "pa", "FAUX"),
    ("\u00e9t\u00e9", "\u00e9T\u00e9", "BRAVO"),
    ("\u00e9t\u00e9", "\u00c9T\u00c9", "Presque"),
    ("Rome", "", "?"),
]
CODES = ["CODE-%02d" % (i + 1) for i in range(len(CASES))]

GREEN, RED, ORANGE, YELLOW = (0, 255, 0), (255, 0, 0), (255, 100, 0), (255, 203, 38)
VERDICT_COLOURS = {"BRAVO": GREEN, "FAUX": RED, "Anagramme": ORANGE}
QUESTION_YELLOW = (255, 255, 192)


def toml_text(answers, codes, title="Quiz texte", extra=""):
    lines = ['genre = "texte"', 'titre = "%s"' % title, 'auteur = "Testeur"',
             'sous_titre = "Un sous-titre %"', extra,
             "codes = [%s]" % ", ".join('"%s"' % c for c in codes)]
    for number, answer in enumerate(answers, 1):
        lines += ["", "[[question]]", 'texte = "Question %d : 100 %% ?"' % number, 'reponse = "%s"' % answer]
    return "\n".join(lines) + "\n"


def answers_file(texts):
    return b"".join(t.encode("cp1252") + b"\r\n" for t in texts)


class TextQuizTest(PlayerTest):

    def check_text_layout(self, tree, panel, count):
        numbers = sorted(tree.all_by_id(panel, 153), key=lambda w: w.rect.top)
        questions = sorted(tree.all_by_id(panel, 3000), key=lambda w: w.rect.top)
        self.assertEqual(len(numbers), count)
        self.assertEqual(len(questions), count)
        for q in range(1, count + 1):
            y = 5 + 25 * (q - 1)
            self.assertEqual(numbers[q - 1].text, "%d." % q)
            self.assertRect(numbers[q - 1], (26, y + 2, 19, 17), panel)
            self.assertEqual(questions[q - 1].text, "Question %d : 100 %% ?" % q)
            self.assertRect(questions[q - 1], (50, y, 550, 20), panel)
            self.assertRect(tree.by_id(panel, 4000 + q), (610, y, 100, 20), panel)
            self.assertRect(tree.by_id(panel, 5000 + q), (720, y, 100, 20), panel)

    def test_verdicts_score_and_answers_file(self):
        s = self.session
        exe = s.build_quiz(toml_text([c[0] for c in CASES], CODES))
        player = s.start(exe)
        tree = player.tree()
        header, panel = player.panels(tree)
        count = len(CASES)

        self.assertEqual(tree.root.text, "Quiz texte")
        header_texts = {c.id: c.text for c in tree.children(header)}
        self.assertEqual(header_texts[29], "Quiz texte")
        self.assertEqual(header_texts[28], "Un sous-titre %")
        self.assertEqual(header_texts[26], "Testeur")
        # Every empty box was judged at start: "?" everywhere, score 0, six blanks.
        self.assertEqual(header_texts[32], " 0 / %d" % count)
        self.assertEqual(header_texts[30], "      ")
        for q in range(1, count + 1):
            self.assertEqual(tree.by_id(panel, 5000 + q).text, "?")
        self.check_text_layout(tree, panel, count)
        self.assertEqual(player.focus(), tree.by_id(panel, 4001).hwnd, "focus starts in the first box")

        # Room for every row and both columns.
        player.place(1000, 560)

        # Real keys for the first box: typing, then Enter judges it.
        player.focus_control(panel, 4001)
        player.type(CASES[0][1])
        player.key("Return")
        player.wait_text(panel, 5001, "BRAVO")
        self.assertEqual(player.text(header, 32), " 1 / %d" % count)
        self.assertEqual(player.text(header, 30), CODES[0])

        # The others with exact bytes; the second is judged by leaving it with Tab.
        for q, (_, typed, verdict) in enumerate(CASES[1:], 2):
            box = player.focus_control(panel, 4000 + q)
            s.probe.set_text(box.hwnd, typed)
            player.key("Tab" if q == 2 else "Return")
            player.wait_text(panel, 5000 + q, verdict)
        score = sum(1 for c in CASES if c[2] == "BRAVO")
        player.wait_text(header, 32, " %d / %d" % (score, count))
        self.assertEqual(player.text(header, 30), CODES[score - 1])

        # Each verdict label on its colour; "?" keeps the platform's own.
        for q, (_, _, verdict) in enumerate(CASES, 1):
            label = player.control(panel, 5000 + q)
            expected = VERDICT_COLOURS.get(verdict, YELLOW)
            if verdict == "?":
                colour = s.screenshot().dominant_colour(label.rect)
                self.assertNotIn(colour, (GREEN, RED, ORANGE, YELLOW), "label %d (%s)" % (q, verdict))
            else:
                x, y = label.rect.left + 3, label.rect.top + 3
                s.wait_pixel(x, y, expected, tolerance=0)
                self.assertEqual(s.screenshot().dominant_colour(label.rect), expected,
                                 "label %d (%s)" % (q, verdict))
        question = sorted(player.tree().all_by_id(panel, 3000), key=lambda w: w.rect.top)[0]
        self.assertEqual(s.screenshot().dominant_colour(question.rect), QUESTION_YELLOW)

        # F2 writes the answers file at once, exactly the boxes' bytes.
        typed = [c[1] for c in CASES]
        player.focus_control(panel, 4003)
        player.key("F2")
        wait_until(lambda: s.exists("quiz.txt") and s.read("quiz.txt") == answers_file(typed),
                   what="the answers file after F2")

        # A right answer made wrong: the score and the code drop.
        box = player.focus_control(panel, 4001)
        s.probe.set_text(box.hwnd, "Lyon")
        player.key("Return")
        player.wait_text(panel, 5001, "FAUX")
        player.wait_text(header, 32, " %d / %d" % (score - 1, count))
        self.assertEqual(player.text(header, 30), CODES[score - 2])

        self.assertEqual(player.close(), 0)
        typed[0] = "Lyon"
        self.assertEqual(s.read("quiz.txt"), answers_file(typed))

        # Next start: every box restored and judged again.
        player = s.start(exe)
        tree = player.tree()
        header, panel = player.panels(tree)
        for q, (_, _, verdict) in enumerate(CASES, 1):
            self.assertEqual(tree.by_id(panel, 4000 + q).raw_text, typed[q - 1].encode("cp1252"))
            self.assertEqual(tree.by_id(panel, 5000 + q).text, "FAUX" if q == 1 else verdict)
        self.assertEqual(player.text(header, 32), " %d / %d" % (score - 1, count))
        self.assertEqual(player.text(header, 30), CODES[score - 2])
        self.assertEqual(player.close(), 0)

    def test_saved_lines_and_f1(self):
        """Lines end at CR LF, the last one may end the file bare; F1 fills the unsolved boxes."""
        s = self.session
        exe = s.build_quiz(toml_text(["Paris", "Londres", "Rome", "Romes"], ["A", "B", "C", "D"]))
        s.write("quiz.txt", b"Paris\r\nLon\ndres\r\nRome\r\nBerlin")
        player = s.start(exe)
        player.place(1000, 400)
        tree = player.tree()
        header, panel = player.panels(tree)
        texts = [tree.by_id(panel, 4000 + q).raw_text for q in range(1, 5)]
        self.assertEqual(texts, [b"Paris", b"Lon\ndres", b"Rome", b"Berlin"])
        verdicts = [tree.by_id(panel, 5000 + q).text for q in range(1, 5)]
        self.assertEqual(verdicts[0], "BRAVO")
        self.assertEqual(verdicts[2], "BRAVO")
        self.assertEqual(verdicts[3], "FAUX")
        self.assertEqual(player.text(header, 32), " 2 / 4")
        self.assertEqual(player.text(header, 30), "B")

        # F1 in box 3: boxes 2 and 4 take its text and are judged; 1 and 3 stay.
        box3 = player.focus_control(panel, 4003)
        player.key("F1")
        player.wait_text(panel, 4002, "Rome")
        player.wait_text(panel, 4004, "Rome")
        player.wait_text(panel, 5002, "FAUX")
        player.wait_text(panel, 5004, "Quasiment")
        wait_until(lambda: player.focus() == box3.hwnd, what="the focus back in box 3")
        self.assertEqual(player.text(panel, 4001), "Paris")
        self.assertEqual(player.text(panel, 5001), "BRAVO")
        self.assertEqual(player.close(), 0)
        self.assertEqual(s.read("quiz.txt"), answers_file(["Paris", "Rome", "Rome", "Rome"]))


if __name__ == "__main__":
    unittest.main()
