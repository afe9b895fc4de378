"""The loader's failure messages on real executables: a quiz built with
zelto-build, then one of its content resources damaged in place, either with
bytes that do not decode or with a code stream that decodes to malformed
content. Each case shows its message, then the window opens with what could
be loaded."""

import os
import subprocess
import unittest

from zelto_e2e import IDOK, PlayerTest, dist_path, wait_until

CONTENT_ID, CODES_ID = 104, 105
CONTENT_ERROR = "Erreur dans le d\u00e9cryptage des reponses"
CODES_ERROR = "Erreur dans le d\u00e9cryptage des codes"
DEFAULT_TITLE = "nom du zelto"
SIX_BLANKS = "      "

TITLE = "Quiz ab\u00eem\u00e9"
QUESTIONS = [("Capitale de la France ?", "PARIS"), ("Capitale de l'Italie ?", "ROME"),
             ("Capitale de l'Espagne ?", "MADRID")]
CODES = ["UN", "DEUX", "TROIS"]


def quiz_toml():
    lines = ['genre = "texte"', 'titre = "%s"' % TITLE, 'auteur = "Testeur"',
             "codes = [%s]" % ", ".join('"%s"' % c for c in CODES)]
    for text, answer in QUESTIONS:
        lines += ["", "[[question]]", 'texte = "%s"' % text, 'reponse = "%s"' % answer]
    return "\n".join(lines) + "\n"


def literal_stream(data):
    """A valid code stream holding only 9-bit literals and the end code. It
    never uses the dictionary, so it is longer than the encoder's stream, but
    the decoder reads it all the same."""
    bits = "".join(format(b, "09b") for b in data) + format(256, "09b")
    bits += "0" * (-len(bits) % 8)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def content_bytes(kind_byte=1, count=1, answers=1, colour=b"\x5a\x5f\x96"):
    """A one-question text quiz laid out as the loader reads it, with room to
    get the fixed bytes wrong. `count` goes in as given; one block follows."""
    return (bytes([0, kind_byte, count, answers]) + b"Contenu malform\xe9|Moi||||OUI|Question ?|" +
            b"\x00" + colour)


def resource_bytes(exe, resource_id):
    """A "PATCH" resource's bytes as an independent reader (wrestool) sees them."""
    return subprocess.run(["wrestool", "-x", "--raw", "--type=PATCH", "--name=%d" % resource_id, exe],
                          capture_output=True, check=True, timeout=60).stdout


def replace_resource(exe, resource_id, data):
    """Overwrites a resource's bytes in place; shorter data is padded with zero
    bytes, which the decoder never reads (they follow the end code)."""
    old = resource_bytes(exe, resource_id)
    assert old, "no resource %d in %s" % (resource_id, exe)
    assert len(data) <= len(old), "%d bytes do not fit in resource %d (%d bytes)" % (
        len(data), resource_id, len(old))
    with open(exe, "rb") as f:
        image = f.read()
    assert image.count(old) == 1, "resource %d's bytes are not unique in the file" % resource_id
    at = image.index(old)
    image = image[:at] + data + bytes(len(old) - len(data)) + image[at + len(old):]
    with open(exe, "wb") as f:
        f.write(image)
    assert resource_bytes(exe, resource_id) == data + bytes(len(old) - len(data))


def undecodable(exe, resource_id):
    """All bits set: a first code of 511, which is no literal."""
    return b"\xff" * len(resource_bytes(exe, resource_id))


class BrokenContentTest(PlayerTest):

    def damaged_copy(self, built, name, resource_id, data_of):
        """A copy of the built quiz with one resource replaced by data_of(copy, id)."""
        s = self.session
        exe = s.path(name)
        with open(s.path(built), "rb") as src, open(exe, "wb") as dst:
            dst.write(src.read())
        replace_resource(exe, resource_id, data_of(exe, resource_id))
        return name

    def start_after_message(self, exe, text):
        """Starts the player, checks that exactly one loader message comes before
        any window, presses OK and returns the player with its main window."""
        s = self.session
        player = s.start(exe, wait=False)
        box = wait_until(lambda: s.probe.message_boxes(), what="the message %r of %s" % (text, exe))[0]
        self.assertEqual((box["caption"], box["texts"]), ("Zelto", [text]), exe)
        self.assertEqual([b[0] for b in box["buttons"]], [IDOK], exe)
        self.assertFalse([w for w in s.probe.toplevels() if w.cls == "WindowsApp"],
                         "%s: no window before the message is answered" % exe)
        s.probe.press(box["hwnd"], IDOK)
        player.wait_main_window()
        # The window exists, so the loader is done: no second message can follow.
        self.assertEqual(s.probe.message_boxes(), [], "%s: one message only" % exe)
        return player

    def check_default_window(self, player, exe):
        tree = player.tree()
        header, panel = player.panels(tree)
        self.assertEqual(tree.root.text, DEFAULT_TITLE, exe)
        self.assertEqual(tree.by_id(header, 29).text, DEFAULT_TITLE, exe)
        self.assertEqual(tree.by_id(header, 32).text, " 0 / 0", exe)
        self.assertEqual(tree.children(panel), [], "%s: no question, no control" % exe)

    def check_quiz_loaded(self, player, exe):
        tree = player.tree()
        header, panel = player.panels(tree)
        self.assertEqual(tree.root.text, TITLE, exe)
        self.assertEqual(tree.by_id(header, 29).text, TITLE, exe)
        labels = sorted(tree.all_by_id(panel, 3000), key=lambda w: w.rect.top)
        self.assertEqual([w.text for w in labels], [q[0] for q in QUESTIONS], exe)
        for q in range(1, len(QUESTIONS) + 1):
            self.assertIsNotNone(tree.by_id(panel, 4000 + q), "%s: answer box %d" % (exe, q))
        return header, panel

    def test_codes_that_fail_leave_the_questions_and_empty_codes(self):
        s = self.session
        built = s.build_quiz(quiz_toml())
        # Three questions, two code lines: decodes, but is short of a line.
        short_codes = literal_stream(b"UN\r\nDEUX\r\n")
        cases = [
            ("undecodable.exe", lambda exe, rid: undecodable(exe, rid)),
            ("short.exe", lambda exe, rid: short_codes),
        ]
        for name, data_of in cases:
            exe = self.damaged_copy(built, name, CODES_ID, data_of)
            player = self.start_after_message(exe, CODES_ERROR)
            player.place(1000, 400)  # every box in view for the clicks
            header, panel = self.check_quiz_loaded(player, exe)
            self.assertEqual(player.text(header, 32), " 0 / 3", exe)
            self.assertEqual(player.text(header, 30), SIX_BLANKS, exe)

            # A right answer scores; its code is the empty text the failed
            # resource left, and the player carries on.
            player.focus_control(panel, 4001)
            player.type("paris")
            player.key("Return")
            player.wait_text(panel, 5001, "BRAVO")
            player.wait_text(header, 32, " 1 / 3")
            self.assertEqual(player.text(header, 30), "", exe)
            box = player.focus_control(panel, 4002)
            s.probe.set_text(box.hwnd, "Rome")
            player.key("Return")
            player.wait_text(header, 32, " 2 / 3")
            self.assertEqual(player.text(header, 30), "", exe)
            self.assertEqual(player.close(), 0, exe)
            self.assertEqual(s.read(exe[:-3] + "txt"), b"paris\r\nRome\r\n\r\n", exe)

    def test_content_that_fails_gives_the_default_window(self):
        s = self.session
        built = s.build_quiz(quiz_toml())

        # The stream helper itself: a literal-only stream of well-formed content
        # reads back through the builder's own decoder.
        control = self.damaged_copy(built, "control.exe", CONTENT_ID,
                                    lambda exe, rid: literal_stream(content_bytes()))
        out = os.path.join(s.root, "extracted")
        subprocess.run([dist_path("zelto-build"), "--extract", s.path(control), "-o", out],
                       check=True, capture_output=True, timeout=60)
        with open(os.path.join(out, "quiz.toml"), encoding="utf-8") as f:
            self.assertIn('titre = "Contenu malform\u00e9"', f.read())

        cases = [
            ("undecodable.exe", lambda exe, rid: undecodable(exe, rid)),
            ("kind9.exe", lambda exe, rid: literal_stream(content_bytes(kind_byte=9))),
            ("count97.exe", lambda exe, rid: literal_stream(content_bytes(count=97))),
            ("answers3.exe", lambda exe, rid: literal_stream(content_bytes(answers=3))),
            # Ends before its colour bytes.
            ("truncated.exe", lambda exe, rid: literal_stream(content_bytes(colour=b""))),
        ]
        for name, data_of in cases:
            exe = self.damaged_copy(built, name, CONTENT_ID, data_of)
            # Regression: closing a copy whose quiz failed to load emptied the
            # answers file that a good copy had left beside it.
            answers = exe[:-3] + "txt"
            s.write(answers, b"paris\r\nRome\r\n\r\n")
            player = self.start_after_message(exe, CONTENT_ERROR)
            self.check_default_window(player, exe)
            self.assertEqual(player.close(), 0, exe)
            self.assertEqual(s.read(answers), b"paris\r\nRome\r\n\r\n", exe)


if __name__ == "__main__":
    unittest.main()
